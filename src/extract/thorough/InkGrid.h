#pragma once

#include <array>
#include <cmath>
#include <vector>

// The ink of the user's unit rectangle, pixel by pixel, as the template is
// built from it: one amount of ink per colour channel.
using Vec3 = std::array<float, 3>;

inline float InkLength(const Vec3& v) {
  return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
}

struct InkGrid {
  int width = 0;
  int height = 0;
  std::vector<Vec3> ink;
  Vec3& at(int x, int y) { return ink[static_cast<std::size_t>(y * width + x)]; }
  const Vec3& at(int x, int y) const { return ink[static_cast<std::size_t>(y * width + x)]; }
  Vec3 value(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return {0, 0, 0};
    return at(x, y);
  }
};
