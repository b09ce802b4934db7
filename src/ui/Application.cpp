#include "ui/Application.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QUndoStack>

#include "Stringop/NumberTextEditing.h"
#include "app/Lifecycle.h"
#include "app/PreviewCommands.h"
#include "app/RunExtraction.h"
#include "app/SetupCommands.h"
#include "extract/ChannelExtraction.h"
#include "extract/ThoroughExtraction.h"
#include "extract/UnitCapture.h"
#include "image/EditCommands.h"
#include "image/FileCommands.h"
#include "image/RotationCommands.h"
#include "output/AsciiFile.h"
#include "ui/AscIIForm.h"
#include "ui/HelpMenu.h"
#include "ui/MainView.h"
#include "ui/MainWindowUi.h"
#include "ui/PictureArea.h"
#include "ui/PictureTransfer.h"
#include "ui/PointEditor.h"
#include "ui/QuorvixMain.h"
#include "ui/RecentPictures.h"
#include "ui/RotateUnit.h"

Application::Application() {
  // The bitmaps exist with the state; the windows follow in their order.
  form1_ = std::make_unique<TForm1>();
  ui_ = std::make_unique<MainWindowUi>(state_, *form1_);
  form3_ = std::make_unique<TForm3>(state_, *ui_, form1_.get());
  form2_ = std::make_unique<TForm2>(state_);
  ui_->setPreviewWindow(form2_.get());
  view_ = std::make_unique<MainView>(state_, *ui_, *form1_);
  // Every command that changes the picture repaints it: the point edits'
  // steps go when the points' centres went with the picture.
  ui_->setRepaintHandler([this] {
    view_->FormPaint();
    if (editor_) editor_->pictureMayHaveChanged();
  });
  ui_->setOutlineHandler([this] { view_->DrawSelectionOutline(); });
  editor_ = std::make_unique<PointEditor>(state_, *ui_, *form1_->pictureArea());
  form1_->pictureArea()->onPaintOverlay = [this](QPainter& painter) {
    view_->paintOverlay(painter, editor_->edits());
  };
  form1_->pictureArea()->onPointerEvent = [this](QMouseEvent* event) { return editor_->pointerEvent(event); };
  form2_->selectedPoints = [this] { return editor_->selection(); };
  QObject::connect(form2_.get(), &TForm2::pointClicked, [this](int index) {
    editor_->selectOnly(index);
    if (index >= 0 && static_cast<std::size_t>(index) < state_.FoundCentres.size())
      view_->scrollTo(state_.FoundCentres[static_cast<std::size_t>(index)]);
  });
  QObject::connect(&editor_->undoStack(), &QUndoStack::canUndoChanged, form1_->EditUndo,
                   &QAction::setEnabled);
  QObject::connect(&editor_->undoStack(), &QUndoStack::canRedoChanged, form1_->EditRedo,
                   &QAction::setEnabled);
  ui_->setRotateAngleField(form3_->RotateEdit);
  recent_ = std::make_unique<RecentPictures>(*form1_->FileOpenRecent, RecentPictures::DefaultSettingsFile());
  ui_->setPictureOpenedHandler(
      [this](const std::string& path) { recent_->add(QString::fromStdString(path)); });
  form1_->pictureArea()->onZoomWheel = [this](int steps, int x, int y) { view_->zoomAt(steps, x, y); };
  help_ = std::make_unique<HelpMenu>(*form1_, *ui_);
  connectHandlers();
  QObject::connect(form2_.get(), &TForm2::escapePressed, [this] { PreviewEscape(state_, *ui_); });
}

Application::~Application() = default;

void Application::start(const std::string& executablePath, const std::string& picturePath) {
  StartUp(state_, *ui_, executablePath);
  form1_->show();
  form1_->FormResize();
  if (!picturePath.empty()) LoadBitmapFromPath(state_, *ui_, picturePath);
}

void Application::connectHandlers() {
  MainWindowHandlers h;
  h.closeRequested = [this] {
    if (state_.RunInProgress) {
      // Stop the run as Esc does; the window closes once it has ended.
      state_.StopRequested = true;
      closeAfterRun_ = true;
      return false;
    }
    if (!CloseMainWindow(state_, *ui_)) return false;
    form2_->close();
    form3_->close();
    help_->closeWindows();
    return true;
  };
  // A picture loaded leaves no points and no centres: the point edits' steps go.
  const auto loaded = [this] {
    if (state_.DataPointCount == 0 && state_.FoundCentres.empty()) editor_->reset();
  };
  h.loadBitmap = [this, loaded] {
    LoadBitmapCommand(state_, *ui_);
    loaded();
  };
  h.fileDropped = [this, loaded](const QString& path) {
    LoadPictureCommand(state_, *ui_, path.toStdString());
    loaded();
  };
  h.paste = [this, loaded] {
    PasteFromClipboard(state_, *ui_);
    loaded();
  };
  QObject::connect(recent_.get(), &RecentPictures::picked, [this, loaded](const QString& path) {
    LoadPictureCommand(state_, *ui_, path.toStdString());
    loaded();
  });
  h.saveBitmap = [this] { SaveBitmapCommand(state_, *ui_); };
  h.undoAll = [this] { UndoAllCommand(state_, *ui_); };
  h.saveAscii = [this] { SaveAsciiDataCommand(state_, *ui_); };
  h.saveSetup = [this] { SaveSetupCommand(state_, *ui_); };
  h.openSetup = [this] { OpenSetupCommand(state_, *ui_); };
  h.setAsUnit = [this] { SetasUnitButtonClick(state_, *ui_); };
  h.createAscii = [this] {
    const bool ran = !state_.RunInProgress;
    CreateBtnClick(state_, *ui_);
    if (ran) editor_->reset();
    if (closeAfterRun_) {
      closeAfterRun_ = false;
      form1_->close();
    }
  };
  h.discardColour = [this] { DiscardColourCommand(state_, *ui_); };
  h.reduceBitmap = [this] { ReduceBitmapCommand(state_, *ui_); };
  h.rotateBitmap = [this] { RotateBitmapCommand(state_, *ui_, [this] { form3_->exec(); }); };
  h.cropImage = [this] { CropImageCommand(state_, *ui_); };
  h.clearInside = [this] { ClearInsideCommand(state_, *ui_); };
  h.clearOutside = [this] { ClearOutsideCommand(state_, *ui_); };
  h.deletePressed = [this] { DeleteKeyCommand(state_, *ui_); };
  h.greyLimitEntered = [this] { GreyLimitCommand(state_, *ui_, [this] { form1_->PanelBtn->setFocus(); }); };
  h.escapePressed = [this] { state_.StopRequested = true; };
  h.thoroughMatchingToggled = [this](bool checked) { ThoroughMatchingClick(state_, *ui_, checked); };
  h.onePointPerChannelToggled = [this](bool checked) { OnePointPerChannelClick(state_, *ui_, checked); };
  h.showFoundPointsToggled = [this](bool checked) { view_->showFoundPoints(checked); };
  h.showUnmatchedInkToggled = [this](bool checked) { view_->showUnmatchedInk(checked); };
  h.editPointsToggled = [this](bool checked) { editor_->setActive(checked); };
  h.undoPointEdit = [this] { editor_->undo(); };
  h.redoPointEdit = [this] { editor_->redo(); };
  h.showHelp = [this] { help_->showGuide(); };
  h.showShortcuts = [this] { help_->showShortcuts(); };
  h.showAbout = [this] { help_->showAbout(); };
  h.pointKeyPressed = [this](int key, Qt::KeyboardModifiers modifiers, bool inField) {
    return editor_->keyPressed(key, modifiers, inField);
  };
  h.numberFieldEntered = [](QLineEdit* field) {
    std::string text = field->text().toStdString();
    CleanNumberText(text);
    field->setText(QString::fromStdString(text));
  };
  h.numberFieldPointed = h.numberFieldEntered;
  h.zoomDown = [this] { view_->zoomDown(); };
  h.zoomUp = [this] { view_->zoomUp(); };
  h.viewChanged = [this] { view_->FormPaint(); };
  h.mouseDown = [this](Qt::MouseButton b, int x, int y) { view_->FormMouseDown(b, x, y); };
  h.mouseMove = [this](int x, int y) { view_->FormMouseMove(x, y); };
  h.mouseUp = [this](Qt::MouseButton b, int, int) { view_->FormMouseUp(b); };
  form1_->setHandlers(std::move(h));
}
