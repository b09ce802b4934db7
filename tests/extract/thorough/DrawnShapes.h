#pragma once

#include "state/Bitmap.h"

// Symbols drawn as a plotting program draws them, for the tests of the
// thorough mode.

enum class Shape { Disc, Ring, Square };

// Draws `shape` with anti-aliased edges (4 x 4 samples per pixel) in
// `colour` on `picture`, centred at (cx, cy) in pixel coordinates: a disc
// or a ring 1.5 pixels wide of radius `radius`, or a square of half side
// `radius`.
void Draw(Bitmap& picture, Shape shape, double cx, double cy, double radius, Colour colour);
