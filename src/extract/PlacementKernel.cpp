#include "extract/PlacementKernel.h"

#include "extract/Ink.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

std::int64_t PlacementScorePlain(const std::uint32_t* corner, const UnitPattern& pattern, bool strict) {
  std::int64_t shared = 0;
  std::int64_t covered = 0;
  for (const PatternPixel& p : pattern.pixels()) {
    const std::uint32_t ink = corner[p.offset];
    shared += PackedInkSum(ink & p.ink);
    covered += PackedInkSum(ink);
  }
  return strict ? 2 * shared - covered : shared;
}

#if defined(__SSE2__)

bool VectorKernelAvailable() {
  return true;
}

std::int64_t PlacementScoreVector(const std::uint32_t* corner, const UnitPattern& pattern, bool strict) {
  const __m128i zero = _mm_setzero_si128();
  __m128i shared = zero;
  __m128i covered = zero;
  // Byte sums of eight bytes each land in two 64-bit lanes and cannot overflow.
  for (const PatternQuad& q : pattern.quads()) {
    const __m128i ink = _mm_loadu_si128(reinterpret_cast<const __m128i*>(corner + q.offset));
    const __m128i unitInk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(q.ink));
    shared = _mm_add_epi64(shared, _mm_sad_epu8(_mm_and_si128(ink, unitInk), zero));
    if (strict) {
      const __m128i mask = _mm_loadu_si128(reinterpret_cast<const __m128i*>(q.mask));
      covered = _mm_add_epi64(covered, _mm_sad_epu8(_mm_and_si128(ink, mask), zero));
    }
  }
  alignas(16) std::int64_t lanes[4];
  _mm_store_si128(reinterpret_cast<__m128i*>(lanes), shared);
  _mm_store_si128(reinterpret_cast<__m128i*>(lanes + 2), covered);
  const std::int64_t sharedSum = lanes[0] + lanes[1];
  return strict ? 2 * sharedSum - (lanes[2] + lanes[3]) : sharedSum;
}

#else

bool VectorKernelAvailable() {
  return false;
}

std::int64_t PlacementScoreVector(const std::uint32_t* corner, const UnitPattern& pattern, bool strict) {
  return PlacementScorePlain(corner, pattern, strict);
}

#endif
