#pragma once

#include <vector>

#include "state/AppState.h"

// The picture's pixels whose ink no found point's symbol explains, one flag
// per pixel of WorkImage, row by row; empty when there are no points to
// judge by (no run yet, none found, or their centres dropped with a changed
// picture).
// After a thorough or one-point-per-channel run the thorough mode's model
// judges: the ink against the paper, less the union of the unit's template
// placed at every found centre, what is left of at least a third of the
// template's strongest ink. After the default scan: every pixel that is not
// white and lies outside every found placement of the unit template.
std::vector<char> UnmatchedInk(const AppState& state);
