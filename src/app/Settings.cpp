#include "app/Settings.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "Stringop/FileReplacing.h"
#include "Stringop/LineFile.h"
#include "Stringop/NumberFormatting.h"
#include "Stringop/NumberTextEditing.h"
#include "Stringop/PathText.h"
#include "Stringop/Rounding.h"
#include "Stringop/TextFile.h"

namespace {

constexpr int SettingsDigits = 3;
constexpr int ReadDigits = 6;

double ClampMatchFraction(double value) {
  if (!(value >= 0.0)) return 0.0;  // also catches NaN
  if (value > 1.0) return 1.0;
  return value;
}

// Only a file, or a link, is ever deleted as the marker: a folder or a
// device that happens to bear its name stays.
bool IsRemovableMarker(const std::string& path) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::symlink_status(path, error);
  return std::filesystem::is_regular_file(status) || std::filesystem::is_symlink(status);
}

// Size of the marker file, or -1 when it cannot be opened.
long MarkerSize(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return -1;
  long size = -1;
  if (std::fseek(file, 0, SEEK_END) == 0) size = std::ftell(file);
  std::fclose(file);
  return size;
}

}  // namespace

std::string LastDirectoryPath(const AppState& state) {
  return JoinPath(state.FilesDir, LastDirectoryFileName);
}

void ReadSettings(AppState& state, Ui& ui) {
  // R1: the exchange list starts empty in every run.
  TextFileWriter(state.ExchangeListPath, TextFileWriter::Mode::Truncate).close();

  // R2: the five values; the fields show them only when the whole read succeeded.
  if (FileExists(state.SettingsPath)) {
    TextFileReader settings(state.SettingsPath);
    state.MatchFraction = ClampMatchFraction(TextToNumber(settings.readLine(), ReadDigits));
    state.VminValue = TextToNumber(settings.readLine(), ReadDigits);
    state.VmaxValue = TextToNumber(settings.readLine(), ReadDigits);
    state.MinValue = TextToNumber(settings.readLine(), ReadDigits);
    state.MaxValue = TextToNumber(settings.readLine(), ReadDigits);
    if (settings.close()) SettingsToFields(state, ui);
  }

  // R3: the marker says a run is in progress; remember whether we made it.
  if (!FileExists(state.MarkerPath)) {
    state.MarkerCreated = true;
    TextFileWriter(state.MarkerPath, TextFileWriter::Mode::Truncate).close();
  }

  // R4: the open dialog starts in the stored directory while it still exists.
  std::string lastDirectory;
  if (ReadLineFile(LastDirectoryPath(state), lastDirectory) && DirectoryExists(lastDirectory)) {
    state.OpenDialogDir = lastDirectory;
  }
}

void SettingsToFields(const AppState& state, Ui& ui) {
  ui.setFieldText(Field::Match, std::to_string(RoundToInt(state.MatchFraction * 100.0, ui)));
  ui.setFieldText(Field::Vmin, FormatNumber(SettingsDigits, state.VminValue));
  ui.setFieldText(Field::Vmax, FormatNumber(SettingsDigits, state.VmaxValue));
  ui.setFieldText(Field::Min, FormatNumber(SettingsDigits, state.MinValue));
  ui.setFieldText(Field::Max, FormatNumber(SettingsDigits, state.MaxValue));
}

void FieldsToSettings(AppState& state, const Ui& ui) {
  state.MatchFraction = TextToNumber(ui.fieldText(Field::Match), ReadDigits) / 100.0;
  state.VminValue = TextToNumber(ui.fieldText(Field::Vmin), ReadDigits);
  state.VmaxValue = TextToNumber(ui.fieldText(Field::Vmax), ReadDigits);
  state.MinValue = TextToNumber(ui.fieldText(Field::Min), ReadDigits);
  state.MaxValue = TextToNumber(ui.fieldText(Field::Max), ReadDigits);
}

void WriteSettings(AppState& state, Ui& ui) {
  // W1, W2.
  FieldsToSettings(state, ui);
  // The file is replaced only by a complete one: a full disk or a vanished
  // folder keeps the settings of the last good close.
  std::string settings;
  for (const double value :
       {state.MatchFraction, state.VminValue, state.VmaxValue, state.MinValue, state.MaxValue}) {
    settings += FormatNumber(SettingsDigits, value) + "\r\n";
  }
  WriteFileReplacing(state.SettingsPath, settings);

  // W3: a marker we made, or an empty one, goes; a non-empty foreign one stays.
  if ((state.MarkerCreated || MarkerSize(state.MarkerPath) == 0) && IsRemovableMarker(state.MarkerPath)) {
    std::remove(state.MarkerPath.c_str());
  }

  // W4.
  WriteLineFile(LastDirectoryPath(state), state.OpenDialogDir);
}
