#include <gtest/gtest.h>

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <functional>

#include "app/SetupFile.h"
#include "image/BitmapFile.h"

namespace {

ExtractionSetup Example() {
  ExtractionSetup s;
  s.unit = Bitmap(11, 9);
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 11; ++x) s.unit.setPixel(x, y, MakeColour(20 * x, 25 * y, (x * y) % 256));
  s.vmin = "-10";
  s.vmax = "10,5";  // kept as typed
  s.min = "0.82";
  s.max = "1.02";
  s.match = "73";
  s.strict = true;
  s.thorough = false;
  s.onePointPerChannel = true;
  s.channels = "512";
  s.edits = {{EditStep::Kind::GreyLimit, "200"},
             {EditStep::Kind::DiscardColour},
             {EditStep::Kind::Rotate, "7", {}, {"7", "-2.5"}},
             {EditStep::Kind::Rotate, "3"},
             {EditStep::Kind::Reduce},
             {EditStep::Kind::Crop, {}, {1, 2, 300, 200}},
             {EditStep::Kind::ClearInside, {}, {5, 6, 7, 8}},
             {EditStep::Kind::ClearOutside, {}, {0, 0, 99, 50}}};
  return s;
}

QJsonObject ExampleObject() {
  const std::string text = SetupFileText(Example());
  return QJsonDocument::fromJson(QByteArray::fromStdString(text)).object();
}

std::string Text(const QJsonObject& o) {
  return QJsonDocument(o).toJson().toStdString();
}

TEST(SetupFile, ReadsBackWhatItWroteFieldForField) {
  const ExtractionSetup s = Example();
  std::string why;
  const auto back = ReadSetupFileText(SetupFileText(s), why);
  ASSERT_TRUE(back) << why;
  EXPECT_EQ(back->unit, s.unit);
  EXPECT_EQ(back->vmin, s.vmin);
  EXPECT_EQ(back->vmax, s.vmax);
  EXPECT_EQ(back->min, s.min);
  EXPECT_EQ(back->max, s.max);
  EXPECT_EQ(back->match, s.match);
  EXPECT_EQ(back->strict, s.strict);
  EXPECT_EQ(back->thorough, s.thorough);
  EXPECT_EQ(back->onePointPerChannel, s.onePointPerChannel);
  EXPECT_EQ(back->channels, s.channels);
  ASSERT_EQ(back->edits.size(), s.edits.size());
  for (std::size_t i = 0; i < s.edits.size(); ++i) {
    EXPECT_EQ(back->edits[i].kind, s.edits[i].kind) << i;
    EXPECT_EQ(back->edits[i].text, s.edits[i].text) << i;
    EXPECT_EQ(back->edits[i].turns, s.edits[i].turns) << i;
    EXPECT_EQ(back->edits[i].rect, s.edits[i].rect) << i;
  }
  // Written again, the same bytes.
  EXPECT_EQ(SetupFileText(*back), SetupFileText(s));
}

TEST(SetupFile, RefusesEveryMalformedSetupSayingWhy) {
  struct Case {
    const char* name;
    std::function<std::string()> text;
    const char* says;
  };
  const auto changed = [](const std::function<void(QJsonObject&)>& change) {
    return [change] {
      QJsonObject o = ExampleObject();
      change(o);
      return Text(o);
    };
  };
  Bitmap large(1025, 2);
  const std::string largePng = EncodePng(large);
  const std::vector<Case> cases = {
      {"not JSON", [] { return std::string("{\"format\": "); }, "not JSON"},
      {"a list", [] { return std::string("[1, 2]"); }, "not a Quorvix setup"},
      {"other format", changed([](QJsonObject& o) { o["format"] = "Engauge"; }), "not a Quorvix setup"},
      {"version 2", changed([](QJsonObject& o) { o["version"] = 2; }), "version 2"},
      {"version text", changed([](QJsonObject& o) { o["version"] = "1"; }), "version"},
      {"no vmax", changed([](QJsonObject& o) { o.remove("vmax"); }), "\"vmax\" is missing"},
      {"no edits", changed([](QJsonObject& o) { o.remove("edits"); }), "\"edits\" is missing"},
      {"strict as text", changed([](QJsonObject& o) { o["strict"] = "yes"; }),
       "\"strict\" is not true or false"},
      {"match as number", changed([](QJsonObject& o) { o["match"] = 60; }), "\"match\" is not text"},
      {"unknown edit", changed([](QJsonObject& o) {
         o["edits"] = QJsonArray{QJsonObject{{"edit", "sharpen"}}};
       }),
       "\"sharpen\""},
      {"rect of three", changed([](QJsonObject& o) {
         o["edits"] = QJsonArray{QJsonObject{{"edit", "crop"}, {"rect", QJsonArray{1, 2, 3}}}};
       }),
       "\"rect\" of edit 1"},
      {"rotation without angles", changed([](QJsonObject& o) {
         o["edits"] = QJsonArray{QJsonObject{{"edit", "rotate"}}};
       }),
       "\"angles\" of edit 1 is missing"},
      {"template not base64", changed([](QJsonObject& o) { o["unit"] = "***"; }), "not base64"},
      {"template not PNG",
       changed([](QJsonObject& o) { o["unit"] = QString::fromLatin1(QByteArray("not a png").toBase64()); }),
       "does not decode"},
      {"template too large", changed([&](QJsonObject& o) {
         o["unit"] = QString::fromLatin1(QByteArray::fromStdString(largePng).toBase64());
       }),
       "larger than 1024 x 1024"},
  };
  for (const Case& c : cases) {
    std::string why;
    EXPECT_FALSE(ReadSetupFileText(c.text(), why)) << c.name;
    EXPECT_NE(why.find(c.says), std::string::npos) << c.name << ": " << why;
    EXPECT_EQ(why.find('\n'), std::string::npos) << c.name;
  }
}

}  // namespace
