#pragma once

#include <cstdint>

#include "extract/UnitPattern.h"
#include "state/Bitmap.h"

// Scores of the template placed with its top-left corner on a picture pixel:
// per covered channel picture ink AND template ink; strict scores also take
// away picture ink AND (255 - template ink), which per channel comes to
// 2 x (ink AND ink) - picture ink. White picture pixels have ink 0 and add
// nothing, so no kernel needs to test for them.

// The template lies wholly inside the picture; `corner` points at the picture
// pixel under its top-left corner.
std::int64_t PlacementScorePlain(const Colour* corner, const UnitPattern& pattern, bool strict);

// The same with SSE2, where VectorKernelAvailable() is true. It also reads the
// pixels right of the template up to UnitPattern::ReadWidth (they count for
// nothing), so those must lie inside the picture's pixel array.
std::int64_t PlacementScoreVector(const Colour* corner, const UnitPattern& pattern, bool strict);
bool VectorKernelAvailable();

// Any placement: template pixels outside the picture count for nothing.
std::int64_t PlacementScoreClipped(const Bitmap& picture, int left, int top, const UnitPattern& pattern,
                                   bool strict);
