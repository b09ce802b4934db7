// The picture area at the highest zoom, scrolled to the far end of the
// largest pictures Quorvix takes: the layout and the rendering stay within
// their integers and show exactly the source pixels, computing only what is
// visible.
#include "ui/PictureRender.h"

#include <QImage>
#include <QTest>
#include <chrono>

#include "state/Viewport.h"

namespace {

Colour PatternAt(int x, int y) {
  return MakeColour(x % 251, y % 241, (7 * x + y) % 239);
}

Bitmap PatternPicture(int width, int height) {
  Bitmap picture(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) picture.setPixel(x, y, PatternAt(x, y));
  return picture;
}

// 0xAARRGGBB of a 0x00BBGGRR colour.
QRgb Shown(Colour c) {
  return qRgb(RedOf(c), GreenOf(c), BlueOf(c));
}

}  // namespace

class PictureRenderTest : public QObject {
  Q_OBJECT

 private slots:
  void highestZoomScrolledToTheFarEndShowsTheSourcePixels_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("4000 x 2000 scan") << 4000 << 2000;
    QTest::newRow("widest picture") << 65535 << 3;
    QTest::newRow("tallest picture") << 2 << 65535;
  }

  void highestZoomScrolledToTheFarEndShowsTheSourcePixels() {
    QFETCH(int, width);
    QFETCH(int, height);
    AppState state;
    state.WorkImage = PatternPicture(width, height);
    state.Zoom = 32;
    ViewportGeometry geometry;
    geometry.VertBarPosition = 100;
    geometry.HorizBarPosition = 100;
    LayoutViewport(state, geometry);
    const Rect& d = state.DisplayRect;
    QCOMPARE(d.width(), 32 * width);
    QCOMPARE(d.height(), 32 * height);

    QImage screen(800, 600, QImage::Format_RGB32);
    screen.fill(Qt::black);
    const Rect& v = state.ViewArea;
    const Rect clip{v.Left, v.Top, v.Right + 1, v.Bottom + 1};
    const auto start = std::chrono::steady_clock::now();
    RenderPicture(state.WorkImage, d, clip, screen);
    QVERIFY(std::chrono::steady_clock::now() - start < std::chrono::seconds(1));

    int checked = 0;
    for (int y = std::max(clip.Top, d.Top); y < std::min(clip.Bottom, d.Bottom); ++y) {
      for (int x = std::max(clip.Left, d.Left); x < std::min(clip.Right, d.Right); ++x) {
        const Colour expected = state.WorkImage.pixel((x - d.Left) / 32, (y - d.Top) / 32);
        if (screen.pixel(x, y) != Shown(expected)) {
          QFAIL(qPrintable(QString("pixel %1, %2 shows the wrong source pixel").arg(x).arg(y)));
        }
        ++checked;
      }
    }
    QVERIFY(checked > 0);
  }
};

QTEST_GUILESS_MAIN(PictureRenderTest)
#include "PictureRender_test.moc"
