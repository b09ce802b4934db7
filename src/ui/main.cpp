#include <QApplication>
#include <QTextStream>

#include "ui/Application.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // The name only: a display name set as well would be appended to every
  // window's title on X11, which must read exactly its caption. Message
  // boxes take the display name, which falls back to this name.
  QApplication::setApplicationName("Quorvix");

  const QStringList arguments = QApplication::arguments();
  if (arguments.size() > 2) {
    QTextStream(stderr) << "usage: quorvix [PICTURE]\n";
    return 2;
  }
  Application quorvix;
  quorvix.start(QApplication::applicationFilePath().toStdString(),
                arguments.size() == 2 ? arguments.at(1).toStdString() : std::string());
  return QApplication::exec();
}
