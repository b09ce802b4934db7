#pragma once

#include <cstdint>
#include <cstring>

#include "state/Bitmap.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// True when the sixteen colours from `p` on are all white.
inline bool SixteenWhite(const Colour* p) {
#if defined(__SSE2__)
  const __m128i white = _mm_set1_epi32(0xFFFFFF);
  auto isWhite = [&](int k) {
    const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + k));
    return _mm_cmpeq_epi32(_mm_and_si128(c, white), white);
  };
  const __m128i all =
      _mm_and_si128(_mm_and_si128(isWhite(0), isWhite(4)), _mm_and_si128(isWhite(8), isWhite(12)));
  return _mm_movemask_epi8(all) == 0xFFFF;
#else
  std::uint64_t words[8];
  std::memcpy(words, p, sizeof words);
  const std::uint64_t white = 0x00FFFFFF00FFFFFFull;
  bool all = true;
  for (const std::uint64_t w : words) all &= (w & white) == white;
  return all;
#endif
}

// Calls visit(x) for every non-white pixel of a picture row, left to right.
// Runs of white are skipped sixteen pixels at a time.
template <typename Visit>
void ForEachNonWhite(const Colour* row, int width, Visit&& visit) {
  int x = 0;
  for (; x + 16 <= width; x += 16) {
    if (SixteenWhite(row + x)) continue;
    for (int k = x; k < x + 16; ++k) {
      if (!IsWhite(row[k])) visit(k);
    }
  }
  for (; x < width; ++x) {
    if (!IsWhite(row[x])) visit(x);
  }
}
