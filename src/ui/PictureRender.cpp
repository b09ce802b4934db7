#include "ui/PictureRender.h"

#include <algorithm>
#include <vector>

namespace {

// 0x00BBGGRR to Qt's 0xAARRGGBB.
inline QRgb ToQRgb(Colour c) {
  return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

// First source index covered by destination index i when n source pixels are
// spread over m destination pixels.
inline int SourceStart(long long i, int n, int m) {
  return static_cast<int>(i * n / m);
}

}  // namespace

void RenderPicture(const Bitmap& picture, const Rect& display, const Rect& clip, QImage& target) {
  const int dw = display.width();
  const int dh = display.height();
  const int sw = picture.width();
  const int sh = picture.height();
  if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;

  const int left = std::max({display.Left, clip.Left, 0});
  const int top = std::max({display.Top, clip.Top, 0});
  const int right = std::min({display.Right, clip.Right, target.width()});
  const int bottom = std::min({display.Bottom, clip.Bottom, target.height()});
  if (left >= right || top >= bottom) return;

  // Source column span of every visible destination column.
  const int columns = right - left;
  std::vector<int> colStart(static_cast<std::size_t>(columns) + 1);
  for (int i = 0; i <= columns; ++i) {
    colStart[static_cast<std::size_t>(i)] = SourceStart(left - display.Left + i, sw, dw);
  }
  std::vector<Colour> combined(static_cast<std::size_t>(columns));

  for (int y = top; y < bottom; ++y) {
    const int rowFirst = SourceStart(y - display.Top, sh, dh);
    const int rowEnd = std::max(SourceStart(y - display.Top + 1, sh, dh), rowFirst + 1);
    auto* out = reinterpret_cast<QRgb*>(target.scanLine(y)) + left;
    if (sw <= dw && sh <= dh) {
      // Magnified or one to one: every destination pixel shows one source pixel.
      const Colour* in = picture.row(rowFirst);
      for (int i = 0; i < columns; ++i) out[i] = ToQRgb(in[colStart[static_cast<std::size_t>(i)]]);
      continue;
    }
    std::fill(combined.begin(), combined.end(), 0xFFFFFFu);
    for (int sy = rowFirst; sy < std::min(rowEnd, sh); ++sy) {
      const Colour* in = picture.row(sy);
      for (int i = 0; i < columns; ++i) {
        const int first = colStart[static_cast<std::size_t>(i)];
        const int end = std::max(colStart[static_cast<std::size_t>(i) + 1], first + 1);
        Colour acc = combined[static_cast<std::size_t>(i)];
        for (int sx = first; sx < end; ++sx) acc &= in[sx];
        combined[static_cast<std::size_t>(i)] = acc;
      }
    }
    for (int i = 0; i < columns; ++i) out[i] = ToQRgb(combined[static_cast<std::size_t>(i)]);
  }
}
