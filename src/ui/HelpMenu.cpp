#include "ui/HelpMenu.h"

#include <QMenuBar>
#include <QString>

#include "ui/HelpWindow.h"
#include "ui/MainWindowUi.h"
#include "ui/QuorvixMain.h"
#include "ui/ShortcutsWindow.h"

namespace {

// Shows a window that may be hidden behind others or minimised.
void Present(QWidget& window) {
  window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
  window.show();
  window.raise();
  window.activateWindow();
}

std::string AboutText() {
  return QString(
             "<h3>Quorvix %1</h3>"
             "<p>Turns scanned pictures of spectrum plots back into numbers.</p>"
             "<p>Licence: GNU General Public License, version 3 or later (the file COPYING with the "
             "program's source). Quorvix comes with absolutely no warranty.</p>"
             "<p>Runs on Qt %2, built with Qt %3.</p>"
             "<p><a href=\"https://quorvix.org\">https://quorvix.org</a></p>")
      .arg(QUORVIX_VERSION, qVersion(), QT_VERSION_STR)
      .toStdString();
}

}  // namespace

HelpMenu::HelpMenu(TForm1& mainWindow, MainWindowUi& ui) : main_(mainWindow), ui_(ui) {}

HelpMenu::~HelpMenu() = default;

void HelpMenu::showGuide() {
  if (!guide_) guide_ = std::make_unique<HelpWindow>();
  Present(*guide_);
}

void HelpMenu::showShortcuts() {
  if (!shortcuts_) {
    shortcuts_ = std::make_unique<ShortcutsWindow>(*main_.menuBar());
  } else {
    shortcuts_->refresh();
  }
  Present(*shortcuts_);
}

void HelpMenu::showAbout() {
  ui_.showAbout("About Quorvix", AboutText());
}

void HelpMenu::closeWindows() {
  if (guide_) guide_->close();
  if (shortcuts_) shortcuts_->close();
}
