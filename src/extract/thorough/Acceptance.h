#pragma once

#include <vector>

#include "extract/thorough/SearchState.h"

// Accepts candidates best first. One that overlaps a symbol accepted since
// it was scored is scored again (with a small search around it) against the
// ink the accepted symbols do not explain; one within a pixel of an accepted
// symbol is that symbol. Accepted candidates join the detections. False when
// stopped.
bool AcceptCandidates(SearchState& s, std::vector<Candidate> candidates, Surround surround);
