#include <gtest/gtest.h>

#include <random>

#include "extract/thorough/InkPicture.h"
#include "extract/thorough/PaperModel.h"

namespace {

Bitmap Filled(int w, int h, Colour c) {
  return Bitmap(w, h, c);
}

TEST(PaperModel, PaperIsTheCommonestValueAndCleanPaperHasNoNoiseFloor) {
  struct Case {
    const char* name;
    Colour paper;
  };
  const Case cases[] = {
      {"white", WhiteColour}, {"cream", MakeColour(236, 230, 212)}, {"grey", MakeColour(180, 180, 181)}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Bitmap picture = Filled(200, 150, c.paper);
    // Dark dots everywhere, a tenth of the pixels.
    for (int y = 0; y < 150; y += 3)
      for (int x = (y / 3) % 3; x < 200; x += 3) picture.setPixel(x, y, MakeColour(20, 30, 40));
    const PaperModel paper(picture);
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{199, 149}, std::pair{100, 70}}) {
      const std::array<float, 3> p = paper.paperAt(x, y);
      EXPECT_NEAR(p[0], RedOf(c.paper), 0.5);
      EXPECT_NEAR(p[1], GreenOf(c.paper), 0.5);
      EXPECT_NEAR(p[2], BlueOf(c.paper), 0.5);
    }
    EXPECT_EQ(paper.noiseFloor(), (std::array<float, 3>{0, 0, 0}));
  }
}

TEST(PaperModel, FollowsALampGradientAndIgnoresATileFullOfInk) {
  // Paper from 200 at the left to 250 at the right; one tile is solid ink.
  Bitmap picture(640, 256);
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 640; ++x) {
      const int v = 200 + 50 * x / 639;
      picture.setPixel(x, y, MakeColour(v, v, v));
    }
  picture.fillRect({256, 64, 320, 128}, MakeColour(10, 10, 10));
  const PaperModel paper(picture);
  for (const int x : {32, 160, 288, 480, 608}) {
    const double expected = 200 + 50.0 * x / 639;
    EXPECT_NEAR(paper.paperAt(x, 96)[0], expected, 4.0) << "column " << x;
  }
}

TEST(PaperModel, NoiseFloorIsAboutThreeSigma) {
  std::mt19937 random(5);
  std::normal_distribution<double> noise(0.0, 3.0);
  Bitmap picture(256, 256);
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x) {
      const auto level = [&](int base) {
        return std::clamp(static_cast<int>(std::lround(base + noise(random))), 0, 255);
      };
      picture.setPixel(x, y, MakeColour(level(230), level(225), level(210)));
    }
  const PaperModel paper(picture);
  for (const float f : paper.noiseFloor()) {
    EXPECT_GT(f, 6.0f);
    EXPECT_LT(f, 12.0f);
  }
}

TEST(InkAgainstPaper, IsTheShareOfThePapersLightThatIsMissing) {
  const std::array<float, 3> white{255, 255, 255};
  const std::array<float, 3> cream{240, 200, 100};
  const std::array<float, 3> noFloor{0, 0, 0};
  const std::array<float, 3> floor8{8, 8, 8};
  struct Case {
    Colour colour;
    const std::array<float, 3>* paper;
    const std::array<float, 3>* floor;
    std::uint32_t ink;
  };
  const Case cases[] = {
      {MakeColour(255, 255, 255), &white, &noFloor, 0},
      {MakeColour(0, 128, 250), &white, &noFloor, PackInk(255, 127, 5)},
      {MakeColour(0, 128, 250), &white, &floor8, PackInk(255, 127, 0)},      // 5 is within the floor
      {MakeColour(240, 200, 100), &cream, &noFloor, 0},                      // the paper itself
      {MakeColour(120, 100, 50), &cream, &noFloor, PackInk(128, 128, 128)},  // half the light of each
      {MakeColour(250, 210, 110), &cream, &noFloor, 0},                      // lighter than the paper
      {MakeColour(0, 0, 0), &cream, &floor8, PackInk(255, 255, 255)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(InkAgainstPaper(c.colour, c.paper->data(), *c.floor), c.ink) << std::hex << c.colour;
  }
}

TEST(InkPicture, EveryPixelIsItsInkAgainstThePaperThere) {
  // A tinted, noisy scan with a lamp gradient, 197 pixels wide (not a
  // multiple of four), against the paper estimated from it.
  std::mt19937 random(5);
  std::normal_distribution<double> noise(0, 3);
  Bitmap picture(197, 130);
  for (int y = 0; y < 130; ++y)
    for (int x = 0; x < 197; ++x) {
      const auto level = [&](double base) {
        return std::clamp(static_cast<int>(base - 0.1 * x + noise(random)), 0, 255);
      };
      picture.setPixel(x, y, MakeColour(level(245), level(238), level(215)));
    }
  picture.fillRect({40, 30, 60, 50}, MakeColour(20, 30, 160));
  picture.fillRect({120, 70, 124, 120}, MakeColour(90, 90, 90));
  const PaperModel paper(picture);
  const InkPicture ink(picture, paper);
  for (int y = 0; y < 130; ++y)
    for (int x = 0; x < 197; ++x) {
      const std::array<float, 3> p = paper.paperAt(x, y);
      ASSERT_EQ(ink.at(x, y), InkAgainstPaper(picture.pixel(x, y), p.data(), paper.noiseFloor()))
          << x << "," << y;
    }
}

TEST(InkPicture, BoxSumsAreTheSummedInkLengthsClippedToThePicture) {
  std::mt19937 random(11);
  std::uniform_int_distribution<int> level(0, 255);
  Bitmap picture(37, 23);
  for (int y = 0; y < 23; ++y)
    for (int x = 0; x < 37; ++x)
      if (level(random) < 90) picture.setPixel(x, y, MakeColour(level(random), level(random), level(random)));
  const InkPicture ink(picture, PaperModel(37, 23, {255, 255, 255}));
  std::uniform_int_distribution<int> corner(-5, 42);
  for (int k = 0; k < 200; ++k) {
    const int l = corner(random), t = corner(random), r = corner(random), b = corner(random);
    std::uint32_t expected = 0;
    for (int y = std::max(t, 0); y < std::min(b, 23); ++y)
      for (int x = std::max(l, 0); x < std::min(r, 37); ++x) {
        const std::uint32_t v = ink.at(x, y);
        const double len =
            std::sqrt(double(InkRed(v) * InkRed(v) + InkGreen(v) * InkGreen(v) + InkBlue(v) * InkBlue(v)));
        expected += static_cast<std::uint32_t>(std::ceil(static_cast<float>(len) - 1e-4f));
      }
    EXPECT_EQ(ink.boxSum(l, t, r, b), expected) << l << "," << t << "," << r << "," << b;
  }
}

TEST(InkPicture, FrameLinesAlongTheEdgesAreNotJudged) {
  Bitmap picture(120, 80);
  picture.fillRect({0, 0, 120, 2}, BlackColour);    // top frame, 2 rows
  picture.fillRect({0, 78, 120, 80}, BlackColour);  // bottom
  picture.fillRect({0, 0, 1, 80}, BlackColour);     // left, 1 column
  picture.fillRect({119, 0, 120, 80}, BlackColour);
  picture.fillRect({30, 2, 31, 9}, BlackColour);   // a tick below the top frame
  picture.fillRect({0, 40, 60, 41}, BlackColour);  // half a line: no frame
  const InkPicture ink(picture, PaperModel(120, 80, {255, 255, 255}));
  EXPECT_TRUE(ink.at(50, 0) & InkPicture::Unjudged);
  EXPECT_TRUE(ink.at(50, 1) & InkPicture::Unjudged);
  EXPECT_TRUE(ink.at(50, 79) & InkPicture::Unjudged);
  EXPECT_TRUE(ink.at(0, 40) & InkPicture::Unjudged);
  EXPECT_TRUE(ink.at(119, 5) & InkPicture::Unjudged);
  EXPECT_FALSE(ink.at(30, 5) & InkPicture::Unjudged);
  EXPECT_FALSE(ink.at(20, 40) & InkPicture::Unjudged);
  EXPECT_FALSE(ink.at(50, 2) & InkPicture::Unjudged);
  // Unjudged ink adds nothing to box sums.
  EXPECT_EQ(ink.boxSum(40, 0, 60, 2), 0u);
  EXPECT_EQ(ink.boxSum(30, 2, 31, 9), 7u * 442u);
}

}  // namespace
