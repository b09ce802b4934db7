#pragma once

#include <vector>

#include "extract/thorough/SearchState.h"

// Where the detections leave ink of the template's colour unexplained,
// several placements are fitted at once (see BlobFit): a placement is added
// where that, with its neighbours moved to make room, lowers the misfit by
// more than a share of one symbol's ink. Works on the connected blobs of
// unexplained ink, outside the `excluded` boxes (symbols of another kind).
// What it adds is to be pruned like every other detection. False when
// stopped.
bool ResolveOverlaps(SearchState& s, const std::vector<Rect>& excluded);

// Whether the unit's symbol explains the ink around detection `id`, alone or
// with a second one nearly on top of it (the first moved to make room),
// with next to no misfit (ink unexplained or explained where there is none):
// such a pair looks like a larger
// symbol of another kind but is not one.
bool TwoSymbolsExplain(SearchState& s, int id, LaneScratch& scratch);
