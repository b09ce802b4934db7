#include "app/Lifecycle.h"

#include "Stringop/PathText.h"
#include "app/ProgramFiles.h"
#include "app/Settings.h"

void StartUp(AppState& state, Ui& ui, const std::string& executablePath) {
  state.VelocityArray.clear();
  state.CountsArray.clear();

  state.PlotCaptions.TitleLeft.clear();
  state.PlotCaptions.TitleRight = PreviewTitle;
  state.PlotCaptions.XCaption = "v [mm/s]";
  state.PlotCaptions.YCaption = "Counts";
  state.PlotCaptions.XMin = 0.0;
  state.PlotCaptions.XMax = 0.0;
  state.PlotCaptions.YMin = 0.0;
  state.PlotCaptions.YMax = 0.0;

  state.ProgramDir = DirectoryOfPath(executablePath);
  state.FilesDir = ProgramFilesFolder(state.ProgramDir);
  state.SettingsPath = JoinPath(state.FilesDir, SettingsFileName);
  state.ExchangeListPath = JoinPath(state.FilesDir, ExchangeListFileName);
  state.MarkerPath = JoinPath(state.FilesDir, MarkerFileName);
  // An installed program's folder is no place to look for pictures.
  state.OpenDialogDir = state.FilesDir == state.ProgramDir ? state.ProgramDir : HomeFolder();

  ReadSettings(state, ui);
}

bool CloseMainWindow(AppState& state, Ui& ui) {
  if (!state.AsciiSaved && ui.ask(QuestionType::Warning, QuestionButtons::YesNo,
                                  "There wasn't any ASCII file saved yet. Exit anyway ?") != Answer::Yes) {
    return false;
  }
  WriteSettings(state, ui);
  state.VelocityArray.clear();
  state.CountsArray.clear();
  return true;
}
