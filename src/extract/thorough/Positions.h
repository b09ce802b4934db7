#pragma once

#include "extract/thorough/ThoroughTemplate.h"
#include "state/Rect.h"

// A position of the unshifted template's top-left pixel in eighths of a pixel.
struct Position {
  int x = 0;
  int y = 0;
};

// The whole-pixel placement and the phase of a position.
struct Placement {
  int x = 0;
  int y = 0;
  int phase = 0;
};

constexpr int FloorDiv(int a, int b) {
  return a >= 0 ? a / b : -((-a + b - 1) / b);
}

constexpr Placement PlacementOf(Position p) {
  const int x = FloorDiv(p.x - LeastPhase, PhaseSteps);
  const int y = FloorDiv(p.y - LeastPhase, PhaseSteps);
  return {x, y, PhaseIndex(p.x - x * PhaseSteps, p.y - y * PhaseSteps)};
}

inline Rect Widened(const Rect& r, int by) {
  return {r.Left - by, r.Top - by, r.Right + by, r.Bottom + by};
}

// A placement worth judging, from the scan of every placement or from a
// look around a detection.
struct Candidate {
  Position at;
  float score = 0;
  int scoredWith = 0;   // detections accepted when it was scored
  int order = 0;        // ties go to the earlier candidate
  bool judged = false;  // scored against the explained picture with the surround judged
};

// An accepted symbol.
struct Detection {
  Position at;
  float score = 0;
  bool removed = false;
  bool refitted = false;  // added or moved by fitting several placements at once
};
