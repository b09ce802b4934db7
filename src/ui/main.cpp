#include <QApplication>
#include <QTextStream>

#include "ui/Application.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Quorvix");
  QApplication::setApplicationDisplayName("Quorvix");

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
