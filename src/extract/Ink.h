#pragma once

#include <cstdint>

#include "state/Bitmap.h"

// Ink is the darkness of a colour: per channel 255 minus the channel value.
// Packed inks keep the 0x00BBGGRR layout, so white has packed ink 0.
constexpr std::uint32_t PackedInkOf(Colour c) {
  return ~c & 0xFFFFFFu;
}

constexpr int RedInkOf(Colour c) {
  return static_cast<int>(PackedInkOf(c) & 0xFFu);
}
constexpr int GreenInkOf(Colour c) {
  return static_cast<int>((PackedInkOf(c) >> 8) & 0xFFu);
}
constexpr int BlueInkOf(Colour c) {
  return static_cast<int>((PackedInkOf(c) >> 16) & 0xFFu);
}

// Sum of the three channel inks of packed inks: 0 (white) to 765 (black).
constexpr int PackedInkSum(std::uint32_t ink) {
  return static_cast<int>((ink & 0xFFu) + ((ink >> 8) & 0xFFu) + ((ink >> 16) & 0xFFu));
}

// Sum of the three channel inks of a colour.
constexpr int InkOf(Colour c) {
  return PackedInkSum(PackedInkOf(c));
}
