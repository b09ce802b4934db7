#include <QKeyEvent>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QtTest>
#include <filesystem>

#include "image/BitmapFile.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/WindowTest.h"
#include "ui/Application.h"
#include "ui/AscIIForm.h"
#include "ui/MainWindowUi.h"
#include "ui/PictureArea.h"
#include "ui/QuorvixMain.h"
#include "ui/StatusPanels.h"

// The whole road in the window: load, drag, Set as Unit, Create ASCII, Save
// ASCII data; and the run's stop by Esc and by closing the window.
class ExtractionRoadTest : public WindowTest {
  Q_OBJECT

 private:
  const std::string sample_ = std::string(QUORVIX_SAMPLES_DIR) + "/sextet.bmp";

  QString status(int panel) { return window().statusBar()->text(panel); }

  // A picture where Match 0 finds a point at each of its 100 000 dark pixels:
  // a run long enough to be stopped part-way.
  void loadLongRun() {
    Bitmap picture(500, 400);
    for (int y = 0; y < 400; ++y)
      for (int x = y % 2; x < 500; x += 2) picture.setPixel(x, y, MakeColour(20, 30, 40));
    std::string error;
    QVERIFY(SaveBitmapFile(dir_.file("long.bmp"), picture, error));
    dialogs_.files = {dir_.file("long.bmp")};
    window().LoadBitmap1->trigger();
    QWidget* area = window().pictureArea();
    QTest::mousePress(area, Qt::LeftButton, Qt::NoModifier, {129, 0});
    QTest::mouseRelease(area, Qt::LeftButton, Qt::NoModifier, {129, 0});
    window().SetasUnitButton->click();
    window().MatchEdit->setText("0");
  }

  void loadSampleAndTakeTheFirstSymbol() {
    dialogs_.files = {sample_};
    window().LoadBitmap1->trigger();
    QCOMPARE(state().WorkImage.width(), 961);
    // The first symbol lies at picture pixels 0..10 x 35..45; at zoom 1 the
    // picture starts at client column 129.
    QWidget* area = window().pictureArea();
    QTest::mousePress(area, Qt::LeftButton, Qt::NoModifier, {129, 35});
    QTest::mouseMove(area, {139, 45});
    QTest::mouseRelease(area, Qt::LeftButton, Qt::NoModifier, {139, 45});
    QCOMPARE(status(2), QString("( 0 , 35 ) x ( 10 , 45 )"));
    window().SetasUnitButton->click();
    QVERIFY(window().CreateBtn->isEnabled());
    window().VminEdit->setText("-10");
    window().VMaxEdit->setText("10");
    window().MinEdit->setText("0.82");
    window().MaxEdit->setText("1.02");
  }

 private slots:
  void init() { startApplication(); }

  void cleanup() { finishApplication(); }

  void wholeRoadWritesWhatTheCommandLineWrites() {
    loadSampleAndTakeTheFirstSymbol();
    const Bitmap before = state().WorkImage;
    window().CreateBtn->click();
    QCOMPARE(status(2), QString("Status: Ready"));
    QCOMPARE(state().DataPointCount, 120);
    QCOMPARE(status(1), QString("ASCII data: 120"));
    QCOMPARE(state().WorkImage, before);
    QVERIFY(window().PanelBtn->isEnabled());
    QVERIFY(window().FileSaveAscii->isEnabled());
    QVERIFY(!state().AsciiSaved);
    QVERIFY(app_->previewWindow().isVisible());
    QCOMPARE(app_->previewWindow().windowTitle(), QString("ASCII form of the data [ 120 ]"));
    for (std::size_t i = 1; i < state().VelocityArray.size(); ++i) {
      QVERIFY(state().VelocityArray[i - 1] <= state().VelocityArray[i]);
    }

    const std::string saved = dir_.file("road.txt");
    dialogs_.files = {saved};
    window().FileSaveAscii->trigger();
    QVERIFY(state().AsciiSaved);
    QCOMPARE(ReadWholeFile(dir_.file("QuorvixFile.txt")), saved + "\r\n");

    QProcess cli;
    cli.start(QUORVIX_CLI_PATH, {"extract", QString::fromStdString(sample_), "--unit", "0,35,10,45", "--vmin",
                                 "-10", "--vmax", "10", "--min", "0.82", "--max", "1.02"});
    QVERIFY(cli.waitForFinished(30000));
    QCOMPARE(cli.exitCode(), 0);
    QCOMPARE(QByteArray::fromStdString(ReadWholeFile(saved)), cli.readAllStandardOutput());
  }

  void escapeInThePreviewStopsTheRun() {
    loadLongRun();
    const Bitmap before = state().WorkImage;
    // Delivered at the run's first handling of pending messages.
    QCoreApplication::postEvent(&app_->previewWindow(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape,
                                                                      Qt::NoModifier, QString(QChar(27))));
    window().CreateBtn->click();
    QCOMPARE(status(2), QString("Status: Uncompleted"));
    QVERIFY(state().DataPointCount > 0);
    QVERIFY(state().DataPointCount < 100000);
    QCOMPARE(static_cast<std::size_t>(state().DataPointCount), state().VelocityArray.size());
    QVERIFY(!window().FileSaveAscii->isEnabled());
    QVERIFY2(state().AsciiSaved, "a stopped run leaves AsciiSaved as it was");
    QVERIFY(!state().StopRequested);
    QCOMPARE(state().WorkImage, before);
    QVERIFY(window().PanelBtn->isEnabled());
    // Detection order, not sorted by velocity: row after row from the top,
    // so the values never rise (however few points the stop left).
    for (std::size_t i = 1; i < state().CountsArray.size(); ++i) {
      QVERIFY2(state().CountsArray[i] <= state().CountsArray[i - 1], std::to_string(i).c_str());
    }
  }

  void escapeInThePreviewOutsideARunOnlyAsks() {
    app_->previewWindow().show();
    QTest::keyClick(&app_->previewWindow(), Qt::Key_Escape);
    QVERIFY(state().StopRequested);
    QCOMPARE(status(2), QString("Status: Stopping..."));
    // The next run clears the flag and completes.
    loadSampleAndTakeTheFirstSymbol();
    window().CreateBtn->click();
    QCOMPARE(status(2), QString("Status: Ready"));
  }

  void busyPointerDuringTheRunOnly() {
    loadLongRun();
    Qt::CursorShape during = Qt::ArrowCursor;
    bool panelEnabled = true;
    QTimer::singleShot(0, &window(), [&] {
      if (const QCursor* cursor = QApplication::overrideCursor()) during = cursor->shape();
      panelEnabled = window().PanelBtn->isEnabled();
      state().StopRequested = true;
    });
    window().CreateBtn->click();
    QCOMPARE(during, Qt::WaitCursor);
    QVERIFY(!panelEnabled);
    QVERIFY(QApplication::overrideCursor() == nullptr);
    QVERIFY(window().PanelBtn->isEnabled());
  }

  void closingDuringARunStopsItAndThenCloses() {
    loadLongRun();
    state().AsciiSaved = true;
    QTimer::singleShot(0, &window(), [this] { window().close(); });
    window().CreateBtn->click();
    QVERIFY(!window().isVisible());
    QVERIFY(std::filesystem::exists(dir_.file("Quorvix.cfg")));
  }

  void menuCommandsWaitForTheRun() {
    loadLongRun();
    const std::string other = dir_.file("other.bmp");
    std::string error;
    QVERIFY(SaveBitmapFile(other, Bitmap(5, 5, BlackColour), error));
    dialogs_.files = {other};
    QTimer::singleShot(0, &window(), [this] {
      window().LoadBitmap1->trigger();
      window().EditUndoall->trigger();
      state().StopRequested = true;
    });
    window().CreateBtn->click();
    QCOMPARE(state().WorkImage.width(), 500);
    QVERIFY(dialogs_.questions.empty());
    QCOMPARE(dialogs_.files.size(), std::size_t{1});
  }
};

QTEST_MAIN(ExtractionRoadTest)
#include "ExtractionRoad_test.moc"
