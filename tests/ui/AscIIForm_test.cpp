#include "ui/AscIIForm.h"

#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <cmath>

namespace {

int DarkPixels(const QImage& image, const QRect& area) {
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (qGray(image.pixel(x, y)) < 128) ++count;
    }
  }
  return count;
}

bool AllWhite(const QImage& image) {
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if ((image.pixel(x, y) & 0xFFFFFFu) != 0xFFFFFFu) return false;
    }
  }
  return true;
}

// The state after a run over the default fields: -5 .. 5 and 0.90 .. 1.00,
// with two absorption lines.
void FillSpectrum(AppState& state) {
  state.PlotCaptions.TitleRight = "ASCII form of the data";
  state.PlotCaptions.XCaption = "v [mm/s]";
  state.PlotCaptions.YCaption = "Counts";
  state.PlotCaptions.XMin = -5;
  state.PlotCaptions.XMax = 5;
  state.PlotCaptions.YMin = 0.9;
  state.PlotCaptions.YMax = 1.0;
  for (int i = 0; i <= 100; ++i) {
    const double v = -5 + i * 0.1;
    state.VelocityArray.push_back(v);
    state.CountsArray.push_back(1.0 - 0.04 / (1 + (v - 1) * (v - 1) * 4) -
                                0.04 / (1 + (v + 1) * (v + 1) * 4));
  }
  state.DataPointCount = static_cast<int>(state.VelocityArray.size());
}

}  // namespace

class AscIIFormTest : public QObject {
  Q_OBJECT

 private slots:
  void designedAsAStayOnTopToolWindow() {
    AppState state;
    TForm2 form(state);
    QCOMPARE(form.windowTitle(), QStringLiteral("ASCII form of the data"));
    QCOMPARE(form.size(), QSize(392, 222));
    QVERIFY(form.windowFlags().testFlag(Qt::Tool));
    QVERIFY(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(!form.isVisible());
    form.ShowPreview();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.PaintBox1->geometry(), QRect(0, 0, 392, 222));
    form.resize(500, 300);
    QCoreApplication::processEvents();
    QCOMPARE(form.PaintBox1->geometry(), QRect(0, 0, 500, 300));
  }

  void emptyArraysLeaveTheClientWhite() {
    AppState state;
    FillSpectrum(state);
    state.CountsArray.clear();  // one empty array is enough
    TForm2 form(state);
    const QImage shot = form.grab().toImage();
    QCOMPARE(shot.size(), QSize(392, 222));
    QVERIFY(AllWhite(shot));
    QVERIFY(state.PreviewSeries.empty());
  }

  void pointsAreDrawnInsideAFrame() {
    AppState state;
    FillSpectrum(state);
    TForm2 form(state);
    const QImage shot = form.grab().toImage();
    QVERIFY(!AllWhite(shot));
    QCOMPARE(state.PreviewSeries.size(), std::size_t{1});
    // The bottom-right quarter of the plot holds part of the frame and points;
    // the top-left corner of the window is background.
    QVERIFY(DarkPixels(shot, QRect(196, 20, 180, 150)) > 100);
    QCOMPARE(DarkPixels(shot, QRect(0, 0, 4, 4)), 0);

    // Drawn again at the new size: the frame's right column moves along.
    form.resize(900, 600);
    const QImage large = form.grab().toImage();
    QCOMPARE(large.size(), QSize(900, 600));
    QVERIFY(DarkPixels(large, QRect(800, 100, 100, 400)) > 100);
  }

  void escapeIsReportedAndOtherKeysAreNot() {
    AppState state;
    TForm2 form(state);
    QSignalSpy spy(&form, &TForm2::escapePressed);
    QTest::keyClick(&form, Qt::Key_A);
    QTest::keyClick(&form, Qt::Key_Return);
    QCOMPARE(spy.count(), 0);
    QTest::keyClick(&form, Qt::Key_Escape);
    QCOMPARE(spy.count(), 1);
    QVERIFY(!state.StopRequested);  // the command behind the signal sets it
  }
};

QTEST_MAIN(AscIIFormTest)
#include "AscIIForm_test.moc"
