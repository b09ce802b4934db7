#include <gtest/gtest.h>

#include <cmath>

#include "extract/thorough/DrawnShapes.h"
#include "extract/thorough/LargerShape.h"

namespace {

const PaperModel WhitePaper(int width, int height) {
  return PaperModel(width, height, {255, 255, 255});
}

ThoroughTemplate SquareUnit() {
  Bitmap unit(13, 13);
  Draw(unit, Shape::Square, 6, 6, 4, BlackColour);
  return BuildThoroughTemplate(unit, WhitePaper(13, 13), std::nullopt);
}

// The unshifted template's placement for a symbol centred at (cx, cy).
std::array<int, 2> PlacementFor(const ThoroughTemplate& unit, double cx, double cy) {
  return {static_cast<int>(std::lround(cx - unit.centreX)), static_cast<int>(std::lround(cy - unit.centreY))};
}

ShapeExcess Measure(const Bitmap& picture, const ThoroughTemplate& unit, double cx, double cy,
                    const ExplainedInk* explained = nullptr) {
  const InkPicture ink(picture, WhitePaper(picture.width(), picture.height()));
  const auto at = PlacementFor(unit, cx, cy);
  return MeasureShapeExcess(ink, unit, ThoroughTuning{}, at[0], at[1], explained);
}

TEST(MeasureShapeExcess, ALargerSymbolHoldingTheUnitsHasEvenExtraInk) {
  const ThoroughTemplate unit = SquareUnit();
  const ThoroughTuning tuning;
  {
    SCOPED_TRACE("the unit's symbol itself");
    Bitmap picture(60, 40);
    Draw(picture, Shape::Square, 25.3, 18.6, 4, BlackColour);
    const ShapeExcess s = Measure(picture, unit, 25.3, 18.6);
    EXPECT_TRUE(s.judged);
    EXPECT_LT(s.excess, 0.03f);
    EXPECT_NEAR(s.centreX, 25.3, 0.15);  // drawn at quarter-pixel steps
    EXPECT_NEAR(s.centreY, 18.6, 0.15);
  }
  {
    SCOPED_TRACE("a disc a pixel wider all round");
    Bitmap picture(60, 40);
    Draw(picture, Shape::Disc, 25.3, 18.6, 5, BlackColour);
    const ShapeExcess s = Measure(picture, unit, 25.3, 18.6);
    EXPECT_TRUE(s.judged);
    EXPECT_GT(s.excess, tuning.largerShape);
  }
  {
    SCOPED_TRACE("a short stroke through it: more ink, but along one direction");
    Bitmap picture(60, 40);
    Draw(picture, Shape::Square, 25.3, 18.6, 4, BlackColour);
    for (int x = 19; x <= 31; ++x) picture.setPixel(x, 18, BlackColour);
    const ShapeExcess s = Measure(picture, unit, 25.3, 18.6);
    EXPECT_TRUE(s.judged);
    EXPECT_LE(s.excess, tuning.largerShape);
  }
}

TEST(MeasureShapeExcess, OnlyAWholeShapeStandingAloneIsJudged) {
  const ThoroughTemplate unit = SquareUnit();
  {
    SCOPED_TRACE("a line crossing goes on beyond the symbol");
    Bitmap picture(60, 40);
    Draw(picture, Shape::Disc, 25.3, 18.6, 5, BlackColour);
    for (int x = 0; x < 60; ++x) picture.setPixel(x, 18, BlackColour);
    EXPECT_FALSE(Measure(picture, unit, 25.3, 18.6).judged);
  }
  {
    SCOPED_TRACE("touching an explained neighbour");
    Bitmap picture(60, 40);
    Draw(picture, Shape::Disc, 25.3, 18.6, 5, BlackColour);
    Draw(picture, Shape::Square, 34.3, 18.6, 4, BlackColour);
    ExplainedInk explained;
    explained.reset(0, 0, 60, 40);
    const auto at = PlacementFor(unit, 34.3, 18.6);
    explained.add(unit.phases[0], at[0], at[1]);
    EXPECT_FALSE(Measure(picture, unit, 25.3, 18.6, &explained).judged);
  }
  {
    SCOPED_TRACE("cut by the picture's edge");
    Bitmap picture(60, 40);
    Draw(picture, Shape::Disc, 3.3, 18.6, 5, BlackColour);
    EXPECT_FALSE(Measure(picture, unit, 3.3, 18.6).judged);
  }
  {
    SCOPED_TRACE("a two-level unit, whose strokes vary by a pixel");
    Bitmap unitPicture(12, 12);
    for (int y = 2; y < 10; ++y)
      for (int x = 2; x < 10; ++x) unitPicture.setPixel(x, y, BlackColour);
    const ThoroughTemplate twoLevel = BuildThoroughTemplate(unitPicture, WhitePaper(12, 12), std::nullopt);
    ASSERT_TRUE(twoLevel.twoLevel);
    Bitmap picture(60, 40);
    Draw(picture, Shape::Disc, 25.5, 18.5, 5, BlackColour);
    EXPECT_FALSE(Measure(picture, twoLevel, 25.5, 18.5).judged);
  }
}

}  // namespace
