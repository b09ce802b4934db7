#include <QApplication>
#include <QTextStream>
#include <cstdio>
#include <cstring>

#include "ui/Application.h"

namespace {

constexpr const char* Usage =
    "usage: quorvix [PICTURE]\n"
    "       quorvix --help | --version\n"
    "\n"
    "Opens the Quorvix window, which turns a scanned spectrum plot back into numbers;\n"
    "PICTURE, when given, is loaded at start. Qt's own options (-platform NAME,\n"
    "-style NAME, -display DISPLAY) are taken as well.\n"
    "\n"
    "--help prints this text, --version the program's name and version.\n";

}  // namespace

int main(int argc, char** argv) {
  // Answered before the application object exists, so that they need no
  // display.
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(Usage, stdout);
      return 0;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::fputs("quorvix " QUORVIX_VERSION "\n", stdout);
      return 0;
    }
  }

  QApplication app(argc, argv);
  // The name only: a display name set as well would be appended to every
  // window's title on X11, which must read exactly its caption. Message
  // boxes take the display name, which falls back to this name.
  QApplication::setApplicationName("Quorvix");
  QApplication::setApplicationVersion(QUORVIX_VERSION);

  const QStringList arguments = QApplication::arguments();
  if (arguments.size() > 2) {
    QTextStream(stderr) << "usage: quorvix [PICTURE]\nTry 'quorvix --help' for more information.\n";
    return 2;
  }
  Application quorvix;
  quorvix.start(QApplication::applicationFilePath().toStdString(),
                arguments.size() == 2 ? arguments.at(1).toStdString() : std::string());
  return QApplication::exec();
}
