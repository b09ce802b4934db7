#include <gtest/gtest.h>

#include "devset/DevChannelTruth.h"
#include "extract/channels/ChannelSearch.h"
#include "extract/thorough/DevPictures.h"
#include "extract/thorough/DrawnShapes.h"

namespace {

// What one point per channel reaches on dense spectra of the development
// set, drawn at full size: recall and precision held to floors and the
// velocity error (in channel spacings) and value error (in pixels, where a
// symbol's top or bottom rim shows) to ceilings just beyond what it
// reaches, so that a mistuned threshold or a broken step fails here.
struct Floor {
  const char* name;
  double recall, precision, velocity, value;
};

const Floor Floors[] = {
    {"spectra_256_filled_600", 0.99, 0.995, 0.005, 0.2},  // symbols 3.8 deep
    {"spectra_512_gaps", 0.99, 0.995, 0.002, 0.25},       // stretches without points
    {"spectra_384_one_bit", 0.99, 0.995, 0.008, 0.4},     // scanned to one bit: whole pixels
    {"spectra_512_second", 0.99, 0.995, 0.003, 0.3},      // a second spectrum on the same channels
};

devset::DevPicture FullSizePicture(const std::string& name) {
  for (const devset::PictureRecipe& recipe : devset::DevelopmentSet("spectra")) {
    if (recipe.name == name) return devset::RenderPicture(recipe);
  }
  throw std::invalid_argument("no spectrum " + name);
}

TEST(ChannelAccuracy, DenseSpectraStayAtTheirFloors) {
  for (const Floor& f : Floors) {
    const devset::DevPicture p = FullSizePicture(f.name);
    RecordingObserver observer;
    const ChannelSearchResult r = FindChannelPoints(p.picture, UnitOf(p), observer);
    ASSERT_TRUE(r.grid) << f.name << ": " << r.report;
    std::vector<devset::FoundPoint> found;
    for (const ThoroughPoint& q : r.points) found.push_back({q.x, q.y});
    const double spacing = p.recipe.target.spacing;
    const devset::ChannelFigures c =
        devset::CompareChannelPoints(p, found, 0.5 * p.recipe.target.marker.size, spacing);
    EXPECT_GE(c.recall, f.recall) << f.name;
    EXPECT_GE(c.precision, f.precision) << f.name;
    EXPECT_LE(c.velocityError, f.velocity) << f.name;
    EXPECT_LE(c.valueError, f.value) << f.name;
    EXPECT_EQ(r.report,
              std::to_string(r.channels) + " channels, " + std::to_string(r.points.size()) + " found");
  }
}

TEST(ChannelAccuracy, WithoutAGridTheThoroughPointsAreTaken) {
  // Five discs: too few for a channel spacing.
  const std::vector<std::array<double, 2>> centres = {{20, 30}, {50, 22}, {90, 61}, {130, 40}, {170, 75}};
  Bitmap picture(201, 101);
  for (const auto& c : centres) Draw(picture, Shape::Disc, c[0], c[1], 3.5, MakeColour(20, 40, 150));
  Bitmap unit(15, 15);
  unit.copyRect(0, 0, picture, {13, 23, 28, 38});
  RecordingObserver observer;
  const ChannelSearchResult r = FindChannelPoints(picture, unit, observer);
  EXPECT_FALSE(r.grid);
  EXPECT_EQ(r.report.rfind("cannot find an equal channel spacing: ", 0), 0u) << r.report;
  RecordingObserver again;
  const ThoroughResult thorough = FindSymbolsThorough(picture, unit, again);
  ASSERT_EQ(r.points.size(), thorough.points.size());
  ASSERT_EQ(r.points.size(), centres.size());
  for (std::size_t i = 0; i < r.points.size(); ++i) {
    EXPECT_EQ(r.points[i].x, thorough.points[i].x);
    EXPECT_EQ(r.points[i].y, thorough.points[i].y);
  }
}

}  // namespace
