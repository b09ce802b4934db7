#pragma once

#include <memory>

class HelpWindow;
class MainWindowUi;
class ShortcutsWindow;
class TForm1;

// The Help menu's commands: the guide and the list of keys, each one window
// made when first asked for and raised again after, and the about box.
class HelpMenu {
 public:
  HelpMenu(TForm1& mainWindow, MainWindowUi& ui);
  ~HelpMenu();
  HelpMenu(const HelpMenu&) = delete;
  HelpMenu& operator=(const HelpMenu&) = delete;

  void showGuide();
  void showShortcuts();
  void showAbout();
  // The main window closes: so do the help windows.
  void closeWindows();

  // The windows once shown, else nullptr.
  HelpWindow* guideWindow() const { return guide_.get(); }
  ShortcutsWindow* shortcutsWindow() const { return shortcuts_.get(); }

 private:
  TForm1& main_;
  MainWindowUi& ui_;
  std::unique_ptr<HelpWindow> guide_;
  std::unique_ptr<ShortcutsWindow> shortcuts_;
};
