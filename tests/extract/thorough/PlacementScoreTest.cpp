#include <gtest/gtest.h>

#include <cmath>

#include "extract/TestPictures.h"
#include "extract/thorough/DrawnShapes.h"
#include "extract/thorough/PlacementScore.h"

namespace {

Bitmap UnitPicture(Shape shape, Colour colour) {
  Bitmap unit(13, 13);
  Draw(unit, shape, 6, 6, 4, colour);
  return unit;
}

struct Scene {
  Bitmap picture{60, 40};
  ThoroughTemplate unit;
  ThoroughTuning tuning;

  explicit Scene(Shape shape, Colour colour = BlackColour)
      : unit(BuildThoroughTemplate(UnitPicture(shape, colour), PaperModel(13, 13, {255, 255, 255}),
                                   std::nullopt)) {}

  // The best score over whole-pixel placements near the symbol centred at
  // (cx, cy), and over all phases.
  float bestNear(double cx, double cy, const ExplainedInk* explained = nullptr) const {
    const InkPicture ink(picture, PaperModel(picture.width(), picture.height(), {255, 255, 255}));
    const PlacementScorer scorer(ink, unit, tuning);
    float best = PlacementScorer::NoScore;
    const int x0 = static_cast<int>(std::lround(cx - unit.centreX));
    const int y0 = static_cast<int>(std::lround(cy - unit.centreY));
    for (int y = y0 - 1; y <= y0 + 1; ++y)
      for (int x = x0 - 1; x <= x0 + 1; ++x)
        for (int p = 0; p < static_cast<int>(unit.phases.size()); ++p)
          best = std::max(best, scorer.score(x, y, p, explained));
    return best;
  }
};

TEST(PlacementScore, TrueSymbolsScoreHighAndOtherInkLow) {
  const Colour red = MakeColour(210, 30, 30);
  const Colour blue = MakeColour(30, 60, 200);
  struct Case {
    const char* name;
    Shape unit;
    Colour unitColour;
    Shape drawn;
    Colour drawnColour;
    double radius;
    bool line;  // a line through the place instead
    float low, high;
  };
  const Case cases[] = {
      {"same disc", Shape::Disc, BlackColour, Shape::Disc, BlackColour, 4, false, 0.97f, 1.01f},
      {"same disc, third of a pixel off", Shape::Disc, BlackColour, Shape::Disc, BlackColour, 4, false, 0.9f,
       1.01f},
      {"same ring in red", Shape::Ring, red, Shape::Ring, red, 4, false, 0.9f, 1.01f},
      {"darker ink counts as the template's", Shape::Disc, MakeColour(120, 120, 120), Shape::Disc,
       BlackColour, 4, false, 0.95f, 1.01f},
      {"lighter ink counts in part", Shape::Disc, BlackColour, Shape::Disc, MakeColour(140, 140, 140), 4,
       false, 0.3f, 0.6f},
      {"ring template on a disc: the hole is full", Shape::Ring, BlackColour, Shape::Disc, BlackColour, 4,
       false, -1.0f, 0.5f},
      {"disc template on a ring: its middle is missing", Shape::Disc, BlackColour, Shape::Ring, BlackColour,
       4, false, -1.0f, 0.7f},
      {"another colour", Shape::Disc, red, Shape::Disc, blue, 4, false, -1.0f, 0.5f},
      {"a line", Shape::Disc, BlackColour, Shape::Disc, BlackColour, 4, true, -1.0f, 0.5f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Scene scene(c.unit, c.unitColour);
    const double offset = std::string(c.name).find("third") != std::string::npos ? 0.33 : 0.0;
    if (c.line) {
      scene.picture.fillRect({0, 20, 60, 21}, c.drawnColour);
    } else {
      Draw(scene.picture, c.drawn, 30 + offset, 20 - offset, c.radius, c.drawnColour);
    }
    const float s = scene.bestNear(30, 20);
    EXPECT_GE(s, c.low);
    EXPECT_LE(s, c.high);
  }
}

TEST(PlacementScore, FourPixelsAtATimeScoreAsOneAtATime) {
  // Placements with the template's grid inside the picture are tallied four
  // pixels at a time; at the picture's edge one at a time. The same ink one
  // column in from the edge, and a column beyond the template's own, must
  // score alike.
  const Colour red = MakeColour(200, 40, 30);
  for (const Shape shape : {Shape::Disc, Shape::Ring, Shape::Square}) {
    SCOPED_TRACE(static_cast<int>(shape));
    Scene scene(shape, red);
    Bitmap wide(61, 40);  // scene.picture with a blank column in front
    Draw(scene.picture, shape, 5.4, 20.3, 4, red);
    Draw(scene.picture, shape, 11.9, 22.6, 4, red);               // a neighbour, explained
    Draw(scene.picture, Shape::Disc, 7.0, 14.0, 2, BlackColour);  // ink of another colour
    wide.copyRect(1, 0, scene.picture, {0, 0, 60, 40});
    const PaperModel paper(60, 40, {255, 255, 255});
    const PaperModel widePaper(61, 40, {255, 255, 255});
    const InkPicture narrowInk(scene.picture, paper);
    const InkPicture wideInk(wide, widePaper);
    const PlacementScorer narrow(narrowInk, scene.unit, scene.tuning);
    const PlacementScorer wider(wideInk, scene.unit, scene.tuning);
    const int x = 0;  // the template's grid starts a column before the narrow picture
    for (const bool withNeighbour : {false, true}) {
      ExplainedInk inNarrow, inWide;
      inNarrow.reset(-1, 0, 62, 40);
      inWide.reset(0, 0, 61, 40);
      if (withNeighbour) {
        const int nx = static_cast<int>(std::lround(11.9 - scene.unit.centreX));
        const int ny = static_cast<int>(std::lround(22.6 - scene.unit.centreY));
        inNarrow.add(scene.unit.phases[0], nx, ny);
        inWide.add(scene.unit.phases[0], nx + 1, ny);
      }
      for (int y = 14; y <= 18; ++y) {
        // Phases shifted right, whose ink stays clear of the grid's first column.
        for (const int p : {PhaseIndex(0, 0), PhaseIndex(2, -3), PhaseIndex(4, 4), PhaseIndex(1, 2)}) {
          const float one = narrow.score(x, y, p, &inNarrow, PlacementScorer::NoScore, Surround::Ignored);
          const float four = wider.score(x + 1, y, p, &inWide, PlacementScorer::NoScore, Surround::Ignored);
          EXPECT_NEAR(one, four, 1e-4f) << "y " << y << " phase " << p << " neighbour " << withNeighbour;
        }
      }
    }
  }
}

TEST(PlacementScore, EmptyPaperScoresNothingAndExplainedInkGivesNoScore) {
  Scene scene(Shape::Disc);
  EXPECT_LE(scene.bestNear(30, 20), 0.0f);
  Draw(scene.picture, Shape::Disc, 30, 20, 4, BlackColour);
  ASSERT_GT(scene.bestNear(30, 20), 0.95f);
  // Once another detection explains the symbol there is no evidence left.
  ExplainedInk explained;
  explained.reset(0, 0, 60, 40);
  explained.ink.assign(60 * 40, PackInk(255, 255, 255));
  EXPECT_EQ(scene.bestNear(30, 20, &explained), PlacementScorer::NoScore);
}

TEST(PlacementScore, InsideShareAtThePicturesEdges) {
  Scene scene(Shape::Disc);
  const InkPicture ink(scene.picture, PaperModel(60, 40, {255, 255, 255}));
  const PlacementScorer scorer(ink, scene.unit, scene.tuning);
  const float total = scene.unit.phases[0].totalLength;
  EXPECT_NEAR(scorer.insideLength(10, 10), total, 1e-4 * total);
  // Half the symbol left of column 0.
  const int half = -static_cast<int>(std::lround(scene.unit.centreX));
  EXPECT_NEAR(scorer.insideLength(half, 10) / total, 0.5, 0.12);
  EXPECT_TRUE(scorer.insideEnough(half, 10));
  EXPECT_FALSE(scorer.insideEnough(-scene.unit.width, 10));
  EXPECT_FLOAT_EQ(scorer.insideLength(100, 10), 0.0f);
}

TEST(PlacementScore, ACutSymbolIsJudgedByItsVisiblePart) {
  Scene scene(Shape::Disc);
  Draw(scene.picture, Shape::Disc, 2, 20, 4, BlackColour);  // a third cut off by the left edge
  const float s = scene.bestNear(2, 20);
  EXPECT_GT(s, scene.tuning.accept);
}

TEST(ExplainedInk, KeepsTheChannelwiseMaximumOfTheTemplatesItExplains) {
  const ThoroughTemplate unit = BuildThoroughTemplate(UnitPicture(Shape::Disc, MakeColour(200, 40, 40)),
                                                      PaperModel(13, 13, {255, 255, 255}), std::nullopt);
  ExplainedInk e;
  e.reset(0, 0, 30, 20);
  e.add(unit.phases[0], 5, 5);
  e.add(unit.phases[0], 8, 5);
  for (const TemplatePixel& p : unit.phases[0].ink) {
    const std::uint32_t v = e.at(5 + p.dx, 5 + p.dy);
    EXPECT_GE(InkRed(v), InkRed(p.packed));
    EXPECT_GE(InkGreen(v), InkGreen(p.packed));
  }
  EXPECT_EQ(e.at(-1, -1), 0u);
  EXPECT_EQ(e.at(29, 19), 0u);
}

}  // namespace
