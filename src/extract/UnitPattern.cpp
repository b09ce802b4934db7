#include "extract/UnitPattern.h"

#include "extract/Ink.h"

UnitPattern::UnitPattern(const Bitmap& unit, std::ptrdiff_t pictureStride)
    : width_(unit.width()), height_(unit.height()), inkRows_(static_cast<std::size_t>(unit.width())) {
  for (int x = 0; x < width_; ++x) {
    if (height_ > 0 && !IsWhite(unit.pixel(x, 0))) anchors_.push_back(x);
    for (int y = 0; y < height_; ++y) {
      if (!IsWhite(unit.pixel(x, y))) inkRows_[static_cast<std::size_t>(x)].push_back(y);
    }
  }
  for (int y = 0; y < height_; ++y) {
    const std::ptrdiff_t rowOffset = static_cast<std::ptrdiff_t>(y) * pictureStride;
    for (int x0 = 0; x0 < width_; x0 += 4) {
      PatternQuad quad;
      quad.offset = rowOffset + x0;
      bool any = false;
      for (int k = 0; k < 4 && x0 + k < width_; ++k) {
        const Colour c = unit.pixel(x0 + k, y);
        if (IsWhite(c)) continue;
        quad.ink[k] = PackedInkOf(c);
        quad.mask[k] = 0xFFFFFFu;
        pixels_.push_back({rowOffset + x0 + k, x0 + k, y, PackedInkOf(c)});
        any = true;
      }
      if (any) quads_.push_back(quad);
    }
  }
}
