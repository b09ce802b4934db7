#pragma once

#include <cstdint>

#include "state/Bitmap.h"

// The best overlay score of the unit template at one picture pixel, and the
// template column (anchor) that gave it.
struct ScoreResult {
  std::int64_t score = 0;
  int anchor = 0;
  friend bool operator==(const ScoreResult&, const ScoreResult&) = default;
};

// Lays the template over the picture so that each non-white pixel of the
// template's top row in turn covers (x, y), and keeps the best sum (the left
// anchor on equal sums; (0, 0) when no anchor sums above 0). Per channel a
// covered pixel adds picture ink AND template ink; a strict score also takes
// away picture ink AND (255 - template ink). White pixels of either bitmap and
// template pixels outside the picture count for nothing.
//
// This is the plain per-pixel form, used for single positions and as the
// yardstick of the fast scan. Sums are 64-bit so that no template size can
// overflow them.
ScoreResult ScoreAt(const Bitmap& picture, const Bitmap& unit, int x, int y, bool strict);
