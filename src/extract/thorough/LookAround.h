#pragma once

#include <vector>

#include "extract/thorough/SearchState.h"

// A symbol overlapping a detection can hide in the first scan: where two
// overlap, placements between them score as well as either. Around every
// detection the placements are scored again against what the detections
// leave unexplained, and the peaks are added to `candidates`, in the order
// of the detections. False when stopped.
bool LookAround(SearchState& s, std::vector<Candidate>& candidates);
