#pragma once

#include "extract/thorough/SearchState.h"

// Each detection must pass when all the others are taken as given: the worst
// that fails is removed, and its neighbours judged again, until all pass.
// The survivors keep their score given the others. False when stopped.
bool Prune(SearchState& s);
