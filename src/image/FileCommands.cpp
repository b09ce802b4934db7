#include "image/FileCommands.h"

#include "Stringop/PathText.h"
#include "image/BitmapFile.h"
#include "image/PdfPages.h"
#include "image/PictureFormats.h"

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
  const auto chosen = ui.chooseOpenFile(PictureOpenFilter(), state.OpenDialogDir);
  if (!chosen) return;
  LoadBitmapFromPath(state, ui, *chosen);
}

namespace {

// Starts editing afresh from a picture read from `source`.
void StartFromPicture(AppState& state, Ui& ui, Bitmap picture, const std::string& source) {
  state.Zoom = 1;
  state.AsciiSaved = true;
  state.BaseImage = std::move(picture);
  state.WorkImage = state.BaseImage;
  state.DiskImage = state.BaseImage;
  state.FoundCentres.clear();  // found on another picture
  state.PictureEdits.clear();
  ui.hidePreview();
  EnableImageCommands(ui);
  state.DataPointCount = 0;
  ui.setStatusText(StatusFile, source);
  state.GreyLimit = 255;
  ui.setFieldText(Field::WhiteLimit, "255");
  ui.repaintMain();
}

// Renders the page of a PDF document given or chosen; false when it fails
// (with `error` set) or the choice is cancelled (`error` empty).
bool LoadPdfPicture(Ui& ui, const std::string& path, const std::optional<PdfPageChoice>& given, Bitmap& out,
                    std::string& error) {
  PdfPageChoice choice;
  if (given) {
    choice = *given;
  } else {
    const int pages = PdfPageCount(path, error);
    if (pages == 0) return false;
    const auto chosen = ui.choosePdfPage(path, pages, choice);
    if (!chosen) return false;
    choice = *chosen;
  }
  return LoadPdfPage(path, choice, out, error);
}

}  // namespace

bool LoadBitmapFromPath(AppState& state, Ui& ui, const std::string& path,
                        const std::optional<PdfPageChoice>& pdf) {
  state.OpenDialogDir = DirectoryOfPath(path);

  Bitmap loaded;
  std::string error;
  const bool read =
      IsPdfFile(path) ? LoadPdfPicture(ui, path, pdf, loaded, error) : LoadBitmapFile(path, loaded, error);
  if (!read) {
    // Nothing else changes, so unsaved data keeps its close question.
    if (!error.empty()) ui.showError(error);
    return false;
  }
  StartFromPicture(state, ui, std::move(loaded), path);
  ui.pictureOpened(path);
  return true;
}

bool LoadPictureCommand(AppState& state, Ui& ui, const std::string& path) {
  if (state.RunInProgress) return false;
  return LoadBitmapFromPath(state, ui, path);
}

bool PastePictureCommand(AppState& state, Ui& ui, int width, int height,
                         const std::function<Bitmap()>& convert) {
  if (state.RunInProgress) return false;
  if (width <= 0 || height <= 0) {
    ui.showError("Cannot paste: the clipboard holds no picture");
    return false;
  }
  if (!PictureSizeAllowed(width, height)) {
    ui.showError("Cannot paste the picture: " + PictureTooLargeText(width, height));
    return false;
  }
  Bitmap picture = convert();
  if (picture.empty()) {
    ui.showError("Cannot paste the picture: out of memory");
    return false;
  }
  StartFromPicture(state, ui, std::move(picture), ClipboardSource);
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
