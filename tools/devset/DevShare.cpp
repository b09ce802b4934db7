#include "devset/DevShare.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

#include "devset/DevCanvas.h"

namespace devset {

namespace {

// The samples of every pixel a mark covers, one bit each, over the pixels of
// its reach.
struct SampleBits {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::vector<std::uint64_t> bits;
  std::uint64_t at(int x, int y) const {
    return bits[static_cast<std::size_t>(y - top) * static_cast<std::size_t>(width) +
                static_cast<std::size_t>(x - left)];
  }
};

SampleBits CoverBits(const MarkAt& m, int samples) {
  const double reach = m.marker.size * 0.75 + m.marker.stroke;
  SampleBits c;
  c.left = static_cast<int>(std::floor(m.x - reach)) - 1;
  c.top = static_cast<int>(std::floor(m.y - reach)) - 1;
  c.width = static_cast<int>(std::ceil(m.x + reach)) + 1 - c.left;
  c.height = static_cast<int>(std::ceil(m.y + reach)) + 1 - c.top;
  c.bits.assign(static_cast<std::size_t>(c.width) * static_cast<std::size_t>(c.height), 0);
  const double step = 1.0 / samples;
  for (int y = 0; y < c.height; ++y) {
    for (int x = 0; x < c.width; ++x) {
      std::uint64_t b = 0;
      for (int j = 0; j < samples; ++j) {
        for (int i = 0; i < samples; ++i) {
          const double sx = c.left + x + (i + 0.5) * step;
          const double sy = c.top + y + (j + 0.5) * step;
          if (InsideMarker(m.marker, sx - m.x, sy - m.y)) b |= std::uint64_t{1} << (j * samples + i);
        }
      }
      c.bits[static_cast<std::size_t>(y) * static_cast<std::size_t>(c.width) + static_cast<std::size_t>(x)] =
          b;
    }
  }
  return c;
}

}  // namespace

std::vector<double> VisibleShares(const std::vector<MarkAt>& marks, Drawing drawing, int width, int height,
                                  std::vector<char>* rims) {
  const int samples = SamplesPerSide(drawing);
  std::vector<SampleBits> cover;
  cover.reserve(marks.size());
  int cell = 1;
  for (const MarkAt& m : marks) {
    cover.push_back(CoverBits(m, samples));
    cell = std::max({cell, cover.back().width, cover.back().height});
  }
  // Every mark is listed in each cell its box touches; a box is never
  // larger than a cell, so those are at most four.
  const int columns = width / cell + 3;
  const int rows = height / cell + 3;
  std::vector<std::vector<std::size_t>> cells(static_cast<std::size_t>(columns) *
                                              static_cast<std::size_t>(rows));
  const auto cellOf = [cell](int v, int count) { return std::clamp(v / cell + 1, 0, count - 1); };
  const auto cellIndex = [columns](int cx, int cy) {
    return static_cast<std::size_t>(cy) * static_cast<std::size_t>(columns) + static_cast<std::size_t>(cx);
  };
  for (std::size_t i = 0; i < cover.size(); ++i) {
    const SampleBits& c = cover[i];
    for (int cy = cellOf(c.top, rows); cy <= cellOf(c.top + c.height - 1, rows); ++cy) {
      for (int cx = cellOf(c.left, columns); cx <= cellOf(c.left + c.width - 1, columns); ++cx)
        cells[cellIndex(cx, cy)].push_back(i);
    }
  }
  std::vector<double> visible(marks.size(), 0.0);
  if (rims != nullptr) rims->assign(marks.size(), 0);
  std::vector<std::size_t> seen(marks.size(), marks.size());
  std::vector<std::uint64_t> others;
  for (std::size_t i = 0; i < cover.size(); ++i) {
    const SampleBits& c = cover[i];
    others.assign(c.bits.size(), 0);
    for (int cy = cellOf(c.top, rows); cy <= cellOf(c.top + c.height - 1, rows); ++cy) {
      for (int cx = cellOf(c.left, columns); cx <= cellOf(c.left + c.width - 1, columns); ++cx) {
        for (const std::size_t j : cells[cellIndex(cx, cy)]) {
          if (j == i || seen[j] == i) continue;
          seen[j] = i;
          const SampleBits& o = cover[j];
          const int x0 = std::max(c.left, o.left);
          const int x1 = std::min(c.left + c.width, o.left + o.width);
          const int y0 = std::max(c.top, o.top);
          const int y1 = std::min(c.top + c.height, o.top + o.height);
          for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
              others[static_cast<std::size_t>(y - c.top) * static_cast<std::size_t>(c.width) +
                     static_cast<std::size_t>(x - c.left)] |= o.at(x, y);
            }
          }
        }
      }
    }
    long total = 0;
    long alone = 0;
    // The first and last rows with ink, and how much of each is the mark's alone.
    long firstRow[2] = {0, 0}, lastRow[2] = {0, 0};
    bool seenRow = false;
    for (int y = std::max(0, c.top); y < std::min(height, c.top + c.height); ++y) {
      long rowTotal = 0, rowAlone = 0;
      for (int x = std::max(0, c.left); x < std::min(width, c.left + c.width); ++x) {
        const std::size_t k = static_cast<std::size_t>(y - c.top) * static_cast<std::size_t>(c.width) +
                              static_cast<std::size_t>(x - c.left);
        rowTotal += std::popcount(c.bits[k]);
        rowAlone += std::popcount(c.bits[k] & ~others[k]);
      }
      total += rowTotal;
      alone += rowAlone;
      if (rowTotal == 0) continue;
      if (!seenRow) {
        firstRow[0] = rowTotal;
        firstRow[1] = rowAlone;
        seenRow = true;
      }
      lastRow[0] = rowTotal;
      lastRow[1] = rowAlone;
    }
    visible[i] = total > 0 ? static_cast<double>(alone) / static_cast<double>(total) : 0.0;
    if (rims != nullptr)
      (*rims)[i] = seenRow && (2 * firstRow[1] >= firstRow[0] || 2 * lastRow[1] >= lastRow[0]) ? 1 : 0;
  }
  return visible;
}

}  // namespace devset
