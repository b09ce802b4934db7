#include "state/Bitmap.h"

#include <algorithm>

Bitmap::Bitmap(int width, int height, Colour fill) {
  setSize(width, height, fill);
}

void Bitmap::setSize(int width, int height, Colour fill) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  pixels_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill & 0xFFFFFFu);
}

void Bitmap::fillRect(const Rect& r, Colour c) {
  const int left = std::max(r.Left, 0);
  const int top = std::max(r.Top, 0);
  const int right = std::min(r.Right, width_);
  const int bottom = std::min(r.Bottom, height_);
  if (left >= right || top >= bottom) return;
  for (int y = top; y < bottom; ++y) std::fill(row(y) + left, row(y) + right, c & 0xFFFFFFu);
}

void Bitmap::copyRect(int destX, int destY, const Bitmap& source, const Rect& from) {
  if (&source == this) {
    const Bitmap copy = source;
    copyRect(destX, destY, copy, from);
    return;
  }
  int sx = from.Left;
  int sy = from.Top;
  int w = from.width();
  int h = from.height();
  // Clip against the source, then against the destination, moving both origins together.
  if (sx < 0) {
    w += sx;
    destX -= sx;
    sx = 0;
  }
  if (sy < 0) {
    h += sy;
    destY -= sy;
    sy = 0;
  }
  if (destX < 0) {
    w += destX;
    sx -= destX;
    destX = 0;
  }
  if (destY < 0) {
    h += destY;
    sy -= destY;
    destY = 0;
  }
  w = std::min({w, source.width_ - sx, width_ - destX});
  h = std::min({h, source.height_ - sy, height_ - destY});
  if (w <= 0 || h <= 0) return;
  for (int y = 0; y < h; ++y) {
    const Colour* in = source.row(sy + y) + sx;
    std::copy(in, in + w, row(destY + y) + destX);
  }
}
