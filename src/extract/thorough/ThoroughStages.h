#pragma once

#include <vector>

#include "extract/thorough/SearchState.h"
#include "state/Rect.h"

// The thorough search in two halves, for searches that build on its
// detections. Both give false when the user stopped the run.

// Scores every placement, accepts and prunes the candidates, sharpens the
// template and sets apart the symbols of other kinds (their boxes in
// `otherKinds`): steps 1 to 5 of FindSymbolsThorough.
bool FindDetections(SearchState& s, std::vector<Rect>& otherKinds);

// Resolves the overlaps the detections leave, prunes again and refines the
// centres into `points`, in reading order: the rest of FindSymbolsThorough.
bool FinishDetections(SearchState& s, const std::vector<Rect>& otherKinds,
                      std::vector<ThoroughPoint>& points);

// What a stopped search gives: the detections so far at their rough centres.
ThoroughResult StoppedResult(const SearchState& s);
