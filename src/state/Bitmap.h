#pragma once

#include <cstdint>
#include <vector>

#include "state/Rect.h"

// A colour is 0x00BBGGRR; the low 24 bits are the pixel.
using Colour = std::uint32_t;

constexpr Colour WhiteColour = 0xFFFFFFu;
constexpr Colour BlackColour = 0x000000u;

constexpr int RedOf(Colour c) {
  return static_cast<int>(c & 0xFFu);
}
constexpr int GreenOf(Colour c) {
  return static_cast<int>((c >> 8) & 0xFFu);
}
constexpr int BlueOf(Colour c) {
  return static_cast<int>((c >> 16) & 0xFFu);
}
constexpr Colour MakeColour(int r, int g, int b) {
  return static_cast<Colour>(r) | (static_cast<Colour>(g) << 8) | (static_cast<Colour>(b) << 16);
}
// Exact white is the only background value.
constexpr bool IsWhite(Colour c) {
  return (c & 0xFFFFFFu) == 0xFFFFFFu;
}

// A 24-bit RGB raster stored as one contiguous array of colours, row by row,
// top row first. Per-pixel access is for clarity; hot loops use row().
class Bitmap {
 public:
  Bitmap() = default;
  Bitmap(int width, int height, Colour fill = WhiteColour);

  int width() const { return width_; }
  int height() const { return height_; }
  bool empty() const { return width_ <= 0 || height_ <= 0; }

  // New size; every pixel becomes `fill`.
  void setSize(int width, int height, Colour fill = WhiteColour);

  Colour pixel(int x, int y) const { return pixels_[index(x, y)]; }
  void setPixel(int x, int y, Colour c) { pixels_[index(x, y)] = c & 0xFFFFFFu; }
  bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  Colour* row(int y) { return pixels_.data() + index(0, y); }
  const Colour* row(int y) const { return pixels_.data() + index(0, y); }
  const std::vector<Colour>& pixels() const { return pixels_; }

  // Fills the rectangle (exclusive right and bottom), clipped to the bitmap.
  void fillRect(const Rect& r, Colour c);
  // Copies `from` (exclusive edges) of `source` one to one to (destX, destY);
  // parts outside either bitmap are skipped.
  void copyRect(int destX, int destY, const Bitmap& source, const Rect& from);

  friend bool operator==(const Bitmap&, const Bitmap&) = default;

 private:
  std::size_t index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x);
  }

  int width_ = 0;
  int height_ = 0;
  std::vector<Colour> pixels_;
};
