#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <QtTest>
#include <filesystem>

#include "image/BitmapFile.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/WindowTest.h"
#include "ui/Application.h"
#include "ui/MainWindowUi.h"
#include "ui/PanelWidgets.h"
#include "ui/PictureArea.h"
#include "ui/QuorvixMain.h"
#include "ui/StatusPanels.h"

namespace {

// A picture with a dark pixel at every tenth column and row, so that a
// shrunk view still has something dark to show.
Bitmap GridPicture(int w, int h) {
  Bitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (x % 10 == 0 || y % 10 == 0) b.setPixel(x, y, MakeColour(x % 256, y % 256, 40));
  return b;
}

}  // namespace

class MainWindowTest : public WindowTest {
  Q_OBJECT

 private:
  QString status(int panel) { return window().statusBar()->text(panel); }

  std::string writePicture(const std::string& name, const Bitmap& picture) {
    std::string error;
    const std::string path = dir_.file(name);
    if (!SaveBitmapFile(path, picture, error)) qFatal("%s", error.c_str());
    return path;
  }

  void load(const std::string& path) {
    dialogs_.files = {path};
    window().LoadBitmap1->trigger();
  }

  void drag(QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton) {
    QWidget* area = window().pictureArea();
    QTest::mousePress(area, button, Qt::NoModifier, from);
    QTest::mouseMove(area, (from + to) / 2);
    QTest::mouseMove(area, to);
    QTest::mouseRelease(area, button, Qt::NoModifier, to);
  }

 private slots:
  void init() { startApplication(); }

  void cleanup() { finishApplication(); }

  void loadShowsThePictureAndEnablesTheImageCommands() {
    const std::string path = writePicture("scan.bmp", GridPicture(100, 50));
    window().ZoomSpin->upButton()->click();
    window().WhiteLimit->setText("120");
    state().AsciiSaved = false;
    load(path);
    QCOMPARE(state().WorkImage.width(), 100);
    QCOMPARE(state().BaseImage, state().WorkImage);
    QCOMPARE(state().DiskImage, state().WorkImage);
    QCOMPARE(state().Zoom, 1);
    QCOMPARE(window().ZoomShowLabel->text(), QString("1"));
    QCOMPARE(window().WhiteLimit->text(), QString("255"));
    QVERIFY(state().AsciiSaved);
    QCOMPARE(status(0), QString("Size: 100 x 50"));
    QCOMPARE(status(1), QString("ASCII data: 0"));
    QCOMPARE(status(3), QString::fromStdString(path));
    QVERIFY(window().FileSaveBitmap->isEnabled());
    QVERIFY(window().EditUndoall->isEnabled());
    QVERIFY(window().SetasUnitButton->isEnabled());
    QVERIFY(!window().FileSaveAscii->isEnabled());
    QCOMPARE(state().OpenDialogDir, dir_.path());
    // The picture's pixel (0, 0) is drawn at the picture area's top left.
    const QImage& screen = window().pictureArea()->screen();
    QCOMPARE(screen.pixel(129, 0), qRgb(0, 0, 40));
    QCOMPARE(screen.pixel(129 + 5, 5), qRgb(255, 255, 255));
  }

  void dragReadsOutInclusivePicturePixels() {
    load(writePicture("sel.bmp", GridPicture(100, 50)));
    window().ZoomSpin->upButton()->click();
    QCOMPARE(state().Zoom, 2);
    drag({139, 10}, {159, 30});
    QCOMPARE(status(2), QString("( 5 , 5 ) x ( 15 , 15 )"));
    QVERIFY(state().SelectionActive);
    QVERIFY(!state().SelectionDragging);

    drag({159, 30}, {139, 10});
    QCOMPARE(status(2), QString("( 5 , 5 ) x ( 15 , 15 )"));
    drag({100, 10}, {139, 30});
    QCOMPARE(status(2), QString("( 0 , 5 ) x ( 5 , 15 )"));
    drag({400, 10}, {420, 30});
    QCOMPARE(status(2), QString("( -1 , -1 ) x ( -1 , -1 )"));

    // The right button neither starts nor ends a selection.
    const QString before = status(2);
    drag({139, 10}, {150, 20}, Qt::RightButton);
    QCOMPARE(status(2), before);
    QCOMPARE(state().SelectionScreenRect, (Rect{400, 10, 420, 30}));
  }

  void rubberBandIsDrawnWithXorAndErasedAgain() {
    load(writePicture("band.bmp", Bitmap(200, 100, WhiteColour)));
    const QImage before = window().pictureArea()->screen().copy();
    QWidget* area = window().pictureArea();
    QTest::mousePress(area, Qt::LeftButton, Qt::NoModifier, {140, 10});
    QTest::mouseMove(area, {180, 50});
    QVERIFY(window().pictureArea()->screen() != before);
    QTest::mouseMove(area, {140, 10});  // back to a band without area: nothing drawn
    QCOMPARE(window().pictureArea()->screen(), before);
    QTest::mouseRelease(area, Qt::LeftButton, Qt::NoModifier, {140, 10});
    // A repaint paints over an outline and ends the selection.
    drag({140, 10}, {180, 50});
    QVERIFY(state().SelectionActive);
    window().ZoomSpin->upButton()->click();
    QVERIFY(!state().SelectionActive);
  }

  void zoomStepsAndStopsAtItsLimits() {
    load(writePicture("zoom.bmp", GridPicture(1000, 800)));
    QList<int> seen;
    for (int i = 0; i < 7; ++i) {
      window().ZoomSpin->upButton()->click();
      seen << state().Zoom;
    }
    QCOMPARE(seen, (QList<int>{2, 4, 8, 16, 32, 32, 32}));
    seen.clear();
    for (int i = 0; i < 13; ++i) {
      window().ZoomSpin->downButton()->click();
      seen << window().ZoomShowLabel->text().toInt();
    }
    QCOMPARE(seen, (QList<int>{16, 8, 4, 2, 1, -1, -2, -4, -8, -16, -32, -32, -32}));
    for (int i = 0; i < 5; ++i) window().ZoomSpin->upButton()->click();
    QCOMPARE(state().Zoom, -1);
    QCOMPARE(state().DisplayRect.width(), 500);
    QCOMPARE(state().DisplayRect.height(), 400);
    // The strips beside and below the shrunk picture show the background.
    const QImage& screen = window().pictureArea()->screen();
    const QRgb background = window().pictureArea()->palette().color(QPalette::ToolTipBase).rgb();
    QCOMPARE(screen.pixel(129 + 500, 10), background);
    QCOMPARE(screen.pixel(140, 400), background);
    // Shrinking keeps the dark grid lines: every covered pixel is ANDed in.
    QVERIFY(screen.pixel(129 + 5, 3) != qRgb(255, 255, 255));
  }

  void saveAppendsBmpAndAsksBeforeOverwriting() {
    load(writePicture("orig.bmp", GridPicture(20, 10)));
    const std::string chosen = dir_.file("copy.bmp");
    dialogs_.files = {chosen};
    window().FileSaveBitmap->trigger();
    QVERIFY(std::filesystem::exists(dir_.file("copy.BMP")));
    QVERIFY(dialogs_.questions.empty());

    state().WorkImage.setPixel(0, 0, MakeColour(1, 2, 3));
    dialogs_.files = {dir_.file("copy")};
    dialogs_.answers = {Answer::No};
    window().FileSaveBitmap->trigger();
    QCOMPARE(dialogs_.questions.back(),
             std::string("A file with the name copy.BMP already exists. Overwrite ?"));
    Bitmap onDisk;
    std::string error;
    QVERIFY(LoadBitmapFile(dir_.file("copy.BMP"), onDisk, error));
    QVERIFY(onDisk.pixel(0, 0) != MakeColour(1, 2, 3));

    dialogs_.files = {dir_.file("copy.BMP")};
    dialogs_.answers = {Answer::Yes};
    window().FileSaveBitmap->trigger();
    QVERIFY(LoadBitmapFile(dir_.file("copy.BMP"), onDisk, error));
    QCOMPARE(onDisk, state().WorkImage);
  }

  void undoAllRestoresThePictureAsLoadedButKeepsTheZoom() {
    const Bitmap original = GridPicture(40, 30);
    load(writePicture("undo.bmp", original));
    window().ZoomSpin->upButton()->click();
    state().WorkImage.setSize(5, 5);
    state().BaseImage.setSize(5, 5);
    window().WhiteLimit->setText("99");

    dialogs_.answers = {Answer::Cancel};
    window().EditUndoall->trigger();
    QCOMPARE(state().WorkImage.width(), 5);
    QCOMPARE(dialogs_.questions.back(), std::string("Restore original image (as it was on the disk) ?"));

    dialogs_.answers = {Answer::Yes};
    window().EditUndoall->trigger();
    QCOMPARE(state().WorkImage, original);
    QCOMPARE(state().BaseImage, original);
    QCOMPARE(window().WhiteLimit->text(), QString("255"));
    QCOMPARE(state().Zoom, 2);
  }

  void shortWindowScrollsTheButtonPanel() {
    window().resize(792, 400 + (window().height() - window().clientHeight()));
    QCOMPARE(window().clientHeight(), 400);
    QVERIFY(window().PanelScroll->isVisible());
    QCOMPARE(window().PanelScroll->maximum(), 140);
    window().PanelScroll->setValue(60);
    QCOMPARE(window().MovePanel->y(), -60);
    window().resize(792, 600 + (window().height() - window().clientHeight()));
    QVERIFY(!window().PanelScroll->isVisible());
    QCOMPARE(window().MovePanel->y(), 0);
    QCOMPARE(window().StatusBar->y(), 600 - 19);
    QCOMPARE(window().HorizBar->y(), 600 - 19 - 17);
    QCOMPARE(window().VertBar->x(), 792 + 8 - 16 - 8);
  }

  void enterAndPointerCleanTheNumberFields() {
    window().VminEdit->setText("v=-5.0 mm/s");
    window().VminEdit->setFocus();
    QTest::keyClick(window().VminEdit, Qt::Key_Return);
    QCOMPARE(window().VminEdit->text(), QString("-5.0"));
    window().MatchEdit->setText("60 %");
    QTest::mouseMove(window().MatchEdit);
    QCOMPARE(window().MatchEdit->text(), QString("60 %"));
    window().MatchEdit->setFocus();
    QTest::keyClick(window().MatchEdit, Qt::Key_Return);
    QCOMPARE(window().MatchEdit->text(), QString("60"));
    window().MaxEdit->setText("1.2.3");
    QTest::mouseMove(window().MaxEdit, {5, 5});
    QCOMPARE(window().MaxEdit->text(), QString("1.2"));
  }

  void setAsUnitCopiesTheSelectedPixels() {
    Bitmap picture(100, 50);
    picture.setPixel(6, 6, MakeColour(200, 0, 0));
    load(writePicture("unit.bmp", picture));
    window().SetasUnitButton->click();  // no selection: nothing happens
    QVERIFY(!window().CreateBtn->isEnabled());
    QVERIFY(state().UnitTemplate.empty());

    window().ZoomSpin->upButton()->click();
    drag({139, 10}, {159, 30});
    window().SetasUnitButton->click();
    QCOMPARE(state().UnitTemplate.width(), 11);
    QCOMPARE(state().UnitTemplate.height(), 11);
    QCOMPARE(state().UnitTemplate.pixel(1, 1), MakeColour(200, 0, 0));
    QCOMPARE(state().UnitImagePicture, state().UnitTemplate);
    QCOMPARE(window().UnitImage->picture().size(), QSize(11, 11));
    QVERIFY(window().CreateBtn->isEnabled());
    QVERIFY(window().SetasUnitButton->isEnabled());

    // A selection wholly outside the picture keeps the template.
    drag({600, 300}, {620, 320});
    window().SetasUnitButton->click();
    QCOMPARE(state().UnitTemplate.width(), 11);
  }

  void pictureGivenAtStartIsLoaded() {
    const std::string path = writePicture("start.bmp", GridPicture(64, 48));
    Application second;
    ScriptedDialogs dialogs;
    second.ui().setDialogs(&dialogs);
    second.start(dir_.file("quorvix"), path);
    QCOMPARE(second.state().WorkImage.width(), 64);
    QCOMPARE(second.state().DiskImage.height(), 48);
    QVERIFY(second.mainWindow().FileSaveBitmap->isEnabled());
    QCOMPARE(second.state().OpenDialogDir, dir_.path());
    second.mainWindow().close();

    Application third;
    third.ui().setDialogs(&dialogs);
    third.start(dir_.file("quorvix"), dir_.file("missing.bmp"));
    QCOMPARE(dialogs.errors.size(), std::size_t{1});
    QVERIFY(third.state().WorkImage.empty());
    third.mainWindow().close();
  }

  void escapeSetsTheStopFlagWhereverTheFocusIs() {
    window().MinEdit->setFocus();
    QTest::keyClick(window().MinEdit, Qt::Key_Escape);
    QVERIFY(state().StopRequested);
  }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindow_test.moc"
