// Cases the fuzzing of the scan against its reference turned up, kept so
// that they stay fixed.
#include <gtest/gtest.h>

#include <string>

#include "extract/ScanComparison.h"
#include "extract/TemplateMeasures.h"
#include "extract/TestPictures.h"

namespace {

// On pictures narrower than the four pixels the vector kernel reads, a read
// past the end of a row runs over more than one row below, and near the
// bottom past the end of the picture (caught by the address sanitizer).
TEST(ScanRegressions, NarrowPicturesAreNeverReadBeyondTheirLastPixel) {
  const Bitmap unit = PictureFromArt({"X", "X", ".", "X", "X"});
  for (const int width : {1, 2, 3, 5}) {
    for (const int height : {5, 6, 25}) {
      for (const bool strict : {false, true}) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height) + (strict ? ", strict" : ""));
        const Bitmap picture(width, height, BlackColour);
        ScanParameters parameters;
        parameters.matchFraction = 1.0 / 255.0;
        parameters.templateWeight = MeasureTemplate(unit).weight;
        parameters.strict = strict;
        const ScanOutcome outcome = ScanAndCompare(picture, unit, parameters);
        EXPECT_FALSE(outcome.points.empty());
      }
    }
  }
}

}  // namespace
