// The setup file is JSON read and written with Qt's QJsonDocument: besides
// the picture codec, the one other place Qt enters the core, as a reader
// that refuses malformed text is worth more than a hand-written one.
#include "app/SetupFile.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QString>
#include <array>
#include <utility>

#include "Stringop/FileReplacing.h"
#include "image/BitmapFile.h"

namespace {

constexpr const char* FormatName = "Quorvix setup";
// A setup with the largest template is well under this.
constexpr qint64 LargestSetupFile = 16 << 20;

// The edits' names in the file.
constexpr std::array<std::pair<EditStep::Kind, const char*>, 7> EditNames = {{
    {EditStep::Kind::GreyLimit, "grey-limit"},
    {EditStep::Kind::DiscardColour, "discard-colour"},
    {EditStep::Kind::Reduce, "reduce"},
    {EditStep::Kind::Rotate, "rotate"},
    {EditStep::Kind::Crop, "crop"},
    {EditStep::Kind::ClearInside, "clear-inside"},
    {EditStep::Kind::ClearOutside, "clear-outside"},
}};

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

bool IsRegion(EditStep::Kind kind) {
  return kind == EditStep::Kind::Crop || kind == EditStep::Kind::ClearInside ||
         kind == EditStep::Kind::ClearOutside;
}

QJsonObject EditObject(const EditStep& step) {
  QJsonObject o;
  for (const auto& [kind, name] : EditNames)
    if (kind == step.kind) o["edit"] = name;
  if (step.kind == EditStep::Kind::GreyLimit) o["value"] = Q(step.text);
  if (step.kind == EditStep::Kind::Rotate) {
    QJsonArray angles;
    if (step.turns.empty()) {
      angles.append(Q(step.text));
    } else {
      for (const std::string& a : step.turns) angles.append(Q(a));
    }
    o["angles"] = angles;
  }
  if (IsRegion(step.kind))
    o["rect"] = QJsonArray{step.rect.Left, step.rect.Top, step.rect.Right, step.rect.Bottom};
  return o;
}

// A reader of one JSON object that notes the first key it cannot use.
class Fields {
 public:
  Fields(const QJsonObject& object, std::string where) : object_(object), where_(std::move(where)) {}

  std::string text(const char* key) {
    const QJsonValue v = object_.value(key);
    if (!v.isString()) return fail(key, "text"), std::string();
    return v.toString().toStdString();
  }
  bool flag(const char* key) {
    const QJsonValue v = object_.value(key);
    if (!v.isBool()) return fail(key, "true or false"), false;
    return v.toBool();
  }
  QJsonArray array(const char* key) {
    const QJsonValue v = object_.value(key);
    if (!v.isArray()) return fail(key, "a list"), QJsonArray();
    return v.toArray();
  }
  void fail(const char* key, const char* expected) {
    if (!why.empty()) return;
    why = object_.contains(key) ? "\"" + std::string(key) + "\"" + where_ + " is not " + expected
                                : "\"" + std::string(key) + "\"" + where_ + " is missing";
  }

  std::string why;

 private:
  const QJsonObject& object_;
  std::string where_;
};

std::optional<EditStep> ReadEdit(const QJsonValue& value, int index, std::string& why) {
  const std::string where = " of edit " + std::to_string(index + 1);
  if (!value.isObject()) {
    why = "edit " + std::to_string(index + 1) + " is not an object";
    return std::nullopt;
  }
  const QJsonObject o = value.toObject();
  Fields f(o, where);
  const std::string name = f.text("edit");
  if (!f.why.empty()) {
    why = f.why;
    return std::nullopt;
  }
  EditStep step;
  bool known = false;
  for (const auto& [kind, n] : EditNames) {
    if (name == n) {
      step.kind = kind;
      known = true;
    }
  }
  if (!known) {
    why = "edit " + std::to_string(index + 1) + " is \"" + name + "\", not an edit Quorvix makes";
    return std::nullopt;
  }
  if (step.kind == EditStep::Kind::GreyLimit) step.text = f.text("value");
  if (step.kind == EditStep::Kind::Rotate) {
    const QJsonArray angles = f.array("angles");
    for (const QJsonValue& a : angles) {
      if (!a.isString()) f.fail("angles", "a list of texts");
      step.turns.push_back(a.toString().toStdString());
    }
    if (f.why.empty() && step.turns.empty()) f.fail("angles", "a list of at least one angle");
    if (!step.turns.empty()) step.text = step.turns.front();
    if (step.turns.size() == 1) step.turns.clear();
  }
  if (IsRegion(step.kind)) {
    const QJsonArray r = f.array("rect");
    bool whole = r.size() == 4;
    for (const QJsonValue& v : r) whole = whole && v.isDouble() && v.toDouble() == v.toInt();
    if (f.why.empty() && !whole) f.fail("rect", "four whole numbers");
    if (whole) step.rect = {r[0].toInt(), r[1].toInt(), r[2].toInt(), r[3].toInt()};
  }
  if (!f.why.empty()) {
    why = f.why;
    return std::nullopt;
  }
  return step;
}

}  // namespace

std::string SetupFileText(const ExtractionSetup& setup) {
  QJsonObject o;
  o["format"] = FormatName;
  o["version"] = SetupFormatVersion;
  const std::string png = EncodePng(setup.unit);
  o["unit"] = QString::fromLatin1(QByteArray(png.data(), static_cast<qsizetype>(png.size())).toBase64());
  o["vmin"] = Q(setup.vmin);
  o["vmax"] = Q(setup.vmax);
  o["min"] = Q(setup.min);
  o["max"] = Q(setup.max);
  o["match"] = Q(setup.match);
  o["strict"] = setup.strict;
  o["thorough"] = setup.thorough;
  o["onePointPerChannel"] = setup.onePointPerChannel;
  o["channels"] = Q(setup.channels);
  QJsonArray edits;
  for (const EditStep& step : setup.edits) edits.append(EditObject(step));
  o["edits"] = edits;
  const QByteArray text = QJsonDocument(o).toJson(QJsonDocument::Indented);
  return std::string(text.constData(), static_cast<std::size_t>(text.size()));
}

std::optional<ExtractionSetup> ReadSetupFileText(const std::string& bytes, std::string& why) {
  QJsonParseError parsed;
  const QJsonDocument doc =
      QJsonDocument::fromJson(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())), &parsed);
  if (parsed.error != QJsonParseError::NoError) {
    why = "it is not JSON (" + parsed.errorString().toStdString() + " at byte " +
          std::to_string(parsed.offset) + ")";
    return std::nullopt;
  }
  if (!doc.isObject()) {
    why = "it is not a Quorvix setup (no JSON object)";
    return std::nullopt;
  }
  const QJsonObject o = doc.object();
  if (o.value("format").toString() != FormatName) {
    why = "it is not a Quorvix setup (\"format\" is not \"" + std::string(FormatName) + "\")";
    return std::nullopt;
  }
  const QJsonValue version = o.value("version");
  if (!version.isDouble() || version.toDouble() != SetupFormatVersion) {
    why = version.isDouble()
              ? "it is a setup of version " + QString::number(version.toDouble()).toStdString() +
                    "; this Quorvix reads version " + std::to_string(SetupFormatVersion)
              : std::string("its \"version\" is missing or not a number");
    return std::nullopt;
  }
  Fields f(o, "");
  ExtractionSetup setup;
  const std::string unit = f.text("unit");
  setup.vmin = f.text("vmin");
  setup.vmax = f.text("vmax");
  setup.min = f.text("min");
  setup.max = f.text("max");
  setup.match = f.text("match");
  setup.strict = f.flag("strict");
  setup.thorough = f.flag("thorough");
  setup.onePointPerChannel = f.flag("onePointPerChannel");
  setup.channels = f.text("channels");
  const QJsonArray edits = f.array("edits");
  if (!f.why.empty()) {
    why = f.why;
    return std::nullopt;
  }
  for (int i = 0; i < edits.size(); ++i) {
    const std::optional<EditStep> step = ReadEdit(edits[i], i, why);
    if (!step) return std::nullopt;
    setup.edits.push_back(*step);
  }
  const QByteArray png =
      QByteArray::fromBase64(QByteArray::fromStdString(unit), QByteArray::AbortOnBase64DecodingErrors);
  if (png.isEmpty()) {
    why = "the template is not base64 text";
    return std::nullopt;
  }
  if (!DecodePng(std::string(png.constData(), static_cast<std::size_t>(png.size())), LargestSetupTemplate,
                 LargestSetupTemplate, setup.unit, why)) {
    return std::nullopt;
  }
  if (setup.unit.empty()) {
    why = "the template holds no pixel";
    return std::nullopt;
  }
  return setup;
}

std::optional<ExtractionSetup> ReadSetupFile(const std::string& path, std::string& why) {
  const QFileInfo info(Q(path));
  if (!info.isFile()) {
    why = info.exists() ? "it is not a file" : "there is no such file";
    return std::nullopt;
  }
  if (info.size() > LargestSetupFile) {
    why = "it is " + std::to_string(info.size()) + " bytes long, too long for a setup";
    return std::nullopt;
  }
  QFile file(Q(path));
  if (!file.open(QIODevice::ReadOnly)) {
    why = file.errorString().toStdString();
    return std::nullopt;
  }
  const QByteArray bytes = file.read(LargestSetupFile + 1);
  return ReadSetupFileText(std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())), why);
}

bool WriteSetupFile(const std::string& path, const ExtractionSetup& setup, std::string& why) {
  return WriteFileReplacing(path, SetupFileText(setup), &why);
}
