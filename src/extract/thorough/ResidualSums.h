#pragma once

#include <vector>

#include "extract/thorough/SearchState.h"

// Running sums (a summed-area table, (width + 1) x (height + 1)) of the ink
// along the template's colour that `explained` leaves over `region`; ink of
// another colour counts nothing. For bounding what a placement can find:
// judged ink found can be no more than the unexplained ink under its box.
void ResidualSums(const SearchState& s, const Rect& region, const ExplainedInk& explained,
                  std::vector<float>& sums, int& sumsWidth);

// The sum over columns left .. right - 1 and rows top .. bottom - 1 of the
// region (clipped to it).
float ResidualBox(const std::vector<float>& sums, int sumsWidth, int left, int top, int right, int bottom);
