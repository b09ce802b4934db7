#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>
#include <filesystem>

#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "ui/Application.h"
#include "ui/MainWindowUi.h"
#include "ui/QuorvixMain.h"

// The real start-up and close of the program, with its files in a
// temporary program directory.
class StartupTest : public QObject {
  Q_OBJECT

 private slots:
  void freshStartAndCloseLeaveTheDefaultFiles() {
    TempDir dir;
    {
      Application app;
      app.start(dir.file("quorvix"));
      TForm1& w = app.mainWindow();
      QCOMPARE(w.MatchEdit->text(), QString("60"));
      QCOMPARE(w.VminEdit->text(), QString("-5.0"));
      QCOMPARE(w.VMaxEdit->text(), QString("5.0"));
      QCOMPARE(w.MinEdit->text(), QString("0.90"));
      QCOMPARE(w.MaxEdit->text(), QString("1.00"));
      QCOMPARE(app.state().DataPointCount, 0);
      QVERIFY(std::filesystem::exists(dir.file("QVID00FF.QVF")));
      QVERIFY(w.close());
    }
    QCOMPARE(ReadWholeFile(dir.file("Quorvix.cfg")), std::string("0.600\r\n-5\r\n5\r\n0.900\r\n1\r\n"));
    QCOMPARE(ReadWholeFile(dir.file("QuorvixDir.cfg")), dir.path() + "\r\n");
    QVERIFY(std::filesystem::exists(dir.file("QuorvixFile.txt")));
    QCOMPARE(ReadWholeFile(dir.file("QuorvixFile.txt")), std::string());
    QVERIFY(!std::filesystem::exists(dir.file("QVID00FF.QVF")));
  }

  void storedSettingsComeBackAndAForeignMarkerSurvives() {
    TempDir dir;
    WriteWholeFile(dir.file("QVID00FF.QVF"), "host was here");
    WriteWholeFile(dir.file("Quorvix.cfg"), "0.45\r\n-10\r\n10.5\r\n0.8\r\n1.25\r\n");
    {
      Application app;
      app.start(dir.file("quorvix"));
      TForm1& w = app.mainWindow();
      QCOMPARE(w.MatchEdit->text(), QString("45"));
      QCOMPARE(w.VminEdit->text(), QString("-10"));
      QCOMPARE(w.VMaxEdit->text(), QString("10.500"));
      QCOMPARE(w.MinEdit->text(), QString("0.800"));
      QCOMPARE(w.MaxEdit->text(), QString("1.250"));
      w.MatchEdit->setText("150");
      QVERIFY(w.close());
    }
    QCOMPARE(ReadWholeFile(dir.file("Quorvix.cfg")),
             std::string("1.500\r\n-10\r\n10.500\r\n0.800\r\n1.250\r\n"));
    QCOMPARE(ReadWholeFile(dir.file("QVID00FF.QVF")), std::string("host was here"));
  }

  void unsavedDataAsksBeforeClosing() {
    TempDir dir;
    Application app;
    ScriptedDialogs dialogs;
    app.ui().setDialogs(&dialogs);
    app.start(dir.file("quorvix"));
    app.state().AsciiSaved = false;

    dialogs.answers = {Answer::No};
    QVERIFY(!app.mainWindow().close());
    QCOMPARE(dialogs.questions.size(), std::size_t{1});
    QCOMPARE(dialogs.questions[0], std::string("There wasn't any ASCII file saved yet. Exit anyway ?"));
    QVERIFY(app.mainWindow().isVisible());
    QVERIFY(!std::filesystem::exists(dir.file("Quorvix.cfg")));

    dialogs.answers = {Answer::Yes};
    app.mainWindow().Exit1->trigger();
    QVERIFY(!app.mainWindow().isVisible());
    QVERIFY(std::filesystem::exists(dir.file("Quorvix.cfg")));
  }

  void mainWindowHasItsDesignedShape() {
    TempDir dir;
    Application app;
    app.start(dir.file("quorvix"));
    TForm1& w = app.mainWindow();
    QVERIFY(w.windowTitle().startsWith("Brenmark - Quorvix - "));
    QCOMPARE(w.clientWidth(), 792);
    QCOMPARE(w.clientHeight(), 549);
    QVERIFY(w.LoadBitmap1->isEnabled());
    QVERIFY(!w.FileSaveBitmap->isEnabled());
    QVERIFY(w.FileSaveAscii->isEnabled());
    QVERIFY(!w.EditUndoall->isEnabled());
    QVERIFY(!w.CreateBtn->isEnabled());
    QCOMPARE(w.WhiteLimit->text(), QString("255"));
    QCOMPARE(w.VertBar->value(), 98);
    app.state().AsciiSaved = true;
    w.close();
  }
};

QTEST_MAIN(StartupTest)
#include "Startup_test.moc"
