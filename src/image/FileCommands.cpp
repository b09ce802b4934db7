#include "image/FileCommands.h"

#include "Stringop/PathText.h"
#include "image/BitmapFile.h"

namespace {

void EnableImageCommands(Ui& ui) {
  for (const Control c :
       {Control::SetAsUnit, Control::CropImage, Control::ClearInside, Control::ClearOutside,
        Control::SaveBitmap, Control::UndoAll, Control::RotateBitmap, Control::ReduceBitmap}) {
    ui.setEnabled(c, true);
  }
  ui.setEnabled(Control::SaveAscii, false);
}

}  // namespace

void LoadBitmapCommand(AppState& state, Ui& ui) {
  if (state.RunInProgress) return;
  const auto chosen = ui.chooseOpenFile("Windows Bitmaps|*.BMP", state.OpenDialogDir);
  if (!chosen) return;
  LoadBitmapFromPath(state, ui, *chosen);
}

bool LoadBitmapFromPath(AppState& state, Ui& ui, const std::string& path) {
  state.OpenDialogDir = DirectoryOfPath(path);

  Bitmap loaded;
  std::string error;
  if (!LoadBitmapFile(path, loaded, error)) {
    // Nothing else changes, so unsaved data keeps its close question.
    ui.showError(error);
    return false;
  }
  state.Zoom = 1;
  state.AsciiSaved = true;
  state.BaseImage = std::move(loaded);
  state.WorkImage = state.BaseImage;
  state.DiskImage = state.BaseImage;
  state.FoundCentres.clear();  // found on another picture
  state.PictureEdits.clear();
  ui.hidePreview();
  EnableImageCommands(ui);
  state.DataPointCount = 0;
  ui.setStatusText(StatusFile, path);
  state.GreyLimit = 255;
  ui.setFieldText(Field::WhiteLimit, "255");
  ui.repaintMain();
  return true;
}

std::string BitmapSaveName(const std::string& chosen) {
  return RemoveExtension(chosen) + ".BMP";
}

void SaveBitmapCommand(AppState& state, Ui& ui) {
  // During a run WorkImage shows the symbols found so far erased.
  if (state.RunInProgress) return;
  const auto chosen = ui.chooseSaveFile(SaveDialog::Bitmap, "Bitmap File|*.BMP", state.SaveBitmapFileName);
  if (!chosen) return;
  const std::string name = BitmapSaveName(*chosen);
  state.SaveBitmapFileName = name;
  if (FileExists(name) && ui.ask(QuestionType::Confirmation, QuestionButtons::YesNo,
                                 "A file with the name " + FileNameOfPath(name) +
                                     " already exists. Overwrite ?") != Answer::Yes) {
    return;
  }
  std::string error;
  if (!SaveBitmapFile(name, state.WorkImage, error)) ui.showError(error);
}

void UndoAllCommand(AppState& state, Ui& ui) {
  if (state.RunInProgress) return;
  if (ui.ask(QuestionType::Confirmation, QuestionButtons::YesCancel,
             "Restore original image (as it was on the disk) ?") != Answer::Yes) {
    return;
  }
  ui.setFieldText(Field::WhiteLimit, "255");
  state.BaseImage = state.DiskImage;
  state.WorkImage = state.BaseImage;
  state.FoundCentres.clear();  // they no longer match the picture
  state.PictureEdits.clear();
  ui.repaintMain();
}
