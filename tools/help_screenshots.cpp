// Makes the pictures of the user guide from the real windows, and pictures of
// the Help menu's own windows for a look by eye:
//   help_screenshots <guide directory> [<windows directory>]
// The guide's pictures follow the sample's road: the sample loaded with its
// first symbol taken as the unit, the points found, the preview. The windows'
// pictures are the help window, the list of keys and the about box. Run it
// with QT_QPA_PLATFORM=offscreen when there is no display.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <string>

#include "ui/Application.h"
#include "ui/AscIIForm.h"
#include "ui/HelpMenu.h"
#include "ui/HelpWindow.h"
#include "ui/MainView.h"
#include "ui/PictureArea.h"
#include "ui/QuorvixMain.h"
#include "ui/ShortcutsWindow.h"

namespace {

constexpr int GuidePictureWidth = 680;  // what the help window shows without a scroll bar

void Settle() {
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

// The guide's pictures are kept small: 256 colours hold the windows' flat
// colours and the sample's few inks. They are the picture's commonest
// colours, each other colour drawn as the nearest of them, without dither.
QImage WithFewColours(const QImage& image) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  QHash<QRgb, int> counts;
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < rgb.width(); ++x) ++counts[row[x]];
  }
  QList<std::pair<int, QRgb>> byCount;
  for (auto it = counts.cbegin(); it != counts.cend(); ++it) byCount.append({it.value(), it.key()});
  std::sort(byCount.begin(), byCount.end(), [](const auto& a, const auto& b) {
    return a.first != b.first ? a.first > b.first : a.second < b.second;
  });
  QList<QRgb> palette;
  for (const auto& [count, colour] : byCount) {
    if (palette.size() == 256) break;
    palette.append(colour);
  }
  return rgb.convertToFormat(QImage::Format_Indexed8, palette);
}

bool Save(const QImage& image, const QString& directory, const QString& name, bool small) {
  const QString path = QDir(directory).filePath(name);
  if (!(small ? WithFewColours(image) : image).save(path)) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
  }
  std::printf("%s\n", qPrintable(path));
  return true;
}

QImage Shot(QWidget& widget) {
  Settle();
  return widget.grab().toImage();
}

// The sample loaded, its leftmost symbol taken as the unit and the axes typed.
void TakeTheUnit(Application& app) {
  TForm1& window = app.mainWindow();
  // The symbol lies at picture pixels 0..10 x 35..45; at zoom 1 the picture
  // starts at client column 129.
  app.view().FormMouseDown(Qt::LeftButton, 129, 35);
  app.view().FormMouseMove(139, 45);
  app.view().FormMouseUp(Qt::LeftButton);
  window.SetasUnitButton->click();
  window.VminEdit->setText("-10");
  window.VMaxEdit->setText("10");
  window.MinEdit->setText("0.82");
  window.MaxEdit->setText("1.02");
}

bool ShootGuide(Application& app, const QString& directory) {
  TForm1& window = app.mainWindow();
  // Narrowed to fit the help window's width; the unit is taken after, as a
  // repaint ends the selection.
  const QSize designed = window.size();
  window.resize(GuidePictureWidth, designed.height());
  Settle();
  TakeTheUnit(app);
  bool ok = Save(Shot(window), directory, "main-window.png", true);
  window.resize(designed);

  window.CreateBtn->click();
  TForm2& preview = app.previewWindow();
  preview.resize(GuidePictureWidth - 120, 320);
  ok = ok && Save(Shot(preview), directory, "preview.png", true);
  preview.hide();

  // The rings at zoom 2 over the picture's top left corner: the base line
  // and the first line.
  app.view().zoomUp();
  app.view().scrollTo({0.0, 0.0});
  const QImage area = Shot(*window.pictureArea());
  ok =
      ok && Save(area.copy(QRect(129, 40, GuidePictureWidth - 40, 280)), directory, "found-points.png", true);
  app.view().zoomDown();
  return ok;
}

// The about box is modal: it is taken and closed from inside its own loop.
QImage ShootAboutBox(TForm1& window) {
  QImage shot;
  QTimer::singleShot(200, [&shot] {
    if (QWidget* box = QApplication::activeModalWidget()) {
      shot = box->grab().toImage();
      box->close();
    }
  });
  window.HelpAbout->trigger();
  return shot;
}

bool ShootWindows(Application& app, const QString& directory) {
  TForm1& window = app.mainWindow();
  window.HelpContents->trigger();
  HelpWindow& guide = *app.helpMenu().guideWindow();
  // The guide's top, middle and end.
  QScrollBar* scroll = guide.browser()->verticalScrollBar();
  bool ok = true;
  for (int part = 0; part < 3; ++part) {
    Settle();
    scroll->setValue(scroll->maximum() * part / 2);
    ok = ok && Save(Shot(guide), directory, QString("help-window-%1.png").arg(part + 1), false);
  }

  window.HelpShortcuts->trigger();
  ok = ok && Save(Shot(*app.helpMenu().shortcutsWindow()), directory, "shortcuts-window.png", false);

  const QImage about = ShootAboutBox(window);
  if (about.isNull()) {
    std::fprintf(stderr, "the about box did not show\n");
    return false;
  }
  return ok && Save(about, directory, "about-box.png", false);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication qt(argc, argv);
  QApplication::setApplicationName("Quorvix");
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: help_screenshots <guide directory> [<windows directory>]\n");
    return 2;
  }
  // The program's settings and exchange files go to a folder of their own.
  QTemporaryDir programFiles;
  if (!programFiles.isValid()) return 1;
  // The status bar shows the picture's path: one that reads like a user's,
  // the same at every run.
  const QString scans = QDir::temp().filePath("scans");
  const QString picture = QDir(scans).filePath("sextet.bmp");
  QDir().mkpath(scans);
  QFile::remove(picture);
  if (!QFile::copy(QUORVIX_SAMPLES_DIR "/sextet.bmp", picture)) {
    std::fprintf(stderr, "cannot copy the sample to %s\n", qPrintable(picture));
    return 1;
  }
  Application app;
  app.start(programFiles.filePath("quorvix").toStdString(), picture.toStdString());

  const QString guideDirectory = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(guideDirectory);
  bool ok = ShootGuide(app, guideDirectory);
  if (argc == 3) {
    const QString windowsDirectory = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(windowsDirectory);
    ok = ShootWindows(app, windowsDirectory) && ok;
  }
  app.state().AsciiSaved = true;
  app.helpMenu().closeWindows();
  QFile::remove(picture);
  QDir().rmdir(scans);  // only when nothing else is in it
  return ok ? 0 : 1;
}
