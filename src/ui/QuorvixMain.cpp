#include "ui/QuorvixMain.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>

#include "ui/PanelWidgets.h"
#include "ui/PictureArea.h"
#include "ui/PictureTransfer.h"
#include "ui/StatusPanels.h"

namespace {

constexpr const char* WindowCaption = "Brenmark - Quorvix - https://quorvix.org";
constexpr int DesignClientWidth = 792;   // an 800 x 600 window less its frame,
constexpr int DesignClientHeight = 549;  // caption and menu bar
constexpr int FrameWidth = 8;            // left and right window borders together
constexpr int PanelScrollLimit = 540;    // client heights below this scroll the button panel
constexpr int ChannelsRowHeight = 28;    // what the "Channels" row adds to the selection box

template <typename W>
W* Place(W* widget, int left, int top, int width, int height) {
  widget->setGeometry(left, top, width, height);
  return widget;
}

QLabel* MakeLabel(const QString& text, QWidget* parent, int left, int top, bool bold = false) {
  auto* label = new QLabel(text, parent);  // owned by parent
  QFont font = label->font();
  font.setBold(bold);
  label->setFont(font);
  label->move(left, top);
  label->adjustSize();
  return label;
}

QLineEdit* MakeField(const QString& text, QWidget* parent, int left, int top, int width, int height,
                     bool bold = false) {
  auto* field = Place(new QLineEdit(text, parent), left, top, width, height);  // owned by parent
  if (bold) {
    QFont font = field->font();
    font.setBold(true);
    field->setFont(font);
  }
  return field;
}

QScrollBar* MakeScrollBar(Qt::Orientation orientation, QWidget* parent, int position) {
  auto* bar = new QScrollBar(orientation, parent);  // owned by parent
  bar->setRange(0, 100);
  bar->setPageStep(5);
  bar->setValue(position);
  bar->setFocusPolicy(Qt::NoFocus);
  return bar;
}

}  // namespace

TForm1::TForm1(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle(WindowCaption);
  setAcceptDrops(true);
  // MS Sans Serif at 8 points is 11 pixels high; Liberation Sans stands in
  // where it is missing.
  QFont windowFont;
  windowFont.setFamilies({"MS Sans Serif", "Liberation Sans", "Arial"});
  windowFont.setPixelSize(11);
  setFont(windowFont);

  pictureArea_ = new PictureArea(this);  // owned by the window
  QPalette palette = pictureArea_->palette();
  palette.setColor(QPalette::Window, palette.color(QPalette::ToolTipBase));
  pictureArea_->setPalette(palette);
  pictureArea_->setAutoFillBackground(false);
  setCentralWidget(pictureArea_);

  createMenus();
  createButtonPanel();
  createPictureControls();
  connectControls();

  resize(DesignClientWidth, DesignClientHeight + menuBar()->sizeHint().height());
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect available = screen->availableGeometry();
    move(available.center() - QPoint(width() / 2, height() / 2));
  }
  qApp->installEventFilter(this);
}

TForm1::~TForm1() {
  qApp->removeEventFilter(this);
}

void TForm1::createMenus() {
  QMenu* file = menuBar()->addMenu("File");
  LoadBitmap1 = file->addAction("Load Bitmap");
  FileOpenRecent = file->addMenu("Open Recent");
  FileSaveBitmap = file->addAction("Save Bitmap");
  file->addSeparator();
  FileSaveAscii = file->addAction("Save ASCII data");
  file->addSeparator();
  FileOpenSetup = file->addAction("Open Setup...");
  FileSaveSetup = file->addAction("Save Setup...");
  file->addSeparator();
  Exit1 = file->addAction("Exit");

  QMenu* edit = menuBar()->addMenu("Edit");
  Grayscale1 = edit->addAction("Discard color information");
  EditReduce = edit->addAction("Reduce bitmap size");
  EditRotatebitmap = edit->addAction("Rotate bitmap");
  edit->addSeparator();
  EditUndoall = edit->addAction("Undo all");
  edit->addSeparator();
  // Unchecked at every start; the settings file does not keep it.
  EditThorough = edit->addAction("Thorough matching");
  EditThorough->setCheckable(true);
  EditChannels = edit->addAction("One point per channel");
  EditChannels->setCheckable(true);

  edit->addSeparator();
  EditPoints = edit->addAction("Edit points");
  EditPoints->setCheckable(true);
  EditPoints->setShortcut(QKeySequence(Qt::Key_E));
  EditUndo = edit->addAction("Undo");
  EditUndo->setShortcut(QKeySequence::Undo);
  EditUndo->setEnabled(false);
  EditRedo = edit->addAction("Redo");
  EditRedo->setShortcut(QKeySequence::Redo);
  EditRedo->setEnabled(false);
  edit->addSeparator();
  EditPaste = edit->addAction("Paste");
  EditPaste->setShortcut(QKeySequence::Paste);

  QMenu* view = menuBar()->addMenu("View");
  ViewFoundPoints = view->addAction("Show found points");
  ViewFoundPoints->setCheckable(true);
  ViewFoundPoints->setChecked(true);
  ViewUnmatchedInk = view->addAction("Show unmatched ink");
  ViewUnmatchedInk->setCheckable(true);
  view->addSeparator();
  // The zoom buttons' steps.
  ViewZoomIn = view->addAction("Zoom In");
  ViewZoomIn->setShortcut(QKeySequence::ZoomIn);
  ViewZoomOut = view->addAction("Zoom Out");
  ViewZoomOut->setShortcut(QKeySequence::ZoomOut);

  QMenu* help = menuBar()->addMenu("Help");
  HelpContents = help->addAction("Quorvix Help");
  HelpContents->setShortcut(QKeySequence::HelpContents);
  HelpShortcuts = help->addAction("Keyboard Shortcuts");
  help->addSeparator();
  HelpAbout = help->addAction("About Quorvix");

  // The platform's standard keys.
  LoadBitmap1->setShortcut(QKeySequence::Open);
  FileSaveAscii->setShortcut(QKeySequence::Save);
  FileSaveBitmap->setShortcut(QKeySequence::SaveAs);
  Exit1->setShortcut(QKeySequence::Quit);
  // Some platforms name no key for Quit or Save As.
  if (Exit1->shortcut().isEmpty()) Exit1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  if (FileSaveBitmap->shortcut().isEmpty())
    FileSaveBitmap->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));

  FileSaveBitmap->setEnabled(false);
  EditReduce->setEnabled(false);
  EditRotatebitmap->setEnabled(false);
  EditUndoall->setEnabled(false);
}

void TForm1::createButtonPanel() {
  PanelBtn = new QWidget(pictureArea_);  // owned by the picture area, as all controls below
  PanelBtn->setAutoFillBackground(true);
  QPalette panelPalette = PanelBtn->palette();
  panelPalette.setColor(QPalette::Window, panelPalette.color(QPalette::Button));
  PanelBtn->setPalette(panelPalette);
  PanelBtn->setFocusPolicy(Qt::ClickFocus);
  // The picture area's pointer changes while the points are edited; the
  // controls on it keep theirs.
  PanelBtn->setCursor(Qt::ArrowCursor);
  PanelBtn->setGeometry(0, 0, 129, DesignClientHeight);

  PanelScroll = Place(new QScrollBar(Qt::Vertical, PanelBtn), 0, 0, 5, 537);
  PanelScroll->setPageStep(0);
  PanelScroll->setSingleStep(1);
  PanelScroll->setFocusPolicy(Qt::NoFocus);

  MovePanel = Place(new QWidget(PanelBtn), 8, 0, 121, 633);
  MovePanel->setFocusPolicy(Qt::StrongFocus);

  Panel1 = Place(new QFrame(MovePanel), 8, 8, 73, 25);
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  MakeLabel("Zoom:", Panel1, 6, 5);
  ZoomShowLabel = Place(new QLabel("1", Panel1), 30, 4, 36, 17);
  ZoomShowLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  QFont zoomFont = ZoomShowLabel->font();
  zoomFont.setBold(true);
  zoomFont.setPixelSize(13);
  ZoomShowLabel->setFont(zoomFont);
  ZoomSpin = Place(new ZoomButtons(MovePanel), 88, 8, 17, 25);

  LimitLabel = MakeLabel("Grey limit:", MovePanel, 8, 50);
  WhiteLimit = MakeField("255", MovePanel, 64, 45, 41, 21);

  GroupBox = Place(new QGroupBox("Selection", MovePanel), 8, 72, 97, 281);
  CropImageButton = Place(new QPushButton("Crop Image", GroupBox), 8, 16, 81, 25);
  ClearInsideButton = Place(new QPushButton("Clear Inside", GroupBox), 8, 48, 81, 25);
  ClearOutsideButton = Place(new QPushButton("Clear Outside", GroupBox), 8, 80, 81, 25);
  UnitImage = Place(new UnitPictureBox(GroupBox), 8, 112, 81, 73);
  SetasUnitButton = Place(new QPushButton("Set as Unit", GroupBox), 8, 192, 81, 25);
  Label5 = MakeLabel("Match % :", GroupBox, 8, 228);
  MatchEdit = MakeField("60", GroupBox, 56, 224, 33, 21);
  StrictCheck = Place(new QCheckBox("Strict Match", GroupBox), 8, 256, 81, 17);
  StrictCheck->setToolTip("Check this for color bitmaps if Quorvix identifies too many data points.");
  ChannelsLabel = MakeLabel("Channels:", GroupBox, 8, 284);
  ChannelsEdit = MakeField("auto", GroupBox, 60, 280, 31, 21);
  ChannelsEdit->setToolTip(
      "The number of velocity channels across the picture, or auto to find their spacing.");
  ChannelsLabel->hide();
  ChannelsEdit->hide();
  for (QPushButton* button : {CropImageButton, ClearInsideButton, ClearOutsideButton, SetasUnitButton}) {
    button->setEnabled(false);
  }

  Label2 = MakeLabel("Vmax:", MovePanel, 8, 374, true);
  VMaxEdit = MakeField("5.0", MovePanel, 40, 372, 65, 21, true);
  Label1 = MakeLabel("Vmin:", MovePanel, 8, 398, true);
  VminEdit = MakeField("-5.0", MovePanel, 40, 396, 65, 21, true);
  Label4 = MakeLabel("Max:", MovePanel, 8, 430, true);
  MaxEdit = MakeField("1.00", MovePanel, 32, 428, 73, 21, true);
  Label3 = MakeLabel("Min:", MovePanel, 8, 454, true);
  MinEdit = MakeField("0.90", MovePanel, 32, 452, 73, 21, true);

  CreateBtn = Place(new QPushButton("Create ASCII", MovePanel), 8, 490, 97, 25);
  CreateBtn->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
  CreateBtn->setEnabled(false);

  for (QLineEdit* field : {VminEdit, VMaxEdit, MinEdit, MaxEdit}) field->setMouseTracking(true);
}

void TForm1::showChannelsField(bool shown) {
  if (ChannelsEdit->isVisibleTo(GroupBox) == shown) return;
  const int by = shown ? ChannelsRowHeight : -ChannelsRowHeight;
  GroupBox->resize(GroupBox->width(), GroupBox->height() + by);
  for (QWidget* w : std::initializer_list<QWidget*>{Label2, VMaxEdit, Label1, VminEdit, Label4, MaxEdit,
                                                    Label3, MinEdit, CreateBtn}) {
    w->move(w->x(), w->y() + by);
  }
  ChannelsLabel->setVisible(shown);
  ChannelsEdit->setVisible(shown);
  FormResize();
}

void TForm1::createPictureControls() {
  HorizBar = Place(MakeScrollBar(Qt::Horizontal, pictureArea_, 0), 184, 552, 601, 17);
  VertBar = Place(MakeScrollBar(Qt::Vertical, pictureArea_, 98), 816, 56, 16, 449);
  HorizBar->setCursor(Qt::ArrowCursor);
  VertBar->setCursor(Qt::ArrowCursor);
  StatusBar = Place(new StatusPanels(pictureArea_), 0, 549, 792, 19);
  StatusBar->raise();
}

void TForm1::connectControls() {
  connect(LoadBitmap1, &QAction::triggered, this, [this] { call(handlers_.loadBitmap); });
  connect(FileSaveBitmap, &QAction::triggered, this, [this] { call(handlers_.saveBitmap); });
  connect(FileSaveAscii, &QAction::triggered, this, [this] { call(handlers_.saveAscii); });
  connect(Exit1, &QAction::triggered, this, &QWidget::close);
  connect(Grayscale1, &QAction::triggered, this, [this] { call(handlers_.discardColour); });
  connect(EditReduce, &QAction::triggered, this, [this] { call(handlers_.reduceBitmap); });
  connect(EditRotatebitmap, &QAction::triggered, this, [this] { call(handlers_.rotateBitmap); });
  connect(EditUndoall, &QAction::triggered, this, [this] { call(handlers_.undoAll); });
  forwardToggle(EditThorough, &MainWindowHandlers::thoroughMatchingToggled);
  forwardToggle(EditChannels, &MainWindowHandlers::onePointPerChannelToggled);
  connect(FileSaveSetup, &QAction::triggered, this, [this] { call(handlers_.saveSetup); });
  connect(ViewZoomIn, &QAction::triggered, this, [this] { call(handlers_.zoomUp); });
  connect(ViewZoomOut, &QAction::triggered, this, [this] { call(handlers_.zoomDown); });
  connect(FileOpenSetup, &QAction::triggered, this, [this] { call(handlers_.openSetup); });
  forwardToggle(ViewFoundPoints, &MainWindowHandlers::showFoundPointsToggled);
  forwardToggle(ViewUnmatchedInk, &MainWindowHandlers::showUnmatchedInkToggled);
  forwardToggle(EditPoints, &MainWindowHandlers::editPointsToggled);
  connect(EditUndo, &QAction::triggered, this, [this] { call(handlers_.undoPointEdit); });
  connect(EditRedo, &QAction::triggered, this, [this] { call(handlers_.redoPointEdit); });
  connect(EditPaste, &QAction::triggered, this, [this] { call(handlers_.paste); });
  connect(HelpContents, &QAction::triggered, this, [this] { call(handlers_.showHelp); });
  connect(HelpShortcuts, &QAction::triggered, this, [this] { call(handlers_.showShortcuts); });
  connect(HelpAbout, &QAction::triggered, this, [this] { call(handlers_.showAbout); });

  connect(CropImageButton, &QPushButton::clicked, this, [this] { call(handlers_.cropImage); });
  connect(ClearInsideButton, &QPushButton::clicked, this, [this] { call(handlers_.clearInside); });
  connect(ClearOutsideButton, &QPushButton::clicked, this, [this] { call(handlers_.clearOutside); });
  connect(SetasUnitButton, &QPushButton::clicked, this, [this] { call(handlers_.setAsUnit); });
  connect(CreateBtn, &QPushButton::clicked, this, [this] { call(handlers_.createAscii); });

  connect(ZoomSpin, &ZoomButtons::zoomDown, this, [this] { call(handlers_.zoomDown); });
  connect(ZoomSpin, &ZoomButtons::zoomUp, this, [this] { call(handlers_.zoomUp); });
  connect(HorizBar, &QScrollBar::valueChanged, this, [this] { call(handlers_.viewChanged); });
  connect(VertBar, &QScrollBar::valueChanged, this, [this] { call(handlers_.viewChanged); });
  connect(PanelScroll, &QScrollBar::valueChanged, this, [this](int position) {
    if (PanelScroll->isVisible()) MovePanel->move(MovePanel->x(), -position);
  });

  pictureArea_->onMouseDown = [this](Qt::MouseButton button, int x, int y) {
    if (PanelBtn->isEnabled()) PanelBtn->setFocus();
    if (handlers_.mouseDown) handlers_.mouseDown(button, x, y);
  };
  pictureArea_->onMouseMove = [this](int x, int y) {
    if (handlers_.mouseMove) handlers_.mouseMove(x, y);
  };
  pictureArea_->onMouseUp = [this](Qt::MouseButton button, int x, int y) {
    if (handlers_.mouseUp) handlers_.mouseUp(button, x, y);
  };
}

int TForm1::clientWidth() const {
  return pictureArea_->width();
}
int TForm1::clientHeight() const {
  return pictureArea_->height();
}

ViewportGeometry TForm1::viewportGeometry() const {
  ViewportGeometry g;
  g.PanelWidth = PanelBtn->width();
  g.PanelTop = PanelBtn->y();
  g.VertBarLeft = VertBar->x();
  g.VertBarHeight = VertBar->height();
  g.VertBarPosition = VertBar->value();
  g.HorizBarTop = HorizBar->y();
  g.HorizBarWidth = HorizBar->width();
  g.HorizBarPosition = HorizBar->value();
  return g;
}

void TForm1::FormResize() {
  const int cw = clientWidth();
  const int ch = clientHeight();
  StatusBar->setGeometry(0, ch - StatusBar->height(), cw, StatusBar->height());
  VertBar->move(cw + FrameWidth - VertBar->width() - 8, PanelBtn->y());
  HorizBar->setGeometry(PanelBtn->width(), ch - HorizBar->height() - StatusBar->height(),
                        VertBar->x() - PanelBtn->width(), HorizBar->height());
  VertBar->resize(VertBar->width(), std::abs(HorizBar->y() - PanelBtn->y()));
  PanelBtn->resize(PanelBtn->width(), ch);
  PanelScroll->setGeometry(0, 0, PanelScroll->width(), ch);
  // The "Channels" row, when shown, makes the panel's controls that much taller.
  const int limit = PanelScrollLimit + (ChannelsEdit->isVisibleTo(GroupBox) ? ChannelsRowHeight : 0);
  if (ch < limit) {
    PanelScroll->setMaximum(limit - ch);
    PanelScroll->show();
  } else {
    PanelScroll->hide();
    MovePanel->move(MovePanel->x(), 0);
  }
  call(handlers_.viewChanged);
}

void TForm1::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  FormResize();
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
  if (!LocalFileOf(*event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event) {
  const QString file = LocalFileOf(*event->mimeData());
  if (file.isEmpty()) return;
  event->acceptProposedAction();
  if (handlers_.fileDropped) handlers_.fileDropped(file);
}

void TForm1::closeEvent(QCloseEvent* event) {
  if (!handlers_.closeRequested || handlers_.closeRequested()) {
    event->accept();
  } else {
    event->ignore();
  }
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr || widget->window() != this) return QMainWindow::eventFilter(watched, event);

  if (event->type() == QEvent::KeyRelease) {
    handledKey_ = nullptr;
  } else if (event->type() == QEvent::KeyPress && event != handledKey_) {
    // The window sees every key before the focused control; the key still
    // reaches the control afterwards. A key the control ignores travels on to
    // its parents as the same event: only its first stop counts.
    handledKey_ = event;
    QTimer::singleShot(0, this, [this] { handledKey_ = nullptr; });  // its release may go elsewhere
    const auto* key = static_cast<QKeyEvent*>(event);
    // While the points are edited, Delete and the editing keys are theirs.
    if (handlers_.pointKeyPressed && handlers_.pointKeyPressed(key->key(), key->modifiers(),
                                                               qobject_cast<QLineEdit*>(widget) != nullptr)) {
      return true;
    }
    {
      if (key->key() == Qt::Key_Delete) call(handlers_.deletePressed);
      if (key->key() == Qt::Key_Escape) call(handlers_.escapePressed);
      auto* field = qobject_cast<QLineEdit*>(widget);
      const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
      if (enter && field == WhiteLimit) call(handlers_.greyLimitEntered);
      if (enter &&
          (field == MatchEdit || field == VminEdit || field == VMaxEdit || field == MinEdit ||
           field == MaxEdit) &&
          handlers_.numberFieldEntered) {
        handlers_.numberFieldEntered(field);
      }
    }
  } else if (event->type() == QEvent::MouseMove) {
    auto* field = qobject_cast<QLineEdit*>(widget);
    if ((field == VminEdit || field == VMaxEdit || field == MinEdit || field == MaxEdit) &&
        handlers_.numberFieldPointed) {
      handlers_.numberFieldPointed(field);
    }
  } else if (event->type() == QEvent::MouseButtonRelease && widget == StrictCheck) {
    if (PanelBtn->isEnabled()) PanelBtn->setFocus();
  } else if (event->type() == QEvent::MouseButtonPress && (widget == PanelBtn || widget == MovePanel)) {
    if (PanelBtn->isEnabled()) PanelBtn->setFocus();
  } else if (event->type() == QEvent::Show && widget == this) {
    MovePanel->setFocus();
  }
  return QMainWindow::eventFilter(watched, event);
}
