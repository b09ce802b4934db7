#pragma once

#include "extract/thorough/SearchState.h"

// Scoring a position and searching the positions around it, alone or against
// the ink the detections explain.

float ScoreAt(const SearchState& s, Position p, const ExplainedInk* explained, float floor,
              Surround surround);

// Moves a position to a better one nearby, one coordinate at a time, in
// steps of `first` eighths of a pixel halved down to the smallest phase
// step. Returns the score there.
float Improve(const SearchState& s, Position& at, float score, int first, const ExplainedInk* explained,
              Surround surround);

// From the map's whole-pixel peak to the best fraction of a pixel.
void RefineCandidate(const SearchState& s, Candidate& c);

// The best position within about a pixel of `at` against the ink that the
// detections other than `skip` leave unexplained.
Candidate BestNear(const SearchState& s, Position at, int skip, Surround surround, LaneScratch& scratch);

// The score of detection `id` at its place against what the others leave,
// searching nearby only when that fails; the surround judged.
float ScoreGivenOthers(const SearchState& s, int id, LaneScratch& scratch);
