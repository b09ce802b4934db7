#include <gtest/gtest.h>

#include <algorithm>

#include "extract/thorough/DevPictures.h"

namespace {

// What the thorough mode reaches on a fixed part of the development set,
// drawn small: each picture's recall and precision held to floors and its
// centre error to a ceiling just beyond what it reaches, so that a
// mistuned threshold or a broken stage fails here. Where a floor is under
// 1, the picture shows what the mode cannot do yet (symbols hidden by
// others, a second series it takes in part).
struct Floor {
  const char* name;
  int width, height;
  double recall, precision, rms;
};

const Floor Floors[] = {
    // Plots of one series: anti-aliased, open, tinted, under and over fit
    // curves, drawn without anti-aliasing, scanned to one bit.
    {"clean_filled_circles", 360, 240, 1.0, 1.0, 0.05},
    {"clean_open_circles", 360, 240, 1.0, 1.0, 0.07},
    {"tinted_lamp_noise", 360, 240, 1.0, 1.0, 0.06},
    {"fit_over_blue_circles", 360, 240, 1.0, 1.0, 0.07},
    {"fit_under_red_open_circles", 480, 320, 1.0, 1.0, 0.13},
    {"large_open_squares", 480, 320, 1.0, 1.0, 0.05},
    {"dense_touching", 360, 240, 1.0, 1.0, 0.16},
    {"dense_overlapping", 480, 320, 1.0, 1.0, 0.07},
    {"one_bit", 360, 240, 1.0, 1.0, 0.2},
    {"aliased_squares", 480, 320, 1.0, 1.0, 0.03},
    {"tinted_jpeg", 480, 320, 1.0, 1.0, 0.3},
    {"everything", 480, 320, 1.0, 1.0, 0.09},
    // A second series: of another colour, of the same colour and another
    // shape, a little larger, filled beside open.
    {"two_colours", 360, 240, 1.0, 1.0, 0.06},
    {"squares_vs_circles", 360, 240, 1.0, 1.0, 0.3},
    {"filled_vs_open_same_colour", 480, 320, 1.0, 1.0, 0.13},
    {"circles_vs_larger_circles", 480, 320, 0.97, 0.99, 0.29},
    {"circles_vs_squares_black", 480, 320, 1.0, 0.89, 0.45},
    // Office charts, text and a noisy scan of disks above a paragraph.
    {"office_purple_diamonds", 600, 400, 1.0, 1.0, 0.08},
    {"office_blue_squares_labelled", 600, 400, 1.0, 1.0, 0.15},
    {"text_figure_open_circles", 640, 480, 1.0, 1.0, 0.06},
    {"text_letter_sized_dots", 640, 480, 1.0, 1.0, 0.07},
    {"jpeg_ten_disks_paragraph", 640, 400, 1.0, 1.0, 0.04},
    // Overlapping symbols: a dense spectrum under a fit curve, scatter.
    {"dense_256_open_circles_fit", 600, 400, 0.98, 1.0, 0.12},
    {"dense_256_squares_two_deep", 600, 400, 0.88, 0.99, 0.7},
    {"dense_320_open_squares_under", 600, 400, 0.87, 0.99, 1.1},
    // Dense spectra whose symbols overlap into a band: the channels hidden
    // under their neighbours cannot be found, the floors hold the rest.
    {"dense_384_fit_same_colour", 600, 400, 0.67, 0.99, 0.95},
    {"dense_512_filled_circles_11", 600, 400, 0.55, 0.99, 1.0},
    {"dense_1024_squares_fit_under", 600, 400, 0.45, 0.99, 0.82},
    {"tiny_with_fit", 480, 320, 0.9, 1.0, 0.07},
    {"scatter_05", 600, 450, 1.0, 1.0, 0.12},
    {"scatter_17", 500, 400, 1.0, 1.0, 0.13},
    {"scatter_26", 500, 400, 0.99, 1.0, 0.08},
};

TEST(ThoroughAccuracy, DevelopmentPicturesStayAboveTheirFloors) {
  for (const Floor& f : Floors) {
    SCOPED_TRACE(f.name);
    const devset::DevPicture p = SmallDevPicture(f.name, f.width, f.height);
    RecordingObserver observer;
    const ThoroughResult r = FindSymbolsThorough(p.picture, UnitOf(p), observer);
    const double radius = std::max(2.0, 0.45 * p.recipe.target.marker.size * p.recipe.scale);
    const MatchFigures m = CompareWithTruth(p, r.points, radius);
    EXPECT_GE(p.truth.size(), 10u);
    EXPECT_GE(m.recall, f.recall);
    EXPECT_GE(m.precision, f.precision);
    EXPECT_LE(m.rms, f.rms);
    EXPECT_FALSE(r.stopped);
  }
}

}  // namespace
