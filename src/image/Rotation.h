#pragma once

#include <array>

#include "state/Bitmap.h"
#include "state/PassProgress.h"

// Crops the picture in place to the bounding box of its non-white pixels.
// w and h receive the new width and height, or -1 each when there is no such
// box; the picture is then left unchanged.
void TrimWhiteBorder(Bitmap& picture, int& w, int& h);

// An angle typed in degrees as radians: degrees x pi / 180 worked out in
// extended precision, with pi to full extended precision, kept as a double.
double DegreesToRadians(double degrees);

// Side of the square white canvas a trimmed picture of width x height is
// turned on: the rounded diagonal of its even-sized part, at least 1 (so a
// single pixel keeps its place instead of vanishing).
int RotationCanvasSide(int width, int height);

// Turns the picture clockwise by `theta` radians: trims it to its non-white
// pixels, centres it on the square canvas and moves every non-white pixel,
// column by column, to its turned place (the first free neighbour when that
// is taken; dropped when none is free or it falls outside). Colours are never
// mixed. The result keeps the canvas size: the caller trims the white margin.
// An entirely white picture stays as it is. `progress` hears of each canvas
// column first (of each column of an entirely white picture). A canvas of
// more than MaxCanvasPixels is refused with std::length_error, whose text
// tells the user; the picture then stays trimmed. The landing places are
// worked out on two threads unless `useWorkerThread` is false; the result is
// the same either way.
void RotateOntoCanvas(Bitmap& picture, double theta, const PassProgress& progress = {},
                      bool useWorkerThread = true);

// Where a turned pixel goes when its place is taken: the first free one of
// these neighbours, in this order.
struct NeighbourStep {
  int dx;
  int dy;
};
inline constexpr std::array<NeighbourStep, 8> CollisionOrder = {
    {{-1, 0}, {0, -1}, {-1, -1}, {1, 0}, {0, 1}, {-1, 1}, {1, 1}, {1, -1}}};

// Moves (x, y) to its first free neighbour; false, with (x, y) unchanged,
// when none of the eight is free. `isFree(x, y)` must say false outside the
// picture.
template <typename IsFree>
bool MoveToFreeNeighbour(int& x, int& y, const IsFree& isFree) {
  for (const NeighbourStep& step : CollisionOrder) {
    if (isFree(x + step.dx, y + step.dy)) {
      x += step.dx;
      y += step.dy;
      return true;
    }
  }
  return false;
}
