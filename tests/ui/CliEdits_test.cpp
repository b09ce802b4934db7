#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QtTest>
#include <random>

#include "image/BitmapFile.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "ui/Application.h"
#include "ui/MainWindowUi.h"
#include "ui/PictureArea.h"
#include "ui/QuorvixMain.h"
#include "ui/RotateUnit.h"

// quorvix-cli's edit options give the picture the window's commands give
// when used in the same order.
class CliEditsTest : public QObject {
  Q_OBJECT

 private:
  TempDir dir_;

  static Bitmap Speckled(int w, int h) {
    std::mt19937 random(11);
    Bitmap b(w, h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (random() % 3 == 0) b.setPixel(x, y, random() & 0xFFFFFFu);
    return b;
  }

  static void select(TForm1& window, int x1, int y1, int x2, int y2) {
    // Zoom 1, not scrolled: the picture starts at client column 129.
    QWidget* area = window.pictureArea();
    QTest::mousePress(area, Qt::LeftButton, Qt::NoModifier, {129 + x1, y1});
    QTest::mouseMove(area, {129 + x2, y2});
    QTest::mouseRelease(area, Qt::LeftButton, Qt::NoModifier, {129 + x2, y2});
  }

  Bitmap runCli(const QStringList& arguments) {
    const QString out = QString::fromStdString(dir_.file("cli-out.bmp"));
    QProcess cli;
    cli.start(QUORVIX_CLI_PATH, QStringList{"edit", QString::fromStdString(dir_.file("in.bmp"))} + arguments +
                                    QStringList{"-o", out});
    if (!cli.waitForFinished(60000) || cli.exitCode() != 0)
      qFatal("quorvix-cli failed: %s", cli.readAllStandardError().constData());
    Bitmap result;
    std::string error;
    if (!LoadBitmapFile(out.toStdString(), result, error)) qFatal("%s", error.c_str());
    return result;
  }

 private slots:
  void editOptionsMatchTheWindowCommands() {
    std::string error;
    QVERIFY(SaveBitmapFile(dir_.file("in.bmp"), Speckled(150, 90), error));

    Application app;
    ScriptedDialogs dialogs;
    app.ui().setDialogs(&dialogs);
    app.start(dir_.file("quorvix"));
    TForm1& w = app.mainWindow();
    dialogs.files = {dir_.file("in.bmp")};
    w.LoadBitmap1->trigger();

    w.WhiteLimit->setText("200");
    w.WhiteLimit->setFocus();
    QTest::keyClick(w.WhiteLimit, Qt::Key_Return);
    dialogs.answers = {Answer::Yes};
    w.Grayscale1->trigger();
    QTimer::singleShot(0, &w, [&app] {
      app.rotateDialog().RotateEdit->setText("7");
      app.rotateDialog().Clockwise->click();
      app.rotateDialog().ExitBtn->click();
    });
    w.EditRotatebitmap->trigger();
    dialogs.answers = {Answer::Yes};
    w.EditReduce->trigger();
    select(w, 10, 5, 60, 40);
    w.CropImageButton->click();
    select(w, 2, 2, 8, 30);
    w.ClearInsideButton->click();
    select(w, 20, 3, 40, 20);
    w.ClearOutsideButton->click();
    const Bitmap windowResult = app.state().WorkImage;
    QVERIFY(windowResult.width() > 10);

    const Bitmap cliResult =
        runCli({"--grey-limit", "200", "--discard-colour", "--rotate", "7", "--reduce", "--crop",
                "10,5,60,40", "--clear-inside", "2,2,8,30", "--clear-outside", "20,3,40,20"});
    QCOMPARE(cliResult.width(), windowResult.width());
    QCOMPARE(cliResult.height(), windowResult.height());
    QVERIFY(cliResult == windowResult);
    app.state().AsciiSaved = true;
    w.close();
  }
};

QTEST_MAIN(CliEditsTest)
#include "CliEdits_test.moc"
