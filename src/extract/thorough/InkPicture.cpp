#include "extract/thorough/InkPicture.h"

#include <algorithm>
#include <cmath>

#include "extract/thorough/TwoThreads.h"

std::uint32_t InkAgainstPaper(Colour colour, const float* paper, const std::array<float, 3>& floor) {
  std::uint32_t packed = 0;
  for (int c = 0; c < 3; ++c) {
    const float value = static_cast<float>((colour >> (8 * c)) & 0xFFu);
    const float p = std::max(paper[c], 1.0f);
    const float lack = p - value;
    if (lack <= floor[static_cast<std::size_t>(c)]) continue;
    // Rounded to the nearest level; lack is positive here.
    const int ink = std::min(255, static_cast<int>(lack * (255.0f / p) + 0.5f));
    packed |= static_cast<std::uint32_t>(ink) << (8 * c);
  }
  return packed;
}

namespace {

// InkAgainstPaper for a whole row, the divisions done first and together.
void InkRow(const Colour* in, const std::vector<float>& paper, const std::array<float, 3>& floor,
            std::vector<float>& scale, std::uint32_t* out, int width) {
  scale.resize(paper.size());
  for (std::size_t i = 0; i < paper.size(); ++i) scale[i] = 255.0f / std::max(paper[i], 1.0f);
  for (int x = 0; x < width; ++x) {
    std::uint32_t packed = 0;
    for (int c = 0; c < 3; ++c) {
      const std::size_t i = static_cast<std::size_t>(3 * x + c);
      const float lack = std::max(paper[i], 1.0f) - static_cast<float>((in[x] >> (8 * c)) & 0xFFu);
      if (lack <= floor[static_cast<std::size_t>(c)]) continue;
      const int ink = std::min(255, static_cast<int>(lack * scale[i] + 0.5f));
      packed |= static_cast<std::uint32_t>(ink) << (8 * c);
    }
    out[x] = packed;
  }
}

int InkLength(std::uint32_t ink) {
  const int r = InkRed(ink), g = InkGreen(ink), b = InkBlue(ink);
  return static_cast<int>(std::ceil(std::sqrt(static_cast<float>(r * r + g * g + b * b))));
}

}  // namespace

InkPicture::InkPicture(const Bitmap& picture, const PaperModel& paper)
    : width_(picture.width()),
      height_(picture.height()),
      ink_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_)),
      sums_(static_cast<std::size_t>(width_ + 1) * static_cast<std::size_t>(height_ + 1), 0) {
  const std::array<float, 3> floor = paper.noiseFloor();
  const bool noNoise = floor[0] <= 0 && floor[1] <= 0 && floor[2] <= 0;
  OnTwoThreads(height_, [&](int top, int bottom) {
    std::vector<float> paperRow;
    std::vector<float> scale;
    for (int y = top; y < bottom; ++y) {
      const Colour* in = picture.row(y);
      std::uint32_t* out = ink_.data() + index(0, y);
      // On pure white paper without noise the ink is the colour's complement.
      if (noNoise && paper.whiteRow(y)) {
        for (int x = 0; x < width_; ++x) out[x] = ~in[x] & 0xFFFFFFu;
        continue;
      }
      paper.paperRow(y, paperRow);
      InkRow(in, paperRow, floor, scale, out, width_);
    }
  });
  markFrame();
  // The running sums: along each row on two threads, then down each column.
  const std::size_t stride = static_cast<std::size_t>(width_) + 1;
  OnTwoThreads(height_, [&](int top, int bottom) {
    for (int y = top; y < bottom; ++y) {
      const std::uint32_t* in = ink_.data() + index(0, y);
      std::uint32_t* sums = sums_.data() + static_cast<std::size_t>(y + 1) * stride;
      std::uint32_t rowSum = 0;
      for (int x = 0; x < width_; ++x) {
        if (in[x] != 0 && (in[x] & Unjudged) == 0) rowSum += static_cast<std::uint32_t>(InkLength(in[x]));
        sums[x + 1] = rowSum;
      }
    }
  });
  OnTwoThreads(width_, [&](int left, int right) {
    for (int y = 1; y < height_; ++y) {
      const std::uint32_t* above = sums_.data() + static_cast<std::size_t>(y) * stride;
      std::uint32_t* sums = sums_.data() + static_cast<std::size_t>(y + 1) * stride;
      for (int x = left; x < right; ++x) sums[x + 1] += above[x + 1];
    }
  });
}

void InkPicture::markFrame() {
  // A frame line is a row (column) near an edge inked along most of its
  // length; the rows next to it that are as well belong to it.
  const int Depth = 6;
  constexpr double Covered = 0.6;
  constexpr int Dark = 150;  // ink length of a frame pixel
  const auto lineRow = [&](int y) {
    int inked = 0;
    for (int x = 0; x < width_; ++x) inked += InkLength(ink_[index(x, y)] & 0xFFFFFFu) >= Dark ? 1 : 0;
    return inked >= Covered * width_;
  };
  const auto lineColumn = [&](int x) {
    int inked = 0;
    for (int y = 0; y < height_; ++y) inked += InkLength(ink_[index(x, y)] & 0xFFFFFFu) >= Dark ? 1 : 0;
    return inked >= Covered * height_;
  };
  // Rows (columns) from the edge inward: the frame is the first run of lines.
  const auto frameDepth = [Depth](int limit, const auto& isLine, const auto& at) {
    int first = -1;
    int last = -1;
    for (int k = 0; k < std::min(Depth, limit); ++k) {
      if (isLine(at(k))) {
        if (first < 0) first = k;
        last = k;
      } else if (first >= 0) {
        break;
      }
    }
    return std::array<int, 2>{first, last};
  };
  const auto markRow = [&](int y) {
    for (int x = 0; x < width_; ++x) ink_[index(x, y)] |= Unjudged;
  };
  const auto markColumn = [&](int x) {
    for (int y = 0; y < height_; ++y) ink_[index(x, y)] |= Unjudged;
  };
  if (width_ < 2 * Depth || height_ < 2 * Depth) return;
  const auto top = frameDepth(height_, lineRow, [](int k) { return k; });
  const auto bottom = frameDepth(height_, lineRow, [&](int k) { return height_ - 1 - k; });
  const auto left = frameDepth(width_, lineColumn, [](int k) { return k; });
  const auto right = frameDepth(width_, lineColumn, [&](int k) { return width_ - 1 - k; });
  for (int k = top[0]; k >= 0 && k <= top[1]; ++k) markRow(k);
  for (int k = bottom[0]; k >= 0 && k <= bottom[1]; ++k) markRow(height_ - 1 - k);
  for (int k = left[0]; k >= 0 && k <= left[1]; ++k) markColumn(k);
  for (int k = right[0]; k >= 0 && k <= right[1]; ++k) markColumn(width_ - 1 - k);
}

void InkPicture::columnSums(int top, int bottom, std::vector<std::uint32_t>& out) const {
  out.assign(static_cast<std::size_t>(width_), 0);
  top = std::max(top, 0);
  bottom = std::min(bottom, height_);
  if (top >= bottom) return;
  const std::size_t stride = static_cast<std::size_t>(width_) + 1;
  const std::uint32_t* above = sums_.data() + static_cast<std::size_t>(top) * stride;
  const std::uint32_t* below = sums_.data() + static_cast<std::size_t>(bottom) * stride;
  for (int x = 0; x < width_; ++x)
    out[static_cast<std::size_t>(x)] = below[x + 1] - below[x] - above[x + 1] + above[x];
}

std::uint32_t InkPicture::boxSum(int left, int top, int right, int bottom) const {
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, width_);
  bottom = std::min(bottom, height_);
  if (left >= right || top >= bottom) return 0;
  const std::size_t stride = static_cast<std::size_t>(width_) + 1;
  const auto at = [&](int x, int y) {
    return sums_[static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x)];
  };
  return at(right, bottom) - at(left, bottom) - at(right, top) + at(left, top);
}
