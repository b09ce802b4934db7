#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QtTest>
#include <cmath>
#include <functional>

#include "extract/PointEdits.h"
#include "image/BitmapFile.h"
#include "output/PointMarkers.h"
#include "support/DiscPicture.h"
#include "support/WindowTest.h"
#include "ui/PictureArea.h"

namespace {

const std::vector<QPointF> Centres = {
    {20.5, 30.25}, {55.25, 22.0}, {90.0, 61.5}, {130.75, 40.5}, {170.3, 75.6}};

// The picture is drawn from the picture area's column 129 at zoom 1.
constexpr int PictureLeft = 129;

}  // namespace

class FoundPointsOverlayTest : public WindowTest {
  Q_OBJECT

 private:
  void drag(QPoint from, QPoint to) {
    QWidget* area = window().pictureArea();
    QTest::mousePress(area, Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(area, to);
    QTest::mouseRelease(area, Qt::LeftButton, Qt::NoModifier, to);
  }

  // The part of the picture area that shows the picture (and a little of
  // the background beyond it), without the panel's blinking text cursor.
  QImage grabArea() {
    return window()
        .pictureArea()
        ->grab(QRect(PictureLeft, 0, 230, 120))
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
  }

  // Loads the five discs, takes the first as the unit and runs Create ASCII
  // (thorough when asked).
  void run(bool thorough) {
    std::string error;
    const std::string path = dir_.file("discs.bmp");
    QVERIFY(SaveBitmapFile(path, Discs(201, 101, Centres), error));
    dialogs_.files = {path};
    window().LoadBitmap1->trigger();
    drag({PictureLeft + 14, 24}, {PictureLeft + 27, 37});
    window().SetasUnitButton->click();
    if (thorough) window().EditThorough->trigger();
    window().VminEdit->setText("0");
    window().VMaxEdit->setText("200");
    window().MinEdit->setText("0");
    window().MaxEdit->setText("100");
    window().MatchEdit->setText("60");
    window().CreateBtn->click();
    QCOMPARE(state().DataPointCount, 5);
  }

  // Every pixel where the two grabs differ lies near one of the found
  // centres, and each centre has differing pixels near it.
  void verifyMarkersAtCentres(const QImage& shown, const QImage& hidden) {
    QCOMPARE(shown.size(), hidden.size());
    std::vector<int> near(Centres.size(), 0);
    int far = 0;
    for (int y = 0; y < shown.height(); ++y) {
      for (int x = 0; x < shown.width(); ++x) {
        if (shown.pixel(x, y) == hidden.pixel(x, y)) continue;
        bool close = false;
        for (std::size_t i = 0; i < Centres.size(); ++i) {
          const double d = std::hypot(x - Centres[i].x(), y - Centres[i].y());
          if (d <= 3.0) ++near[i];
          close = close || d <= 12.0;
        }
        if (!close) ++far;
      }
    }
    QCOMPARE(far, 0);
    for (std::size_t i = 0; i < Centres.size(); ++i) QVERIFY2(near[i] > 0, std::to_string(i).c_str());
  }

 private slots:
  void init() { startApplication(); }
  void cleanup() { finishApplication(); }

  void markersOverTheFoundCentresShownAndHiddenByTheViewMenu() {
    QAction* item = MenuAction(window(), "View", "Show found points");
    QVERIFY(item != nullptr && item->isCheckable() && item->isChecked());
    run(true);
    // The centres follow the lists: velocity = column here.
    QCOMPARE(state().FoundCentres.size(), std::size_t{5});
    for (std::size_t i = 0; i < 5; ++i) {
      QCOMPARE(state().FoundCentres[i].x, state().VelocityArray[i]);
      QVERIFY(std::abs(state().FoundCentres[i].y - Centres[i].y()) < 0.1);
    }
    const QImage shown = grabArea();
    item->trigger();
    QVERIFY(!state().ShowFoundPoints);
    const QImage hidden = grabArea();
    verifyMarkersAtCentres(shown, hidden);
    // The picture itself is untouched by the markers.
    QCOMPARE(state().WorkImage, Discs(201, 101, Centres));
    item->trigger();
    QCOMPARE(grabArea(), shown);
  }

  void theDefaultScanShowsItsWholePixelCentres() {
    run(false);
    for (const PictureCentre& c : state().FoundCentres) {
      QCOMPARE(c.x, std::round(c.x));
      QCOMPARE(c.y, std::round(c.y));
    }
    const QImage shown = grabArea();
    window().ViewFoundPoints->trigger();
    QVERIFY(shown != grabArea());
  }

  void theCommandLineOverlayShowsWhatTheWindowShows();

  // A symbol left without its point is tinted, and nothing else is, under
  // both modes' models of the ink.
  void unmatchedInkTintsOnlyTheSymbolWithoutAPoint_data() {
    QTest::addColumn<bool>("thorough");
    QTest::newRow("thorough") << true;
    QTest::newRow("default") << false;
  }
  void unmatchedInkTintsOnlyTheSymbolWithoutAPoint() {
    QFETCH(bool, thorough);
    run(thorough);
    QAction* item = MenuAction(window(), "View", "Show unmatched ink");
    QVERIFY(item != nullptr && item->isCheckable() && !item->isChecked());
    window().ViewFoundPoints->trigger();  // the rings off, to see the picture
    const QImage plain = grabArea();
    item->trigger();
    QCOMPARE(grabArea(), plain);  // every symbol has its point
    // Without the point of the third disc, its ink alone is tinted.
    std::vector<FoundPoint> points = ListedPoints(state());
    points.erase(points.begin() + 2);
    SetListedPoints(state(), app_->ui(), points);
    const QImage tinted = grabArea();
    int near = 0, far = 0;
    for (int y = 0; y < tinted.height(); ++y) {
      for (int x = 0; x < tinted.width(); ++x) {
        if (tinted.pixel(x, y) == plain.pixel(x, y)) continue;
        (std::hypot(x - Centres[2].x(), y - Centres[2].y()) <= 5 ? near : far) += 1;
      }
    }
    QVERIFY(near >= 20);
    QCOMPARE(far, 0);
    item->trigger();
    QCOMPARE(grabArea(), plain);
  }

  void everyCommandThatChangesThePictureDropsTheMarkers_data() {
    QTest::addColumn<int>("command");
    for (int c = 0; c < 9; ++c) QTest::newRow(std::to_string(c).c_str()) << c;
  }

  void everyCommandThatChangesThePictureDropsTheMarkers() {
    QFETCH(int, command);
    run(true);
    const QImage shown = grabArea();
    window().ViewFoundPoints->trigger();
    const QImage hidden = grabArea();
    window().ViewFoundPoints->trigger();
    QCOMPARE(grabArea(), shown);
    const auto select = [&] { drag({PictureLeft + 100, 10}, {PictureLeft + 190, 90}); };
    std::string what;
    switch (command) {
      case 0:
        what = "grey limit";
        window().WhiteLimit->setText("200");
        QTest::keyClick(window().WhiteLimit, Qt::Key_Return);
        break;
      case 1:
        what = "discard colour";
        dialogs_.answers = {Answer::Yes};
        window().Grayscale1->trigger();
        break;
      case 2:
        what = "reduce";
        dialogs_.answers = {Answer::Yes};
        window().EditReduce->trigger();
        break;
      case 3:
        what = "crop";
        select();
        window().CropImageButton->click();
        break;
      case 4:
        what = "clear inside";
        select();
        window().ClearInsideButton->click();
        break;
      case 5:
        what = "clear outside";
        select();
        window().ClearOutsideButton->click();
        break;
      case 6:
        what = "undo all";
        dialogs_.answers = {Answer::Yes};
        window().EditUndoall->trigger();
        break;
      case 7: {
        what = "load";
        std::string error;
        const std::string path = dir_.file("again.bmp");
        QVERIFY(SaveBitmapFile(path, Discs(201, 101, Centres), error));
        dialogs_.files = {path};
        window().LoadBitmap1->trigger();
        break;
      }
      case 8:
        what = "delete key";
        select();
        QTest::keyClick(window().PanelBtn, Qt::Key_Delete);
        break;
    }
    QVERIFY2(state().FoundCentres.empty(), what.c_str());
    // Nothing of the markers is left where the first four discs were (the
    // edits above keep that part of the picture as it was, or turn it grey).
    const QImage now = grabArea();
    for (std::size_t i = 0; i < 4; ++i) {
      const int cx = static_cast<int>(Centres[i].x());
      const int cy = static_cast<int>(Centres[i].y());
      bool ringLeft = false;
      for (int y = cy - 11; y <= cy + 11; ++y)
        for (int x = cx - 11; x <= cx + 11; ++x)
          ringLeft =
              ringLeft || (shown.pixel(x, y) != hidden.pixel(x, y) && now.pixel(x, y) == shown.pixel(x, y));
      QVERIFY2(!ringLeft, (what + " " + std::to_string(i)).c_str());
    }
  }
};

// quorvix-cli --overlay writes the picture with the window's markers.
void FoundPointsOverlayTest::theCommandLineOverlayShowsWhatTheWindowShows() {
  const std::string sample = std::string(QUORVIX_SAMPLES_DIR) + "/sextet.bmp";
  const std::string overlay = dir_.file("overlay.png");
  QProcess cli;
  cli.start(QUORVIX_CLI_PATH,
            {"extract", QString::fromStdString(sample), "--unit", "0,35,10,45", "--overlay",
             QString::fromStdString(overlay), "-o", QString::fromStdString(dir_.file("out.txt"))});
  QVERIFY(cli.waitForFinished(30000));
  QCOMPARE(cli.exitCode(), 0);
  Bitmap drawn, input;
  std::string error;
  QVERIFY2(LoadBitmapFile(overlay, drawn, error), error.c_str());
  QVERIFY(LoadBitmapFile(sample, input, error));
  QCOMPARE(drawn.width(), input.width());
  QCOMPARE(drawn.height(), input.height());

  // The same run in the window, for the centres and the picture it shows.
  dialogs_.files = {sample};
  window().LoadBitmap1->trigger();
  drag({PictureLeft, 35}, {PictureLeft + 10, 45});
  window().SetasUnitButton->click();
  window().CreateBtn->click();
  QCOMPARE(state().DataPointCount, 120);
  const std::vector<PictureCentre>& centres = state().FoundCentres;
  const double reach = MarkerRadius(state().UnitTemplate, 1.0) + 3;
  int changed = 0;
  for (int y = 0; y < input.height(); ++y) {
    for (int x = 0; x < input.width(); ++x) {
      double nearest = 1e9;
      for (const PictureCentre& c : centres) nearest = std::min(nearest, std::hypot(x - c.x, y - c.y));
      if (nearest > reach)
        QVERIFY2(drawn.pixel(x, y) == input.pixel(x, y),
                 (std::to_string(x) + "," + std::to_string(y)).c_str());
      if (drawn.pixel(x, y) != input.pixel(x, y)) ++changed;
    }
  }
  for (const PictureCentre& c : centres) {
    const int x = static_cast<int>(std::floor(c.x + 0.5)), y = static_cast<int>(std::floor(c.y + 0.5));
    QVERIFY2(drawn.pixel(x, y) != input.pixel(x, y), (std::to_string(x) + "," + std::to_string(y)).c_str());
  }
  QVERIFY(changed > 0);
  // At zoom 1 the window shows those very pixels (within a unit of rounding).
  const QImage shown = grabArea();
  for (int y = 0; y < shown.height() && y < input.height(); ++y) {
    for (int x = 0; x < shown.width() && x < input.width(); ++x) {
      const QRgb s = shown.pixel(x, y);
      const Colour d = drawn.pixel(x, y);
      QVERIFY2(std::abs(qRed(s) - RedOf(d)) <= 1 && std::abs(qGreen(s) - GreenOf(d)) <= 1 &&
                   std::abs(qBlue(s) - BlueOf(d)) <= 1,
               (std::to_string(x) + "," + std::to_string(y)).c_str());
    }
  }
}

QTEST_MAIN(FoundPointsOverlayTest)
#include "FoundPointsOverlay_test.moc"
