#include <gtest/gtest.h>

#include "GraphDraw/GetBitmapUnit.h"
#include "support/RecordingCanvas.h"

namespace {

TEST(RotateBitmap90, TurnsAQuarterCounterClockwise) {
  // a b c        c f
  // d e f   ->   b e
  //              a d
  Bitmap source(3, 2);
  const Colour a = 1, b = 2, c = 3, d = 4, e = 5, f = 6;
  source.setPixel(0, 0, a);
  source.setPixel(1, 0, b);
  source.setPixel(2, 0, c);
  source.setPixel(0, 1, d);
  source.setPixel(1, 1, e);
  source.setPixel(2, 1, f);

  Bitmap turned(7, 7, 9);
  RotateBitmap90(source, turned);
  ASSERT_EQ(turned.width(), 2);
  ASSERT_EQ(turned.height(), 3);
  const Colour expected[3][2] = {{c, f}, {b, e}, {a, d}};
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 2; ++x) EXPECT_EQ(turned.pixel(x, y), expected[y][x]) << x << "," << y;
  }
}

TEST(RotateBitmap90, FourTurnsGiveTheSourceAgainAlsoInPlace) {
  Bitmap picture(5, 3);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) picture.setPixel(x, y, static_cast<Colour>(10 * y + x));
  }
  Bitmap turned = picture;
  for (int i = 0; i < 4; ++i) RotateBitmap90(turned, turned);
  EXPECT_EQ(turned, picture);

  Bitmap empty;
  RotateBitmap90(Bitmap(0, 4), empty);
  EXPECT_EQ(empty.width(), 4);
  EXPECT_EQ(empty.height(), 0);
}

TEST(TextToVerticalBitmap, ReadsFromBottomToTopTwoPixelsLargerThanTheText) {
  const RecordingCanvas renderer;
  CanvasFont font;
  font.Size = 10;  // 6 pixels per character, 13 high
  font.Color = 0x0000FF;
  Bitmap vertical(1, 1, BlackColour);
  TextToVerticalBitmap(renderer, "AB", font, vertical);
  ASSERT_EQ(vertical.width(), 13 + 2);
  ASSERT_EQ(vertical.height(), 12 + 2);
  // The first character's cell (columns 1..6 of the text) lies at the bottom.
  for (int y = 0; y < vertical.height(); ++y) {
    for (int x = 0; x < vertical.width(); ++x) {
      const bool inFirstCell = x >= 1 && x <= 13 && y >= 14 - 1 - 6 && y <= 14 - 1 - 1;
      EXPECT_EQ(vertical.pixel(x, y), inFirstCell ? 0x0000FFu : WhiteColour) << x << "," << y;
    }
  }
}

}  // namespace
