#pragma once

#include <QMainWindow>
#include <functional>

#include "state/Viewport.h"

class QAction;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QScrollBar;
class QWidget;
class PictureArea;
class StatusPanels;
class UnitPictureBox;
class ZoomButtons;

// Handlers the application connects to the window's controls: the window
// only forwards events, the commands live in their own modules.
struct MainWindowHandlers {
  std::function<bool()> closeRequested;  // true when the window may close
  std::function<void()> loadBitmap, saveBitmap, saveAscii, discardColour, reduceBitmap, rotateBitmap, undoAll;
  std::function<void()> cropImage, clearInside, clearOutside, setAsUnit, createAscii;
  std::function<void()> greyLimitEntered;               // Enter in the grey-limit field
  std::function<void()> deletePressed;                  // the Delete key, wherever the focus is
  std::function<void()> escapePressed;                  // Esc, wherever the focus is
  std::function<void(QLineEdit*)> numberFieldEntered;   // Enter in one of the five parameter fields
  std::function<void(QLineEdit*)> numberFieldPointed;   // the pointer moved over an axis field
  std::function<void(bool)> thoroughMatchingToggled;    // Edit > "Thorough matching" checked or unchecked
  std::function<void(bool)> onePointPerChannelToggled;  // Edit > "One point per channel" likewise
  std::function<void()> saveSetup, openSetup;           // File > "Save Setup...", "Open Setup..."
  std::function<void(bool)> showFoundPointsToggled;     // View > "Show found points"
  std::function<void(bool)> showUnmatchedInkToggled;    // View > "Show unmatched ink"
  std::function<void(bool)> editPointsToggled;          // Edit > "Edit points"
  std::function<void()> undoPointEdit, redoPointEdit;   // Edit > "Undo", "Redo"
  std::function<void()> paste;                          // Edit > "Paste"
  std::function<void(const QString&)> fileDropped;      // a picture file dropped on the window
  std::function<void()> showHelp;                       // Help > "Quorvix Help" (F1)
  std::function<void()> showShortcuts;                  // Help > "Keyboard Shortcuts"
  std::function<void()> showAbout;                      // Help > "About Quorvix"
  // A key for editing the points (focus in a text field or not); true when taken.
  std::function<bool(int, Qt::KeyboardModifiers, bool)> pointKeyPressed;
  std::function<void()> zoomDown, zoomUp;
  std::function<void()> viewChanged;  // a scroll bar moved or the window was resized
  std::function<void(Qt::MouseButton, int, int)> mouseDown, mouseUp;
  std::function<void(int, int)> mouseMove;
};

// The main window: the button panel on the left, the picture area with its
// two scroll bars, the status bar, and the File, Edit, View and Help menus. Controls sit
// at fixed places in client coordinates, as the form was designed.
class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  explicit TForm1(QWidget* parent = nullptr);
  ~TForm1() override;

  void setHandlers(MainWindowHandlers handlers) { handlers_ = std::move(handlers); }

  // Client area (below the menu bar) as the form counts it.
  int clientWidth() const;
  int clientHeight() const;
  ViewportGeometry viewportGeometry() const;

  PictureArea* pictureArea() const { return pictureArea_; }
  StatusPanels* statusBar() const { return StatusBar; }

  // Controls, named as on the form.
  QWidget* PanelBtn = nullptr;
  QScrollBar* PanelScroll = nullptr;
  QWidget* MovePanel = nullptr;
  QFrame* Panel1 = nullptr;
  QLabel* ZoomShowLabel = nullptr;
  ZoomButtons* ZoomSpin = nullptr;
  QLabel* LimitLabel = nullptr;
  QLineEdit* WhiteLimit = nullptr;
  QGroupBox* GroupBox = nullptr;
  QPushButton* CropImageButton = nullptr;
  QPushButton* ClearInsideButton = nullptr;
  QPushButton* ClearOutsideButton = nullptr;
  UnitPictureBox* UnitImage = nullptr;
  QPushButton* SetasUnitButton = nullptr;
  QLabel* Label5 = nullptr;
  QLineEdit* MatchEdit = nullptr;
  QCheckBox* StrictCheck = nullptr;
  QLabel* ChannelsLabel = nullptr;  // "Channels:", shown only with one point per channel
  QLineEdit* ChannelsEdit = nullptr;
  QLabel* Label2 = nullptr;
  QLineEdit* VMaxEdit = nullptr;
  QLabel* Label1 = nullptr;
  QLineEdit* VminEdit = nullptr;
  QLabel* Label4 = nullptr;
  QLineEdit* MaxEdit = nullptr;
  QLabel* Label3 = nullptr;
  QLineEdit* MinEdit = nullptr;
  QPushButton* CreateBtn = nullptr;
  QScrollBar* HorizBar = nullptr;
  QScrollBar* VertBar = nullptr;
  StatusPanels* StatusBar = nullptr;

  QAction* LoadBitmap1 = nullptr;
  QAction* FileSaveBitmap = nullptr;
  QAction* FileSaveAscii = nullptr;
  QAction* FileSaveSetup = nullptr;
  QAction* FileOpenSetup = nullptr;
  QAction* Exit1 = nullptr;
  QAction* Grayscale1 = nullptr;
  QAction* EditReduce = nullptr;
  QAction* EditRotatebitmap = nullptr;
  QAction* EditUndoall = nullptr;
  QAction* EditThorough = nullptr;      // the checkable "Thorough matching"
  QAction* EditChannels = nullptr;      // the checkable "One point per channel"
  QAction* ViewFoundPoints = nullptr;   // the checkable "Show found points", on at start
  QAction* ViewUnmatchedInk = nullptr;  // the checkable "Show unmatched ink", off at start
  QAction* ViewZoomIn = nullptr;        // the zoom buttons' steps, with the standard keys
  QAction* ViewZoomOut = nullptr;
  QAction* EditPoints = nullptr;  // the checkable "Edit points" (E)
  QAction* EditUndo = nullptr;    // "Undo" and "Redo" of the point edits
  QAction* EditRedo = nullptr;
  QAction* EditPaste = nullptr;      // a picture from the clipboard
  QMenu* FileOpenRecent = nullptr;   // the recent pictures, filled by the application
  QAction* HelpContents = nullptr;   // "Quorvix Help", the user guide (F1)
  QAction* HelpShortcuts = nullptr;  // "Keyboard Shortcuts"
  QAction* HelpAbout = nullptr;      // "About Quorvix"

  // Shows or hides the "Channels" field under "Strict Match"; the selection
  // box grows to hold it and the controls under it move down.
  void showChannelsField(bool shown);

  // Lays the controls out for the current client size (the resize rule).
  void FormResize();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void createMenus();
  void createButtonPanel();
  void createPictureControls();
  void connectControls();
  void call(const std::function<void()>& handler) {
    if (handler) handler();
  }
  // A checkable menu item hands its new state to the handler `member`.
  void forwardToggle(QAction* item, std::function<void(bool)> MainWindowHandlers::*member) {
    connect(item, &QAction::toggled, this, [this, member](bool checked) {
      if (handlers_.*member) (handlers_.*member)(checked);
    });
  }

  MainWindowHandlers handlers_;
  PictureArea* pictureArea_ = nullptr;
  const QEvent* handledKey_ = nullptr;  // the key press being delivered
};
