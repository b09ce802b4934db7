#include "extract/TemplateMeasures.h"

#include <algorithm>

#include "extract/Ink.h"

namespace {

// The smallest box holding every non-white pixel; empty when there is none.
struct InkBox {
  int minX = 0;
  int maxX = 0;
  int minY = 0;
  int maxY = 0;
  int pixels = 0;
};

InkBox FindInkBox(const Bitmap& b) {
  InkBox box{b.width() - 1, 0, b.height() - 1, 0, 0};
  for (int x = 0; x < b.width(); ++x) {
    for (int y = 0; y < b.height(); ++y) {
      if (IsWhite(b.pixel(x, y))) continue;
      box.minX = std::min(box.minX, x);
      box.maxX = std::max(box.maxX, x);
      box.minY = std::min(box.minY, y);
      box.maxY = std::max(box.maxY, y);
      ++box.pixels;
    }
  }
  return box;
}

Bitmap Trim(const Bitmap& stored) {
  const InkBox box = FindInkBox(stored);
  if (box.pixels == 0) return Bitmap(2, 2, BlackColour);
  Bitmap trimmed(box.maxX - box.minX + 1, box.maxY - box.minY + 1);
  trimmed.copyRect(0, 0, stored, {box.minX, box.minY, box.maxX + 1, box.maxY + 1});
  return trimmed;
}

}  // namespace

TemplateMeasures MeasureTemplate(const Bitmap& stored) {
  TemplateMeasures m;
  m.trimmed = Trim(stored);
  const Bitmap& t = m.trimmed;

  // 64-bit sums: a large dark template would overflow 32 bits.
  std::int64_t total = 0;
  std::int64_t sumX = 0;
  std::int64_t sumY = 0;
  double weight = 0.0;
  for (int x = 0; x < t.width(); ++x) {
    for (int y = 0; y < t.height(); ++y) {
      const Colour c = t.pixel(x, y);
      if (IsWhite(c)) continue;
      const int ink = InkOf(c);
      total += ink;
      sumX += static_cast<std::int64_t>(x + 1) * ink;
      sumY += static_cast<std::int64_t>(y + 1) * ink;
      weight += ink;
      ++m.pixelCount;
    }
  }
  if (total == 0) total = 1;
  if (m.pixelCount > 0) {
    sumX /= total;
    sumY /= total;
  }
  if (sumX > 0) --sumX;
  if (sumY > 0) --sumY;
  m.centreX = static_cast<std::int32_t>(sumX);
  m.centreY = static_cast<std::int32_t>(sumY);
  m.weight = weight == 0.0 ? 1.0 : weight;
  return m;
}
