#pragma once

#include "extract/thorough/SearchState.h"

// Each detection must pass when all the others are taken as given: the worst
// that fails is removed, and its neighbours judged again, until all pass.
// The survivors keep their score given the others. With `refittedOnly`,
// only the detections the overlap fit added or moved are judged. False when
// stopped.
bool Prune(SearchState& s, bool refittedOnly = false);
