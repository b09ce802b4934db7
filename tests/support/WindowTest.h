#pragma once

#include <QObject>
#include <memory>
#include <string>

#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "ui/Application.h"
#include "ui/MainWindowUi.h"
#include "ui/QuorvixMain.h"

// What the window tests share: a started application whose dialogs are
// answered by script, its program files in a temporary directory; a fresh
// application for every test function.
class WindowTest : public QObject {
 protected:
  TempDir dir_;
  std::unique_ptr<Application> app_;
  ScriptedDialogs dialogs_;

  TForm1& window() { return app_->mainWindow(); }
  AppState& state() { return app_->state(); }

  // Starts the application with its program files in `folder`.
  void startIn(const std::string& folder) {
    app_ = std::make_unique<Application>();
    dialogs_ = ScriptedDialogs();
    app_->ui().setDialogs(&dialogs_);
    app_->start(folder + "/quorvix");
  }
  void startApplication() { startIn(dir_.path()); }
  // Closes the window without the question about unsaved data, and ends
  // the application.
  void finishApplication() {
    state().AsciiSaved = true;
    window().close();
    app_.reset();
  }
};
