#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "extract/TestPictures.h"
#include "extract/thorough/ThoroughTemplate.h"

namespace {

const PaperModel WhitePaper(64, 64, {255, 255, 255});

// A disc of radius 3.5 around (5, 5) drawn with anti-aliased edges (4 x 4
// samples per pixel), in `colour`; `ring`: only its outline, 1.5 wide.
Bitmap Disc(Colour colour, bool ring, int size = 11) {
  Bitmap b(size, size);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      int hits = 0;
      for (int j = 0; j < 4; ++j)
        for (int i = 0; i < 4; ++i) {
          const double r = std::hypot(x + (i + 0.5) / 4 - 5.5, y + (j + 0.5) / 4 - 5.5);
          hits += (ring ? (r <= 3.5 && r >= 2.0) : r <= 3.5) ? 1 : 0;
        }
      const auto mix = [&](int c) { return 255 - (255 - c) * hits / 16; };
      b.setPixel(x, y, MakeColour(mix(RedOf(colour)), mix(GreenOf(colour)), mix(BlueOf(colour))));
    }
  }
  return b;
}

double Length(const std::array<float, 3>& v) {
  return std::sqrt(double(v[0]) * v[0] + double(v[1]) * v[1] + double(v[2]) * v[2]);
}

TEST(LocateUnit, FindsTheExactCopyOnly) {
  Bitmap picture(40, 30, MakeColour(250, 250, 245));
  StampSymbol(picture, Disc(BlackColour, false), 20, 12);
  StampSymbol(picture, Disc(MakeColour(0, 0, 200), false), 3, 3);
  Bitmap unit(13, 13);
  unit.copyRect(0, 0, picture, {19, 11, 32, 24});
  EXPECT_EQ(LocateUnit(picture, unit), (std::array<int, 2>{19, 11}));
  unit.setPixel(6, 6, MakeColour(1, 2, 3));
  EXPECT_EQ(LocateUnit(picture, unit), std::nullopt);
  EXPECT_EQ(LocateUnit(unit, picture), std::nullopt);  // larger than the picture
  EXPECT_EQ(LocateUnit(picture, Bitmap()), std::nullopt);
}

TEST(ThoroughTemplate, TrimsToTheInkDropsSpecksAndKeepsARealCentre) {
  // The disc in a rectangle with margins, a faint speck in a corner and a
  // dark blob (more than 3 % of the ink) in another.
  Bitmap unit(17, 15);
  StampSymbol(unit, Disc(BlackColour, false), 3, 2);
  unit.setPixel(0, 0, MakeColour(200, 200, 200));
  ThoroughTemplate t = BuildThoroughTemplate(unit, WhitePaper, std::nullopt);
  ASSERT_FALSE(t.empty());
  // The disc's ink spans pixels 2 to 8 of its picture, around pixel 5.
  EXPECT_EQ(t.width, 7);
  EXPECT_EQ(t.height, 7);
  EXPECT_NEAR(t.centreX, 3.0, 1e-6);
  EXPECT_NEAR(t.centreY, 3.0, 1e-6);
  EXPECT_FALSE(t.twoLevel);

  unit.fillRect({15, 12, 17, 15}, BlackColour);  // 6 black pixels: well over 3 %
  t = BuildThoroughTemplate(unit, WhitePaper, std::nullopt);
  EXPECT_EQ(t.width, 12);
  EXPECT_EQ(t.height, 11);
  EXPECT_GT(t.centreX, 3.0);
}

TEST(ThoroughTemplate, AllWhiteOrEmptyUnitGivesNoTemplate) {
  EXPECT_TRUE(BuildThoroughTemplate(Bitmap(5, 4), WhitePaper, std::nullopt).empty());
  EXPECT_TRUE(BuildThoroughTemplate(Bitmap(), WhitePaper, std::nullopt).empty());
  // A unit as light as the paper it was cut from holds no ink either.
  const PaperModel cream(64, 64, {236, 230, 212});
  EXPECT_TRUE(BuildThoroughTemplate(Bitmap(5, 4, MakeColour(236, 230, 212)), cream, std::nullopt).empty());
}

TEST(ThoroughTemplate, InkIsMeasuredAgainstThePaperWhereTheUnitWasCut) {
  // A tinted picture whose right half is darker paper; the unit comes from there.
  Bitmap picture(256, 128, MakeColour(240, 240, 240));
  picture.fillRect({128, 0, 256, 128}, MakeColour(200, 200, 200));
  Bitmap symbol = Disc(BlackColour, false);
  for (int y = 0; y < symbol.height(); ++y)
    for (int x = 0; x < symbol.width(); ++x) {
      const int v = RedOf(symbol.pixel(x, y)) * 200 / 255;
      symbol.setPixel(x, y, MakeColour(v, v, v));
    }
  picture.copyRect(190, 60, symbol, {0, 0, 11, 11});
  Bitmap unit(11, 11);
  unit.copyRect(0, 0, picture, {190, 60, 201, 71});
  const PaperModel paper(picture);
  const auto position = LocateUnit(picture, unit);
  ASSERT_TRUE(position);
  // Against the paper where it lies the margins are blank and the core is full ink.
  const ThoroughTemplate here = BuildThoroughTemplate(unit, paper, position);
  EXPECT_EQ(here.width, 7);
  EXPECT_NEAR(here.maxLength, std::sqrt(3.0) * 255, 1.0);
}

TEST(ThoroughTemplate, AnOpenSymbolHasAHoleAFilledOneNone) {
  const ThoroughTemplate ring = BuildThoroughTemplate(Disc(BlackColour, true), WhitePaper, std::nullopt);
  const ThoroughTemplate disc = BuildThoroughTemplate(Disc(BlackColour, false), WhitePaper, std::nullopt);
  ASSERT_FALSE(ring.empty());
  ASSERT_FALSE(disc.empty());
  EXPECT_GE(ring.phases[0].hole.size(), 4u);
  EXPECT_TRUE(disc.phases[0].hole.empty());
  // The hole lies around the centre.
  for (const TemplateOffset& o : ring.phases[0].hole) {
    EXPECT_LT(std::hypot(o.dx - ring.centreX, o.dy - ring.centreY), 2.5);
  }
}

TEST(ThoroughTemplate, TwoLevelSymbolsHaveOnePhaseOthersEighthPixelShifts) {
  const Bitmap aliased = PictureFromArt({
      ".XXX.",
      "XXXXX",
      "XXXXX",
      ".XXX.",
  });
  const ThoroughTemplate binary = BuildThoroughTemplate(aliased, WhitePaper, std::nullopt);
  EXPECT_TRUE(binary.twoLevel);
  EXPECT_EQ(binary.phases.size(), 1u);
  const ThoroughTemplate smooth = BuildThoroughTemplate(Disc(BlackColour, false), WhitePaper, std::nullopt);
  EXPECT_EQ(smooth.phases.size(), static_cast<std::size_t>(PhaseSteps * PhaseSteps));
  std::set<int> indices;
  for (int qy = LeastPhase; qy < LeastPhase + PhaseSteps; ++qy)
    for (int qx = LeastPhase; qx < LeastPhase + PhaseSteps; ++qx) indices.insert(PhaseIndex(qx, qy));
  EXPECT_EQ(indices.size(), static_cast<std::size_t>(PhaseSteps * PhaseSteps));
  EXPECT_EQ(PhaseIndex(0, 0), 0);
}

TEST(ThoroughTemplate, PhasesShiftTheInkCentreByTheirFraction) {
  const ThoroughTemplate t =
      BuildThoroughTemplate(Disc(MakeColour(200, 30, 40), false), WhitePaper, std::nullopt);
  for (const auto& [qx, qy] :
       {std::pair{0, 0}, std::pair{4, 0}, std::pair{-3, 2}, std::pair{1, -3}, std::pair{4, 4}}) {
    const PhaseTemplate& p = t.phases[static_cast<std::size_t>(PhaseIndex(qx, qy))];
    EXPECT_FLOAT_EQ(p.shiftX, static_cast<float>(qx) / 8);
    EXPECT_FLOAT_EQ(p.shiftY, static_cast<float>(qy) / 8);
    double sum = 0, sx = 0, sy = 0;
    for (const TemplatePixel& px : p.ink) {
      sum += px.length;
      sx += px.length * static_cast<double>(px.dx);
      sy += px.length * static_cast<double>(px.dy);
      EXPECT_NEAR(Length(px.direction), 1.0, 1e-4);
    }
    // Lengths are not linear in the ink, but a one-colour symbol's are.
    EXPECT_NEAR(sx / sum, t.centreX + qx / 8.0, 0.01) << qx << "," << qy;
    EXPECT_NEAR(sy / sum, t.centreY + qy / 8.0, 0.01) << qx << "," << qy;
    EXPECT_NEAR(p.totalLength, t.phases[0].totalLength, 0.5);
  }
}

TEST(ThoroughTemplate, WithoutPixelsRetrimsAndRecentres) {
  Bitmap unit(12, 8);
  unit.fillRect({1, 1, 5, 5}, BlackColour);
  unit.fillRect({5, 3, 11, 4}, BlackColour);  // a line leaving the symbol
  const ThoroughTemplate t = BuildThoroughTemplate(unit, WhitePaper, std::nullopt);
  ASSERT_EQ(t.width, 10);
  std::vector<char> keep(static_cast<std::size_t>(t.width * t.height), 1);
  for (int x = 4; x < 10; ++x) keep[static_cast<std::size_t>(2 * t.width + x)] = 0;
  const ThoroughTemplate cleaned = WithoutPixels(t, keep);
  EXPECT_EQ(cleaned.width, 4);
  EXPECT_EQ(cleaned.height, 4);
  EXPECT_NEAR(cleaned.centreX, 1.5, 1e-6);
  EXPECT_NEAR(cleaned.centreY, 1.5, 1e-6);
}

}  // namespace
