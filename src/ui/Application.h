#pragma once

#include <memory>
#include <string>

#include "state/AppState.h"

class TForm1;
class TForm2;
class TForm3;
class QWidget;
class MainWindowUi;
class MainView;
class PointEditor;
class RecentPictures;
class HelpMenu;

// The running program: the one application state, the three windows and the
// wiring of the main window's events to the commands.
class Application {
 public:
  Application();
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // Start-up after the windows exist; the program's files live beside
  // `executablePath`. A picture path, when given, is loaded as Load Bitmap would.
  void start(const std::string& executablePath, const std::string& picturePath = {});

  AppState& state() { return state_; }
  TForm1& mainWindow() { return *form1_; }
  TForm3& rotateDialog() { return *form3_; }
  TForm2& previewWindow() { return *form2_; }
  MainWindowUi& ui() { return *ui_; }
  MainView& view() { return *view_; }
  PointEditor& pointEditor() { return *editor_; }
  RecentPictures& recentPictures() { return *recent_; }
  HelpMenu& helpMenu() { return *help_; }

 private:
  void connectHandlers();

  AppState state_;
  std::unique_ptr<TForm1> form1_;
  std::unique_ptr<MainWindowUi> ui_;
  std::unique_ptr<TForm3> form3_;
  std::unique_ptr<TForm2> form2_;
  std::unique_ptr<MainView> view_;
  std::unique_ptr<PointEditor> editor_;
  std::unique_ptr<RecentPictures> recent_;
  std::unique_ptr<HelpMenu> help_;
  bool closeAfterRun_ = false;  // the main window was closed during a run
};
