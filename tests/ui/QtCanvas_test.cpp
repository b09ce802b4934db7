#include "ui/QtCanvas.h"

#include <QImage>
#include <QPainter>
#include <QTest>
#include <string>
#include <vector>

#include "image/QtPictures.h"

namespace {

constexpr QRgb White = 0xFFFFFFFFu;

// Paints on a white image through a canvas, then gives the picture as rows of
// '#' (the given colour) and '.' (anything else) for the area asked for.
class Sheet {
 public:
  Sheet(int w, int h) : image_(w, h, QImage::Format_RGB32) { image_.fill(White); }
  template <typename Paint>
  void Draw(Paint paint) {
    QPainter painter(&image_);
    QtCanvas canvas(painter);
    paint(canvas);
  }
  std::vector<std::string> Rows(QRect area, QRgb colour) const {
    std::vector<std::string> rows;
    for (int y = area.top(); y <= area.bottom(); ++y) {
      std::string row;
      for (int x = area.left(); x <= area.right(); ++x)
        row += image_.pixel(x, y) == (colour | 0xFF000000u) ? '#' : '.';
      rows.push_back(row);
    }
    return rows;
  }
  QRgb At(int x, int y) const { return image_.pixel(x, y) & 0xFFFFFFu; }
  const QImage& Image() const { return image_; }

 private:
  QImage image_;
};

constexpr QRgb Black = 0x000000u;

}  // namespace

class QtCanvasTest : public QObject {
  Q_OBJECT

 private slots:
  void linesLeaveOutTheirEndPoint() {
    Sheet sheet(12, 8);
    sheet.Draw([](Canvas& c) {
      c.MoveTo(1, 1);
      c.LineTo(6, 1);
      c.MoveTo(8, 6);
      c.LineTo(8, 2);
    });
    const std::vector<std::string> expected = {
        "............", ".#####......", "............", "........#...",
        "........#...", "........#...", "........#...", "............",
    };
    QCOMPARE(sheet.Rows(QRect(0, 0, 12, 8), Black), expected);
  }

  void boxesLeaveOutTheirRightAndBottomEdges() {
    Sheet sheet(10, 8);
    sheet.Draw([](Canvas& c) {
      c.Brush().Color = 0x0000FF;  // red
      c.Pen().Color = 0x0000FF;
      c.Rectangle(1, 1, 4, 3);
      c.FrameRect({5, 1, 9, 6});
      c.Brush().Solid = false;
      c.FrameRect({0, 6, 9, 8});  // a hollow brush frames nothing
    });
    const std::vector<std::string> expected = {
        "..........", ".###.####.", ".###.#..#.", ".....#..#.",
        ".....#..#.", ".....####.", "..........", "..........",
    };
    QCOMPARE(sheet.Rows(QRect(0, 0, 10, 8), 0xFF0000u), expected);
  }

  void smallEllipsesAreRounded() {
    Sheet sheet(16, 8);
    sheet.Draw([](Canvas& c) {
      c.Pen().Color = 0x00FF00;
      c.Brush().Color = 0x00FF00;
      c.Ellipse(1, 1, 5, 5);   // radius 2 symbol: 4 across
      c.Ellipse(7, 1, 13, 7);  // 6 across
    });
    const std::vector<std::string> expected = {
        "................", "..##....####....", ".####..######...", ".####..######...",
        "..##...######...", ".......######...", "........####....", "................",
    };
    QCOMPARE(sheet.Rows(QRect(0, 0, 16, 8), 0x00FF00u), expected);
  }

  void ellipseOutlineTakesThePenInsideTheFill() {
    Sheet sheet(8, 8);
    sheet.Draw([](Canvas& c) {
      c.Pen().Color = 0x000000;
      c.Brush().Color = 0x0000FF;
      c.Ellipse(1, 1, 7, 7);
    });
    QCOMPARE(sheet.At(4, 4), 0xFF0000u);  // inside: brush
    QCOMPARE(sheet.At(1, 4), 0x000000u);  // left edge: pen
    QCOMPARE(sheet.At(4, 6), 0x000000u);  // bottom row: pen
    QCOMPARE(sheet.At(7, 4), 0xFFFFFFu);  // right edge of the box is outside
  }

  void dottedLinesStartTheirPatternAtTheStartPoint() {
    Sheet sheet(16, 3);
    sheet.Draw([](Canvas& c) {
      c.Pen().Style = psDot;
      c.MoveTo(0, 0);
      c.LineTo(15, 0);
      c.MoveTo(15, 1);  // right to left
      c.LineTo(0, 1);
      c.Pen().Style = psClear;
      c.MoveTo(0, 2);
      c.LineTo(15, 2);
    });
    const std::vector<std::string> expected = {"###...###...###.", ".###...###...###", "................"};
    QCOMPARE(sheet.Rows(QRect(0, 0, 16, 3), Black), expected);
  }

  void dashGapsTakeASolidBrushColour() {
    Sheet sheet(30, 2);
    sheet.Draw([](Canvas& c) {
      c.Pen().Style = psDash;
      c.Brush().Color = 0x0000FF;
      c.MoveTo(0, 0);
      c.LineTo(29, 0);
      c.Brush().Solid = false;
      c.MoveTo(0, 1);
      c.LineTo(29, 1);
    });
    const std::string dash(18, '#');
    QCOMPARE(sheet.Rows(QRect(0, 0, 30, 2), Black),
             (std::vector<std::string>{dash + "......#####.", dash + "......#####."}));
    QCOMPARE(sheet.At(20, 0), 0xFF0000u);  // gap in the brush colour
    QCOMPARE(sheet.At(20, 1), 0xFFFFFFu);  // hollow brush: gap left alone
    QCOMPARE(sheet.At(29, 0), 0xFFFFFFu);  // the end point
  }

  void textFillsItsCellOnlyWithASolidBrush() {
    Sheet sheet(120, 60);
    int w = 0;
    int h = 0;
    sheet.Draw([&](Canvas& c) {
      c.Font() = {"Times New Roman", 12, 0x000000};
      w = c.TextWidth("Ab");
      h = c.TextHeight("Ab");
      c.Brush().Color = 0x0000FF;
      c.TextOut(2, 2, "Ab");
      c.Brush().Solid = false;
      c.TextOut(2, 30, "Ab");
    });
    QVERIFY(w > 0 && h > 0);
    QCOMPARE(sheet.At(2, 2), 0xFF0000u);                  // cell corner in the brush colour
    QCOMPARE(sheet.At(2 + w - 1, 2 + h - 1), 0xFF0000u);  // the cell is TextWidth x TextHeight
    QCOMPARE(sheet.At(2 + w, 2), 0xFFFFFFu);
    QCOMPARE(sheet.At(2, 30), 0xFFFFFFu);  // hollow: no cell
    bool inked = false;
    for (int y = 30; y < 30 + h; ++y) {
      for (int x = 2; x < 2 + w; ++x) inked = inked || qGray(sheet.Image().pixel(x, y)) < 100;
    }
    QVERIFY(inked);
  }

  void textBitmapIsTwoPixelsLargerThanTheText() {
    Sheet sheet(4, 4);
    sheet.Draw([](Canvas& c) {
      const CanvasFont font{"Times New Roman", 19, 0x0000FF};
      c.Font() = font;
      const Bitmap text = c.TextBitmap("Counts", font);
      QCOMPARE(text.width(), c.TextWidth("Counts") + 2);
      QCOMPARE(text.height(), c.TextHeight("Counts") + 2);
      int red = 0;
      for (Colour p : text.pixels()) red += (p == 0x0000FFu) ? 1 : 0;
      QVERIFY(red > 20);
      QCOMPARE(text.pixel(0, 0), WhiteColour);
    });
  }

  void pointSizesAreTakenAtNinetySixDotsPerInch() {
    QCOMPARE(QtCanvas::PixelSizeOfPoints(19), 25);
    QCOMPARE(QtCanvas::PixelSizeOfPoints(14), 19);
    QCOMPARE(QtCanvas::PixelSizeOfPoints(8), 11);
    QCOMPARE(QtCanvas::PixelSizeOfPoints(4), 5);
    QCOMPARE(QtCanvas::PixelSizeOfPoints(9), 12);
    QCOMPARE(QtCanvas::ToQFont({"Times New Roman", 19, 0}).pixelSize(), 25);
  }

  void picturesKeepTheirColoursThroughQt() {
    Bitmap picture(3, 2, 0x123456);
    picture.setPixel(2, 1, 0x0000FF);
    QCOMPARE(PictureFromImage(ImageFromPicture(picture)), picture);
    QCOMPARE(ImageFromPicture(picture).pixel(2, 1) & 0xFFFFFFu, 0xFF0000u);
    Sheet sheet(5, 4);
    sheet.Draw([&](Canvas& c) { c.Draw(1, 1, picture); });
    QCOMPARE(sheet.At(1, 1), 0x563412u);
    QCOMPARE(sheet.At(3, 2), 0xFF0000u);
    QCOMPARE(sheet.At(4, 3), 0xFFFFFFu);
  }
};

QTEST_MAIN(QtCanvasTest)
#include "QtCanvas_test.moc"
