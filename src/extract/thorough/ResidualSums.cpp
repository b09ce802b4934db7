#include "extract/thorough/ResidualSums.h"

#include <algorithm>

void ResidualSums(const SearchState& s, const Rect& region, const ExplainedInk& explained,
                  std::vector<float>& sums, int& sumsWidth) {
  const int w = region.width();
  const int h = region.height();
  sums.assign(static_cast<std::size_t>((w + 1) * (h + 1)), 0.0f);
  const std::array<float, 3>& d = s.unit.meanDirection;
  const float ratio = s.tuning.otherColour;
  for (int j = 0; j < h; ++j) {
    float row = 0;
    for (int i = 0; i < w; ++i) {
      const int x = region.Left + i;
      const int y = region.Top + j;
      if (x >= 0 && y >= 0 && x < s.width && y < s.height) {
        const std::uint32_t ink = s.ink.at(x, y);
        if (ink != 0 && !(ink & InkPicture::Unjudged)) {
          const std::uint32_t left = LessExplained(ink, explained.at(x, y));
          const float r = static_cast<float>(InkRed(left));
          const float g = static_cast<float>(InkGreen(left));
          const float b = static_cast<float>(InkBlue(left));
          const float a = r * d[0] + g * d[1] + b * d[2];
          if (a > 0 && r * r + g * g + b * b - a * a <= ratio * ratio * a * a) row += a;
        }
      }
      sums[static_cast<std::size_t>((j + 1) * (w + 1) + i + 1)] =
          sums[static_cast<std::size_t>(j * (w + 1) + i + 1)] + row;
    }
  }
  sumsWidth = w + 1;
}

float ResidualBox(const std::vector<float>& sums, int sumsWidth, int left, int top, int right, int bottom) {
  const int rows = static_cast<int>(sums.size()) / sumsWidth;
  left = std::clamp(left, 0, sumsWidth - 1);
  right = std::clamp(right, 0, sumsWidth - 1);
  top = std::clamp(top, 0, rows - 1);
  bottom = std::clamp(bottom, 0, rows - 1);
  const auto at = [&](int i, int j) { return sums[static_cast<std::size_t>(j * sumsWidth + i)]; };
  return at(right, bottom) - at(left, bottom) - at(right, top) + at(left, top);
}
