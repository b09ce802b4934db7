#include "extract/RowPreparer.h"

#include <algorithm>

#include "extract/Ink.h"

RowPreparer::RowPreparer(const Bitmap& picture, InkPlane& plane, const UnitShape& unit, bool everyNonWhite,
                         std::int64_t minimumBound)
    : picture_(picture),
      plane_(plane),
      unit_(unit),
      everyNonWhite_(everyNonWhite),
      minimumBound_(minimumBound),
      width_(picture.width()),
      height_(picture.height()),
      words_((picture.width() + 63) / 64),
      ringRows_(std::max(1, std::min(unit.height, picture.height()))),
      ring_(static_cast<std::size_t>(ringRows_) * static_cast<std::size_t>(width_), 0),
      ringNonWhite_(static_cast<std::size_t>(ringRows_), 0),
      columnInk_(static_cast<std::size_t>(width_), 0),
      prefix_(static_cast<std::size_t>(width_) + 1, 0),
      bits_(static_cast<std::size_t>(words_) * static_cast<std::size_t>(height_), 0) {}

void RowPreparer::prepareNextRow() {
  const int y = next_++;
  while (first_ < y) dropRow(first_++);
  // The rows a template placed on row y can cover (its slot in the ring is free now).
  const int end =
      static_cast<int>(std::min<std::int64_t>(static_cast<std::int64_t>(y) + unit_.height, height_));
  while (last_ < end) addRow(last_++);
  markRow(y);
}

void RowPreparer::addRow(int y) {
  const Colour* in = picture_.row(y);
  std::uint32_t* ink = plane_.at(0, y);
  std::uint16_t* sums = ringRow(y);
  std::int64_t* columns = columnInk_.data();
  int nonWhite = 0;
  for (int x = 0; x < width_; ++x) {
    const std::uint32_t packed = PackedInkOf(in[x]);
    const int sum = PackedInkSum(packed);
    ink[x] = packed;
    sums[x] = static_cast<std::uint16_t>(sum);
    columns[x] += sum;
    nonWhite += sum != 0;
  }
  ringNonWhite_[static_cast<std::size_t>(y % ringRows_)] = nonWhite;
}

void RowPreparer::dropRow(int y) {
  const std::size_t slot = static_cast<std::size_t>(y % ringRows_);
  if (ringNonWhite_[slot] == 0) return;
  const std::uint16_t* sums = ringRow(y);
  std::int64_t* columns = columnInk_.data();
  for (int x = 0; x < width_; ++x) columns[x] -= sums[x];
}

void RowPreparer::markRow(int y) {
  std::uint64_t* bits = bits_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(words_);
  if (ringNonWhite_[static_cast<std::size_t>(y % ringRows_)] == 0) return;  // bits start cleared
  const std::uint16_t* sums = ringRow(y);
  if (everyNonWhite_) {
    for (int x = 0; x < width_; ++x) {
      if (sums[x] != 0) bits[x >> 6] |= std::uint64_t{1} << (x & 63);
    }
    return;
  }
  if (!unit_.hasAnchor) return;  // every score is 0, below any positive threshold
  std::int64_t* prefix = prefix_.data();
  for (int x = 0; x < width_; ++x) prefix[x + 1] = prefix[x] + columnInk_[static_cast<std::size_t>(x)];
  // Columns x - lastAnchor .. x - firstAnchor + width - 1 hold every placement at x.
  const int leftReach = unit_.lastAnchor;
  const int rightReach = unit_.width - unit_.firstAnchor;
  for (int x = 0; x < width_; ++x) {
    if (sums[x] == 0) continue;
    const int from = std::max(0, x - leftReach);
    const int to =
        static_cast<int>(std::min<std::int64_t>(width_, static_cast<std::int64_t>(x) + rightReach));
    if (prefix[to] - prefix[from] >= minimumBound_) bits[x >> 6] |= std::uint64_t{1} << (x & 63);
  }
}
