#pragma once

namespace devset {

// A position in continuous coordinates as drawn (pixel column x spans
// x .. x + 1).
struct Placed {
  double x = 0;
  double y = 0;
};

// A box in continuous coordinates.
struct Box {
  double left = 0, top = 0, right = 0, bottom = 0;
};

inline bool Overlaps(const Box& a, const Box& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

inline Box Grown(const Box& b, double by) {
  return {b.left - by, b.top - by, b.right + by, b.bottom + by};
}

// The plot area: where the frame, ticks, grid and points lie.
struct Area {
  double left = 0, top = 0, right = 0, bottom = 0;
  double width() const { return right - left; }
  double height() const { return bottom - top; }
};

}  // namespace devset
