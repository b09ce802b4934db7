#include "output/AsciiFile.h"

#include <algorithm>

#include "Stringop/NumberFormatting.h"
#include "Stringop/PathText.h"
#include "output/ExchangeList.h"

namespace {

constexpr int DataDigits = 6;
constexpr const char* LineEnd = "\r\n";

}  // namespace

std::string AsciiFileText(const AppState& state, const std::string& dataStatus,
                          const std::string& picturePath) {
  std::string text = "!Quorvix " + dataStatus + "  " + FileNameOfPath(picturePath) + LineEnd;
  const std::size_t stored = std::min(state.VelocityArray.size(), state.CountsArray.size());
  const std::size_t count = std::min(static_cast<std::size_t>(std::max(state.DataPointCount, 0)), stored);
  for (std::size_t i = 0; i < count; ++i) {
    text += FormatNumber(DataDigits, state.VelocityArray[i]) + "," +
            FormatNumber(DataDigits, state.CountsArray[i]) + LineEnd;
  }
  return text;
}

void SaveAsciiDataCommand(AppState& state, Ui& ui) {
  if (state.DataPointCount == 0 || state.RunInProgress) return;
  const auto chosen = ui.chooseSaveFile(SaveDialog::Ascii, "Any File|*.*", state.SaveAsciiFileName);
  if (!chosen) return;
  const std::string& path = *chosen;
  state.SaveAsciiFileName = path;
  if (FileExists(path) && ui.ask(QuestionType::Confirmation, QuestionButtons::YesNo,
                                 "A file with the given name already exists. Overwrite ?") != Answer::Yes) {
    return;
  }
  const std::string shortPath = ShortPathName(path, true);
  const std::string content = AsciiFileText(state, ui.statusText(StatusData), ui.statusText(StatusFile));
  if (!WriteFileReplacing(path, content)) {
    // Nothing was saved: the close question still guards the data, and the
    // host is not told about a file that is not there.
    ui.showMessage("There was an I/O error while writing to the file:" + path);
    return;
  }
  state.AsciiSaved = true;
  AppendExchangeList(state, shortPath, path);
}
