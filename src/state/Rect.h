#pragma once

#include <cstdint>

// Four signed 32-bit integers. Window-side rectangles and those handed to copy
// and fill have exclusive right and bottom edges; picture rectangles from the
// selection mapping are inclusive on both corners (all -1 when empty).
struct Rect {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Right = 0;
  std::int32_t Bottom = 0;

  constexpr std::int32_t width() const { return Right - Left; }
  constexpr std::int32_t height() const { return Bottom - Top; }
  friend constexpr bool operator==(const Rect&, const Rect&) = default;
};
