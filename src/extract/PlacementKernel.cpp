#include "extract/PlacementKernel.h"

#include "extract/Ink.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

std::int64_t Combine(std::int64_t shared, std::int64_t covered, bool strict) {
  return strict ? 2 * shared - covered : shared;
}

}  // namespace

std::int64_t PlacementScorePlain(const Colour* corner, const UnitPattern& pattern, bool strict) {
  std::int64_t shared = 0;
  std::int64_t covered = 0;
  for (const PatternPixel& p : pattern.pixels()) {
    const std::uint32_t ink = PackedInkOf(corner[p.offset]);
    shared += PackedInkSum(ink & p.ink);
    covered += PackedInkSum(ink);
  }
  return Combine(shared, covered, strict);
}

std::int64_t PlacementScoreClipped(const Bitmap& picture, int left, int top, const UnitPattern& pattern,
                                   bool strict) {
  std::int64_t shared = 0;
  std::int64_t covered = 0;
  for (const PatternPixel& p : pattern.pixels()) {
    const int x = left + p.column;
    const int y = top + p.row;
    if (!picture.contains(x, y)) continue;
    const std::uint32_t ink = PackedInkOf(picture.pixel(x, y));
    shared += PackedInkSum(ink & p.ink);
    covered += PackedInkSum(ink);
  }
  return Combine(shared, covered, strict);
}

#if defined(__SSE2__)

bool VectorKernelAvailable() {
  return true;
}

std::int64_t PlacementScoreVector(const Colour* corner, const UnitPattern& pattern, bool strict) {
  const __m128i zero = _mm_setzero_si128();
  __m128i shared = zero;
  __m128i covered = zero;
  // Picture ink AND template ink is (NOT colour) AND template ink, whose top
  // byte is 0. Byte sums of eight bytes each land in two 64-bit lanes.
  for (const PatternQuad& q : pattern.quads()) {
    const __m128i colours = _mm_loadu_si128(reinterpret_cast<const __m128i*>(corner + q.offset));
    const __m128i unitInk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(q.ink));
    shared = _mm_add_epi64(shared, _mm_sad_epu8(_mm_andnot_si128(colours, unitInk), zero));
    if (strict) {
      const __m128i mask = _mm_loadu_si128(reinterpret_cast<const __m128i*>(q.mask));
      covered = _mm_add_epi64(covered, _mm_sad_epu8(_mm_andnot_si128(colours, mask), zero));
    }
  }
  alignas(16) std::int64_t lanes[4];
  _mm_store_si128(reinterpret_cast<__m128i*>(lanes), shared);
  _mm_store_si128(reinterpret_cast<__m128i*>(lanes + 2), covered);
  return Combine(lanes[0] + lanes[1], lanes[2] + lanes[3], strict);
}

#else

bool VectorKernelAvailable() {
  return false;
}

std::int64_t PlacementScoreVector(const Colour* corner, const UnitPattern& pattern, bool strict) {
  return PlacementScorePlain(corner, pattern, strict);
}

#endif
