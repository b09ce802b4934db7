#include "extract/ScoreAt.h"

#include "extract/Ink.h"

namespace {

std::int64_t ChannelScore(int pictureInk, int unitInk, bool strict) {
  std::int64_t sum = pictureInk & unitInk;
  if (strict) sum -= pictureInk & (255 - unitInk);
  return sum;
}

std::int64_t OverlayScore(const Bitmap& picture, const Bitmap& unit, int left, int top, bool strict) {
  std::int64_t sum = 0;
  for (int j = 0; j < unit.width(); ++j) {
    for (int k = 0; k < unit.height(); ++k) {
      const int px = left + j;
      const int py = top + k;
      if (!picture.contains(px, py)) continue;
      const Colour p = unit.pixel(j, k);
      const Colour i = picture.pixel(px, py);
      if (IsWhite(i) || IsWhite(p)) continue;
      sum += ChannelScore(RedInkOf(i), RedInkOf(p), strict);
      sum += ChannelScore(GreenInkOf(i), GreenInkOf(p), strict);
      sum += ChannelScore(BlueInkOf(i), BlueInkOf(p), strict);
    }
  }
  return sum;
}

}  // namespace

ScoreResult ScoreAt(const Bitmap& picture, const Bitmap& unit, int x, int y, bool strict) {
  ScoreResult best;
  for (int i = 0; i < unit.width(); ++i) {
    if (IsWhite(unit.pixel(i, 0))) continue;
    const std::int64_t sum = OverlayScore(picture, unit, x - i, y, strict);
    if (sum > best.score) best = {sum, i};
  }
  return best;
}
