#pragma once

#include "extract/thorough/SearchState.h"

// Draws the template's phases from the clearest detections so far (see
// SharpenedPhases.h): those scoring high, wholly inside the picture, clear of
// every other detection and of the frame, at their refined positions. False
// when stopped.
bool SharpenTemplate(SearchState& s);
