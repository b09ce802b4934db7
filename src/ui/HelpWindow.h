#pragma once

#include <QWidget>

class QTextBrowser;

// "Quorvix Help": the user guide shipped in the program's resources, shown in
// a browser whose links inside the guide move within it and whose links to
// the web open in the system's browser.
class HelpWindow : public QWidget {
  Q_OBJECT

 public:
  explicit HelpWindow(QWidget* parent = nullptr);

  QTextBrowser* browser() const { return browser_; }

 private:
  QTextBrowser* browser_ = nullptr;
};
