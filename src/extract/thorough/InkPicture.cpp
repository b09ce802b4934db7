#include "extract/thorough/InkPicture.h"

#include <algorithm>
#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// InkAgainstPaper for a whole row, with the paper given per channel; four
// pixels at a time where the processor allows, with the same arithmetic.
void InkRow(const Colour* in, const std::array<std::vector<float>, 3>& paper,
            const std::array<float, 3>& floor, std::uint32_t* out, int width) {
  int x = 0;
#if defined(__SSE2__)
  const __m128 one = _mm_set1_ps(1.0f);
  const __m128 full = _mm_set1_ps(255.0f);
  const __m128 half = _mm_set1_ps(0.5f);
  const __m128i byte = _mm_set1_epi32(0xFF);
  const __m128i most = _mm_set1_epi32(255);
  for (; x + 4 <= width; x += 4) {
    const __m128i colours = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + x));
    __m128i packed = _mm_setzero_si128();
    for (int c = 0; c < 3; ++c) {
      const __m128 value = _mm_cvtepi32_ps(_mm_and_si128(_mm_srli_epi32(colours, 8 * c), byte));
      const __m128 p = _mm_max_ps(_mm_loadu_ps(paper[static_cast<std::size_t>(c)].data() + x), one);
      const __m128 lack = _mm_sub_ps(p, value);
      const __m128i ink = _mm_cvttps_epi32(_mm_add_ps(_mm_mul_ps(lack, _mm_div_ps(full, p)), half));
      // min(255, ink): lack is at most 255 here, so ink is not negative where it counts.
      const __m128i bounded = _mm_or_si128(_mm_and_si128(_mm_cmpgt_epi32(ink, most), most),
                                           _mm_andnot_si128(_mm_cmpgt_epi32(ink, most), ink));
      const __m128i counts =
          _mm_castps_si128(_mm_cmpgt_ps(lack, _mm_set1_ps(floor[static_cast<std::size_t>(c)])));
      packed = _mm_or_si128(packed, _mm_slli_epi32(_mm_and_si128(bounded, counts), 8 * c));
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), packed);
  }
#endif
  for (; x < width; ++x) {
    const float p[3] = {paper[0][static_cast<std::size_t>(x)], paper[1][static_cast<std::size_t>(x)],
                        paper[2][static_cast<std::size_t>(x)]};
    out[x] = InkAgainstPaper(in[x], p, floor);
  }
}

int InkLength(std::uint32_t ink) {
  const int r = InkRed(ink), g = InkGreen(ink), b = InkBlue(ink);
  return static_cast<int>(std::ceil(std::sqrt(static_cast<float>(r * r + g * g + b * b))));
}

// The length a box sum counts: none for paper and for pixels not judged.
std::uint32_t CountedLength(std::uint32_t ink) {
  return ink == 0 || (ink & InkPicture::Unjudged) ? 0u : static_cast<std::uint32_t>(InkLength(ink));
}

}  // namespace

InkPicture::InkPicture(const Bitmap& picture, const PaperModel& paper, const WorkLanes& lanes)
    : width_(picture.width()),
      height_(picture.height()),
      ink_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_)) {
  const std::array<float, 3> floor = paper.noiseFloor();
  const bool noNoise = floor[0] <= 0 && floor[1] <= 0 && floor[2] <= 0;
  std::array<std::array<std::vector<float>, 3>, WorkLanes::Count> paperRows;
  lanes.each(height_, [&](int y, int lane) {
    const Colour* in = picture.row(y);
    std::uint32_t* out = ink_.data() + index(0, y);
    // On pure white paper without noise the ink is the colour's complement.
    if (noNoise && paper.whiteRow(y)) {
      for (int x = 0; x < width_; ++x) out[x] = ~in[x] & 0xFFFFFFu;
      return;
    }
    std::array<std::vector<float>, 3>& paperRow = paperRows[static_cast<std::size_t>(lane)];
    paper.paperRowByChannel(y, paperRow);
    InkRow(in, paperRow, floor, out, width_);
  });
  markFrame();
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

void InkPicture::addRow(int y, std::vector<std::uint32_t>& sums) const {
  if (y < 0 || y >= height_) return;
  const std::uint32_t* in = ink_.data() + index(0, y);
  for (int x = 0; x < width_; ++x) {
    if (in[x] != 0) sums[static_cast<std::size_t>(x)] += CountedLength(in[x]);
  }
}

void InkPicture::takeRow(int y, std::vector<std::uint32_t>& sums) const {
  if (y < 0 || y >= height_) return;
  const std::uint32_t* in = ink_.data() + index(0, y);
  for (int x = 0; x < width_; ++x) {
    if (in[x] != 0) sums[static_cast<std::size_t>(x)] -= CountedLength(in[x]);
  }
}

void InkPicture::columnSums(int top, int bottom, std::vector<std::uint32_t>& out) const {
  out.assign(static_cast<std::size_t>(width_), 0);
  for (int y = std::max(top, 0); y < std::min(bottom, height_); ++y) addRow(y, out);
}

std::uint32_t InkPicture::boxSum(int left, int top, int right, int bottom) const {
  std::uint32_t sum = 0;
  for (int y = std::max(top, 0); y < std::min(bottom, height_); ++y) {
    for (int x = std::max(left, 0); x < std::min(right, width_); ++x) sum += CountedLength(at(x, y));
  }
  return sum;
}
