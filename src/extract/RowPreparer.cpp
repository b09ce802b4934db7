#include "extract/RowPreparer.h"

#include <algorithm>

#include "extract/Ink.h"
#include "extract/NonWhiteColumns.h"

RowPreparer::RowPreparer(const Bitmap& picture, const UnitShape& unit, const Criterion& criterion,
                         int firstRow, int endRow, std::uint64_t* bits, int wordsPerRow)
    : picture_(picture),
      unit_(unit),
      criterion_(criterion),
      width_(picture.width()),
      height_(picture.height()),
      firstRow_(firstRow),
      endRow_(endRow),
      bits_(bits),
      wordsPerRow_(wordsPerRow),
      ringRows_(std::max(1, std::min(unit.height, picture.height()))),
      next_(firstRow),
      first_(firstRow),
      last_(firstRow),
      ring_(static_cast<std::size_t>(ringRows_) * static_cast<std::size_t>(width_)),
      ringCount_(static_cast<std::size_t>(ringRows_), 0),
      columnInk_(criterion.everyNonWhite ? 0 : static_cast<std::size_t>(width_), 0) {}

bool RowPreparer::markNextRow() {
  const int y = next_++;
  while (first_ < y) dropRow(first_++);
  // The rows a template placed on row y covers; their ring slots are free now.
  const int end =
      static_cast<int>(std::min<std::int64_t>(static_cast<std::int64_t>(y) + unit_.height, height_));
  while (last_ < end) readRow(last_++);
  return markRow(y);
}

void RowPreparer::readRow(int y) {
  InkAt* entries = ringRow(y);
  int count = 0;
  const Colour* row = picture_.row(y);
  if (criterion_.everyNonWhite) {
    ForEachNonWhite(row, width_, [&](int x) { entries[count++] = {x, 0}; });
  } else {
    std::int64_t* columns = columnInk_.data();
    ForEachNonWhite(row, width_, [&](int x) {
      const int ink = InkOf(row[x]);
      entries[count++] = {x, ink};
      columns[x] += ink;
    });
  }
  ringCount_[slot(y)] = count;
}

void RowPreparer::dropRow(int y) {
  if (criterion_.everyNonWhite) return;
  const InkAt* entries = ringRow(y);
  const int count = ringCount_[slot(y)];
  std::int64_t* columns = columnInk_.data();
  for (int k = 0; k < count; ++k) columns[entries[k].column] -= entries[k].ink;
}

bool RowPreparer::markRow(int y) {
  std::uint64_t* bits = bits_ + static_cast<std::size_t>(y) * static_cast<std::size_t>(wordsPerRow_);
  const InkAt* entries = ringRow(y);
  const int count = ringCount_[slot(y)];
  bool any = false;
  auto mark = [bits, &any](int x) {
    bits[x >> 6] |= std::uint64_t{1} << (x & 63);
    any = true;
  };
  if (criterion_.everyNonWhite) {
    for (int k = 0; k < count; ++k) mark(entries[k].column);
    return any;
  }
  if (!unit_.hasAnchor) return false;  // every score is 0, below any positive threshold
  // Columns x - lastAnchor .. x - firstAnchor + width - 1 hold every placement
  // at x. The window slides right with x; [from, to) is what `sum` holds.
  const std::int64_t* columns = columnInk_.data();
  int from = 0;
  int to = 0;
  std::int64_t sum = 0;
  for (int k = 0; k < count; ++k) {
    const int x = entries[k].column;
    const int newFrom = std::max(0, x - unit_.lastAnchor);
    const int newTo = static_cast<int>(
        std::min<std::int64_t>(width_, static_cast<std::int64_t>(x) + unit_.width - unit_.firstAnchor));
    if (newFrom >= to) {
      sum = 0;
      from = to = newFrom;
    }
    for (; from < newFrom; ++from) sum -= columns[from];
    for (; to < newTo; ++to) sum += columns[to];
    if (sum >= criterion_.minimumBound) mark(x);
  }
  return any;
}
