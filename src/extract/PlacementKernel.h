#pragma once

#include <cstdint>

#include "extract/UnitPattern.h"

// Score of the template with its top-left corner at `corner` of an InkPlane:
// per covered channel picture ink AND template ink; strict scores also take
// away picture ink AND (255 - template ink), which per channel comes to
// 2 x (ink AND ink) - picture ink. White picture pixels have ink 0 and add
// nothing, so neither kernel needs to test for them.
std::int64_t PlacementScorePlain(const std::uint32_t* corner, const UnitPattern& pattern, bool strict);

// The same with SSE2; only where VectorKernelAvailable() is true.
std::int64_t PlacementScoreVector(const std::uint32_t* corner, const UnitPattern& pattern, bool strict);
bool VectorKernelAvailable();
