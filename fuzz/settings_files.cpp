// Any content in the settings file and the last-directory file, read at
// start-up: the values stay within their ranges, the fields show numbers, the
// open dialog starts in a folder that exists, and the settings written at
// close read back to the same settings.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzInput.h"
#include "Stringop/PathText.h"
#include "app/Settings.h"
#include "support/FakeUi.h"
#include "support/TempDir.h"

namespace {

struct ProgramFolder {
  TempDir dir;
  AppState state;
  FakeUi ui;

  ProgramFolder() {
    state.ProgramDir = dir.path();
    state.SettingsPath = dir.file(SettingsFileName);
    state.ExchangeListPath = dir.file(ExchangeListFileName);
    state.MarkerPath = dir.file(MarkerFileName);
    state.OpenDialogDir = dir.path();
  }
};

void CheckAfterStart(const ProgramFolder& f) {
  const AppState& s = f.state;
  if (!(s.MatchFraction >= 0.0 && s.MatchFraction <= 1.0)) FuzzFailure("the match left 0..1");
  for (const double v : {s.VminValue, s.VmaxValue, s.MinValue, s.MaxValue}) {
    if (!std::isfinite(v)) FuzzFailure("a setting is not finite");
  }
  const std::string match = f.ui.fieldText(Field::Match);
  if (match.empty() || match.find_first_not_of("0123456789") != std::string::npos || match.size() > 3 ||
      std::stoi(match) > 100) {
    FuzzFailure("the match field shows " + match);
  }
  if (s.OpenDialogDir != s.ProgramDir && !DirectoryExists(s.OpenDialogDir)) {
    FuzzFailure("the open dialog starts in the missing folder " + s.OpenDialogDir);
  }
  if (!ReadWholeFile(s.ExchangeListPath).empty()) FuzzFailure("the exchange list is not empty");
  if (!FileExists(s.MarkerPath)) FuzzFailure("no marker after the start");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  const std::string lastDirectory = in.text(512);
  const std::string settings = in.rest();

  ProgramFolder first;
  WriteWholeFile(first.state.SettingsPath, settings);
  WriteWholeFile(LastDirectoryPath(first.state), lastDirectory);
  ReadSettings(first.state, first.ui);
  CheckAfterStart(first);
  WriteSettings(first.state, first.ui);
  const std::string written = ReadWholeFile(first.state.SettingsPath);

  // The next start shows the stored values; closing again stores them
  // unchanged. (Fifteen digits of the very largest doubles, 1.79769313486232E+308,
  // lie beyond the double range and read as 0: those cannot come back.)
  if (written.find("E+308") != std::string::npos) return 0;
  ProgramFolder second;
  WriteWholeFile(second.state.SettingsPath, written);
  ReadSettings(second.state, second.ui);
  CheckAfterStart(second);
  WriteSettings(second.state, second.ui);
  const std::string rewritten = ReadWholeFile(second.state.SettingsPath);
  if (rewritten != written)
    FuzzFailure("settings changed on the way round:\n" + written + "then\n" + rewritten);
  return 0;
}
