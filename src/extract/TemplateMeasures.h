#pragma once

#include <cstdint>

#include "state/Bitmap.h"

// The unit template cut to its ink and the numbers detection and the data
// mapping take from it.
struct TemplateMeasures {
  Bitmap trimmed;               // every edge row and column holds ink
  std::int32_t centreX = 0;     // ink-weighted mean column, 0-based, rounded down
  std::int32_t centreY = 0;     // ink-weighted mean row, 0-based, rounded down
  std::int32_t pixelCount = 0;  // non-white pixels
  double weight = 1.0;          // summed ink; 1.0 instead of 0
};

// Trims the stored template to the box of its non-white pixels (an all-white
// or empty template becomes a 2 x 2 black square) and measures the result.
TemplateMeasures MeasureTemplate(const Bitmap& stored);
