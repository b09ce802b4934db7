#include <gtest/gtest.h>

#include "state/Bitmap.h"

TEST(Bitmap, ColourLayoutIsBlueGreenRed) {
  const Colour c = MakeColour(10, 20, 30);
  EXPECT_EQ(c, 0x001E140Au);
  EXPECT_EQ(RedOf(c), 10);
  EXPECT_EQ(GreenOf(c), 20);
  EXPECT_EQ(BlueOf(c), 30);
  EXPECT_TRUE(IsWhite(0xFFFFFFu));
  EXPECT_TRUE(IsWhite(0xFFFFFFFFu));
  EXPECT_FALSE(IsWhite(0xFFFFFEu));
}

TEST(Bitmap, FillAndCopyClipToBothBitmaps) {
  Bitmap target(4, 3, WhiteColour);
  target.fillRect({-2, -2, 2, 1}, 0x123456);
  EXPECT_EQ(target.pixel(0, 0), 0x123456u);
  EXPECT_EQ(target.pixel(1, 0), 0x123456u);
  EXPECT_EQ(target.pixel(2, 0), WhiteColour);
  EXPECT_EQ(target.pixel(0, 1), WhiteColour);

  Bitmap source(3, 3, BlackColour);
  source.setPixel(2, 2, 0x0000FF);
  target.copyRect(2, 1, source, {1, 1, 5, 5});  // 2 x 2 of it fits
  EXPECT_EQ(target.pixel(2, 1), BlackColour);
  EXPECT_EQ(target.pixel(3, 2), 0x0000FFu);
  EXPECT_EQ(target.pixel(1, 1), WhiteColour);
}

TEST(Bitmap, CopyWithinItselfUsesTheOriginalPixels) {
  Bitmap b(3, 1);
  b.setPixel(0, 0, 1);
  b.setPixel(1, 0, 2);
  b.setPixel(2, 0, 3);
  b.copyRect(1, 0, b, {0, 0, 2, 1});
  EXPECT_EQ(b.pixel(0, 0), 1u);
  EXPECT_EQ(b.pixel(1, 0), 1u);
  EXPECT_EQ(b.pixel(2, 0), 2u);
}
