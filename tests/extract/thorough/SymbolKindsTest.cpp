#include <gtest/gtest.h>

#include <random>

#include "extract/thorough/DrawnShapes.h"
#include "extract/thorough/SymbolKinds.h"

namespace {

const PaperModel WhitePaper(int width, int height) {
  return PaperModel(width, height, {255, 255, 255});
}

// Symbols drawn in a row, each at its own fraction of a pixel, with the ink
// sample taken around each.
struct Row {
  Bitmap picture{400, 40};
  std::vector<std::array<double, 2>> centres;

  void draw(Shape shape, double radius, double x, double y) {
    Draw(picture, shape, x, y, radius, BlackColour);
    centres.push_back({x, y});
  }
  std::vector<InkSample> samples(const ThoroughTemplate& unit) const {
    const InkPicture ink(picture, WhitePaper(picture.width(), picture.height()));
    std::vector<InkSample> out;
    for (const auto& c : centres) out.emplace_back(ink, unit, ThoroughTuning{}, c[0], c[1], nullptr);
    return out;
  }
};

ThoroughTemplate Unit(Shape shape, double radius) {
  Bitmap unit(15, 15);
  Draw(unit, shape, 7, 7, radius, BlackColour);
  return BuildThoroughTemplate(unit, WhitePaper(15, 15), std::nullopt);
}

TEST(SplitKinds, SymbolsOfTwoKindsAreToldApart) {
  struct Case {
    const char* name;
    Shape unitShape, otherShape;
    double unitRadius, otherRadius;
  };
  const Case cases[] = {
      {"discs a pixel wider than the unit's squares", Shape::Square, Shape::Disc, 4, 5},
      {"squares as wide as the unit's discs", Shape::Disc, Shape::Square, 4.5, 4.5},
      {"discs wider than the unit's discs", Shape::Disc, Shape::Disc, 4, 5},
  };
  std::mt19937 random(7);
  std::uniform_real_distribution<double> fraction(0, 1);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ThoroughTemplate unit = Unit(c.unitShape, c.unitRadius);
    Row row;
    for (int i = 0; i < 24; ++i) {
      const bool other = i % 3 == 1;
      row.draw(other ? c.otherShape : c.unitShape, other ? c.otherRadius : c.unitRadius,
               10 + 16 * i + fraction(random), 15 + fraction(random));
    }
    const std::vector<InkSample> samples = row.samples(unit);
    const std::optional<SymbolKinds> kinds = SplitKinds(samples, InkSample(unit), ThoroughTuning{});
    ASSERT_TRUE(kinds.has_value());
    for (std::size_t i = 0; i < samples.size(); ++i)
      EXPECT_EQ(kinds->isOther(samples[i], ThoroughTuning{}), i % 3 == 1) << i;
  }
}

TEST(SplitKinds, OneKindDrawnAtAllFractionsOrCrossedByLinesIsOneKind) {
  const ThoroughTemplate unit = Unit(Shape::Disc, 4);
  std::mt19937 random(11);
  std::uniform_real_distribution<double> fraction(0, 1);
  {
    SCOPED_TRACE("fractions of a pixel");
    Row row;
    for (int i = 0; i < 24; ++i)
      row.draw(Shape::Disc, 4, 10 + 16 * i + fraction(random), 15 + fraction(random));
    EXPECT_FALSE(SplitKinds(row.samples(unit), InkSample(unit), ThoroughTuning{}).has_value());
  }
  {
    SCOPED_TRACE("lines crossing, each its own way");
    Row row;
    for (int i = 0; i < 24; ++i) {
      const double x = 10 + 16 * i + fraction(random);
      const double y = 20 + fraction(random);
      row.draw(Shape::Disc, 4, x, y);
      const double slope = fraction(random) * 2 - 1;
      for (int dx = -7; dx <= 7; ++dx) {
        row.picture.setPixel(static_cast<int>(x) + dx, static_cast<int>(std::lround(y + slope * dx)),
                             BlackColour);
      }
    }
    // Such symbols do not stand alone, and even taken as alone the lines
    // make no group.
    EXPECT_FALSE(SplitKinds(row.samples(unit), InkSample(unit), ThoroughTuning{}).has_value());
  }
}

TEST(SplitKinds, TooFewSymbolsTellNothing) {
  const ThoroughTemplate unit = Unit(Shape::Square, 4);
  Row row;
  for (int i = 0; i < 5; ++i) row.draw(i % 2 ? Shape::Disc : Shape::Square, i % 2 ? 5 : 4, 10 + 16 * i, 15);
  EXPECT_FALSE(SplitKinds(row.samples(unit), InkSample(unit), ThoroughTuning{}).has_value());
}

}  // namespace
