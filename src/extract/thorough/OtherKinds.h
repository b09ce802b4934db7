#pragma once

#include <vector>

#include "extract/thorough/SearchState.h"

// Removes the detections of another kind of symbol: larger symbols that hold
// the unit's, standing alone (see LargerShape.h), symbols standing alone far
// more unlike the unit than the unit's own are (letters of a text), and the
// detections like a group of symbols unlike the unit's (see SymbolKinds.h).
// One that two of the unit's symbols nearly on top of each other explain is
// kept (see TwoSymbolsExplain). The strong candidates that were not accepted
// show such symbols too. The boxes of the
// symbols of another kind go to `otherBoxes`. False when stopped.
bool RejectOtherKinds(SearchState& s, const std::vector<Position>& strongCandidates,
                      std::vector<Rect>& otherBoxes);
