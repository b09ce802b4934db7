#pragma once

#include <vector>

#include "devset/DevSet.h"

namespace devset {

// A marker as placed on the picture, centre in continuous coordinates.
struct MarkAt {
  Marker marker;
  double x = 0;
  double y = 0;
};

// For every mark, the share of its ink (the drawing's samples it covers
// inside the picture) that no other mark covers: 1 for a mark that touches
// no other, 0 for one buried under others. Marks are paired through a grid
// of cells as large as the largest mark, so that only neighbours are
// compared.
// With `rims`, whether most of each mark's top or bottom row of ink is its alone.
std::vector<double> VisibleShares(const std::vector<MarkAt>& marks, Drawing drawing, int width, int height,
                                  std::vector<char>* rims = nullptr);

}  // namespace devset
