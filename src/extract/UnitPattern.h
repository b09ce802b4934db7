#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "state/Bitmap.h"

// Four template pixels side by side in one row, in the form the vector
// kernel reads: their packed inks and a mask that is 0xFFFFFF where the
// template pixel is non-white. `offset` is the distance in the picture's
// pixel array from a placement's top-left corner.
struct PatternQuad {
  std::ptrdiff_t offset = 0;
  std::uint32_t ink[4] = {};
  std::uint32_t mask[4] = {};
};

// One non-white template pixel.
struct PatternPixel {
  std::ptrdiff_t offset = 0;  // as for PatternQuad
  int column = 0;
  int row = 0;
  std::uint32_t ink = 0;  // packed
};

// The unit template prepared for scoring and erasing on a picture whose rows
// lie `pictureStride` pixels apart.
class UnitPattern {
 public:
  // Columns the vector kernel reads to the right of a placement's left edge.
  static int ReadWidth(int unitWidth) { return (unitWidth + 3) / 4 * 4; }

  UnitPattern(const Bitmap& unit, std::ptrdiff_t pictureStride);

  int width() const { return width_; }
  int height() const { return height_; }
  // Columns whose top-row pixel is non-white, in increasing order.
  const std::vector<int>& anchors() const { return anchors_; }
  // Non-white rows of each column, in increasing order.
  const std::vector<int>& inkRowsOfColumn(int column) const {
    return inkRows_[static_cast<std::size_t>(column)];
  }
  // Quads that hold at least one non-white pixel.
  const std::vector<PatternQuad>& quads() const { return quads_; }
  const std::vector<PatternPixel>& pixels() const { return pixels_; }

 private:
  int width_;
  int height_;
  std::vector<int> anchors_;
  std::vector<std::vector<int>> inkRows_;
  std::vector<PatternQuad> quads_;
  std::vector<PatternPixel> pixels_;
};
