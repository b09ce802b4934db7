#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The packed inks of a picture (0 for white) with a border of zeros wide
// enough that a template placed anywhere the scan may place it, read a few
// columns beyond its width, never leaves the buffer. Columns run from
// -leftBorder to width + rightBorder - 1, rows from 0 to height + bottomBorder - 1.
class InkPlane {
 public:
  InkPlane(int width, int height, int leftBorder, int rightBorder, int bottomBorder)
      : width_(width),
        height_(height),
        leftBorder_(leftBorder),
        stride_(static_cast<std::ptrdiff_t>(leftBorder) + width + rightBorder),
        data_(static_cast<std::size_t>(stride_) * static_cast<std::size_t>(height + bottomBorder), 0u) {}

  int width() const { return width_; }
  int height() const { return height_; }
  std::ptrdiff_t stride() const { return stride_; }

  std::uint32_t* at(int x, int y) { return data_.data() + offset(x, y); }
  const std::uint32_t* at(int x, int y) const { return data_.data() + offset(x, y); }

 private:
  std::ptrdiff_t offset(int x, int y) const {
    return static_cast<std::ptrdiff_t>(y) * stride_ + leftBorder_ + x;
  }

  int width_;
  int height_;
  int leftBorder_;
  std::ptrdiff_t stride_;
  std::vector<std::uint32_t> data_;
};
