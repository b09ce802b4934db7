#include "ui/MainWindowUi.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>

#include "image/QtPictures.h"
#include "state/AppState.h"
#include "ui/AscIIForm.h"
#include "ui/PanelWidgets.h"
#include "ui/QuorvixMain.h"
#include "ui/StatusPanels.h"

namespace {
QString Q(const std::string& text) {
  return QString::fromStdString(text);
}
}  // namespace

MainWindowUi::MainWindowUi(AppState& state, TForm1& mainWindow)
    : state_(state), main_(mainWindow), qtDialogs_(std::make_unique<QtDialogs>(&mainWindow)) {}

MainWindowUi::~MainWindowUi() = default;

Dialogs& MainWindowUi::dialogs() const {
  return dialogs_ != nullptr ? *dialogs_ : *qtDialogs_;
}

Answer MainWindowUi::ask(QuestionType type, QuestionButtons buttons, const std::string& text) {
  return dialogs().ask(type, buttons, text);
}
void MainWindowUi::showError(const std::string& text) {
  dialogs().showError(text);
}
void MainWindowUi::showMessage(const std::string& text) {
  dialogs().showMessage(text);
}
std::optional<PdfPageChoice> MainWindowUi::choosePdfPage(const std::string& path, int pageCount,
                                                         const PdfPageChoice& proposed) {
  return dialogs().choosePdfPage(path, pageCount, proposed);
}

void MainWindowUi::pictureOpened(const std::string& path) {
  if (pictureOpened_) pictureOpened_(path);
}

std::optional<std::string> MainWindowUi::chooseOpenFile(const std::string& filter,
                                                        const std::string& initialDir) {
  return dialogs().chooseOpenFile(filter, initialDir);
}
std::optional<std::string> MainWindowUi::chooseSaveFile(SaveDialog dialog, const std::string& filter,
                                                        const std::string& proposedName) {
  return dialogs().chooseSaveFile(dialog, filter, proposedName);
}

std::string MainWindowUi::statusText(int panel) const {
  return main_.statusBar()->text(panel).toStdString();
}

void MainWindowUi::setStatusText(int panel, const std::string& text) {
  main_.statusBar()->setText(panel, Q(text));
  // Long commands set a counter per row: show it at once, but at most every
  // few frames, so the counter costs nothing next to the work.
  if (!statusClock_.isValid() || statusClock_.elapsed() >= 30) {
    main_.statusBar()->repaint();
    statusClock_.start();
  }
}

QLineEdit* MainWindowUi::field(Field which) const {
  switch (which) {
    case Field::Match:
      return main_.MatchEdit;
    case Field::Vmin:
      return main_.VminEdit;
    case Field::Vmax:
      return main_.VMaxEdit;
    case Field::Min:
      return main_.MinEdit;
    case Field::Max:
      return main_.MaxEdit;
    case Field::WhiteLimit:
      return main_.WhiteLimit;
    case Field::RotateAngle:
      return rotateAngle_;
    case Field::Channels:
      return main_.ChannelsEdit;
  }
  return nullptr;
}

std::string MainWindowUi::fieldText(Field which) const {
  const QLineEdit* edit = field(which);
  return edit != nullptr ? edit->text().toStdString() : std::string();
}

void MainWindowUi::setFieldText(Field which, const std::string& text) {
  if (QLineEdit* edit = field(which)) edit->setText(Q(text));
}

void MainWindowUi::setOptionChecked(Option option, bool checked) {
  QAbstractButton* box = option == Option::StrictMatch ? main_.StrictCheck : nullptr;
  QAction* item = option == Option::ThoroughMatching     ? main_.EditThorough
                  : option == Option::OnePointPerChannel ? main_.EditChannels
                                                         : nullptr;
  if (box != nullptr) box->setChecked(checked);
  if (item != nullptr) {
    const QSignalBlocker quiet(item);
    item->setChecked(checked);
  }
}

bool MainWindowUi::strictMatchChecked() const {
  return main_.StrictCheck->isChecked();
}

namespace {

QWidget* ControlWidget(const TForm1& w, Control control) {
  switch (control) {
    case Control::CropImage:
      return w.CropImageButton;
    case Control::ClearInside:
      return w.ClearInsideButton;
    case Control::ClearOutside:
      return w.ClearOutsideButton;
    case Control::SetAsUnit:
      return w.SetasUnitButton;
    case Control::CreateAscii:
      return w.CreateBtn;
    case Control::ButtonPanel:
      return w.PanelBtn;
    case Control::MatchField:
      return w.MatchEdit;
    case Control::StrictMatch:
      return w.StrictCheck;
    case Control::ChannelsField:
      return w.ChannelsEdit;
    default:
      return nullptr;
  }
}

QAction* ControlAction(const TForm1& w, Control control) {
  switch (control) {
    case Control::LoadBitmap:
      return w.LoadBitmap1;
    case Control::SaveBitmap:
      return w.FileSaveBitmap;
    case Control::SaveAscii:
      return w.FileSaveAscii;
    case Control::DiscardColour:
      return w.Grayscale1;
    case Control::ReduceBitmap:
      return w.EditReduce;
    case Control::RotateBitmap:
      return w.EditRotatebitmap;
    case Control::UndoAll:
      return w.EditUndoall;
    default:
      return nullptr;
  }
}

}  // namespace

bool MainWindowUi::isEnabled(Control control) const {
  if (QWidget* widget = ControlWidget(main_, control)) return widget->isEnabled();
  if (QAction* action = ControlAction(main_, control)) return action->isEnabled();
  return false;
}

void MainWindowUi::setEnabled(Control control, bool enabled) {
  if (QWidget* widget = ControlWidget(main_, control)) widget->setEnabled(enabled);
  if (control == Control::MatchField) main_.Label5->setEnabled(enabled);
  if (control == Control::ChannelsField) main_.showChannelsField(enabled);
  if (QAction* action = ControlAction(main_, control)) action->setEnabled(enabled);
}

void MainWindowUi::repaintMain() {
  if (repaint_) repaint_();
}

void MainWindowUi::drawSelectionOutline() {
  if (drawOutline_) drawOutline_();
}

void MainWindowUi::unitPictureChanged() {
  const Bitmap& picture = state_.UnitImagePicture;
  main_.UnitImage->setPicture(picture.empty() ? QImage() : ImageFromPicture(picture));
}

void MainWindowUi::showPreview() {
  if (preview_ != nullptr) preview_->ShowPreview();
}

void MainWindowUi::hidePreview() {
  if (preview_ != nullptr) preview_->hide();
}

void MainWindowUi::setPreviewCaption(const std::string& text) {
  if (preview_ != nullptr) preview_->SetPreviewCaption(text);
}

void MainWindowUi::repaintPreview() {
  if (preview_ != nullptr) preview_->RepaintPreview();
}

void MainWindowUi::setBusy(bool busy) {
  // One pointer for the whole program, so that no control (an edit field's
  // text cursor, say) shows anything else while a command works.
  if (busy && !busy_) QApplication::setOverrideCursor(Qt::WaitCursor);
  if (!busy && busy_) QApplication::restoreOverrideCursor();
  busy_ = busy;
}

void MainWindowUi::processPendingMessages() {
  QApplication::processEvents();
}
