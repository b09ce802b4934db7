#pragma once

#include "state/Bitmap.h"

// The grey value of a colour: the plain mean of its three channels, the
// remainder dropped (0..255).
constexpr int GreyValueOf(Colour c) {
  return (RedOf(c) + GreenOf(c) + BlueOf(c)) / 3;
}

// Turns white every pixel whose grey value is strictly above `limit`; every
// other pixel keeps its colour. 255 whitens nothing.
void ApplyGreyLimit(Bitmap& picture, int limit);
