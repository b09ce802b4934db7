#include "ui/HelpWindow.h"

#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace {
constexpr int GuideWidth = 720;
constexpr int GuideHeight = 600;
}  // namespace

// The resources live in a static library: naming them here keeps the linker
// from dropping them, and registers them before the guide is first read.
static void RegisterHelpResources() {
  Q_INIT_RESOURCE(help);
}

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  RegisterHelpResources();
  setWindowTitle("Quorvix Help");
  browser_ = new QTextBrowser(this);  // owned by parent
  browser_->setOpenExternalLinks(true);
  browser_->setSource(QUrl("qrc:/help/guide.html"));
  auto* layout = new QVBoxLayout(this);  // owned by parent
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser_);
  resize(GuideWidth, GuideHeight);
}
