#pragma once

#include "extract/thorough/InkGrid.h"

// A line of another colour than the symbol crossing the user's rectangle (a
// fit curve drawn through the symbol): the unit's ink falls in two colours,
// and the line's is drawn out along one direction to the rectangle's edge
// while the symbol's spreads both ways. Every pixel's ink
// is then split into its parts along the two colours (least squares, none
// negative) and the line's part taken away, so that where the line crossed
// the symbol the symbol's own ink stays. A symbol of two colours (a filling
// and an outline) spreads both ways in both and is left alone; a line of the
// symbol's own colour is left to the occurrences' consensus.
void UnmixCrossingLine(InkGrid& g);
