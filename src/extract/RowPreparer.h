#pragma once

#include <cstdint>
#include <vector>

#include "state/Bitmap.h"

// Marks, row by row down a band of rows, the candidate pixels of the scan: the
// non-white pixels at which the template could score at least the acceptance
// threshold.
//
// The test is an upper bound: whatever the anchor, a template placed at a
// pixel covers only pixels of the box that spans every anchor's placement, and
// no overlay scores more than the summed ink of the pixels it covers. Erasing
// only lowers ink, so a bound taken before erasing stays valid.
//
// Marking row r needs the picture rows r .. r + unit height - 1. Each picture
// row is read once, when the first row that needs it is marked: marking the
// band's first row reads its first unit-height rows, every later row one more.
class RowPreparer {
 public:
  struct UnitShape {
    int width = 0;
    int height = 0;
    int firstAnchor = 0;  // smallest anchor column
    int lastAnchor = 0;   // largest anchor column
    bool hasAnchor = false;
  };

  struct Criterion {
    bool everyNonWhite = false;     // every non-white pixel is a candidate
    std::int64_t minimumBound = 0;  // otherwise: its bound reaches this
  };

  // Marks the rows firstRow .. endRow - 1 into `bits`, wordsPerRow words a
  // row, bit x % 64 of word x / 64 for column x. The bits must start cleared.
  RowPreparer(const Bitmap& picture, const UnitShape& unit, const Criterion& criterion, int firstRow,
              int endRow, std::uint64_t* bits, int wordsPerRow);

  int firstRow() const { return firstRow_; }
  int endRow() const { return endRow_; }
  // Rows before this one are marked.
  int nextRow() const { return next_; }
  // Marks row nextRow(); only while that is below endRow(). Returns whether
  // the row has a candidate.
  bool markNextRow();

 private:
  struct InkAt {
    int column;
    int ink;
  };

  void readRow(int y);
  void dropRow(int y);
  bool markRow(int y);
  std::size_t slot(int y) const { return static_cast<std::size_t>(y % ringRows_); }
  InkAt* ringRow(int y) { return ring_.data() + slot(y) * static_cast<std::size_t>(width_); }

  const Bitmap& picture_;
  UnitShape unit_;
  Criterion criterion_;
  int width_;
  int height_;
  int firstRow_;
  int endRow_;
  std::uint64_t* bits_;
  int wordsPerRow_;
  int ringRows_;
  int next_;
  int first_;  // picture rows first_ .. last_ - 1 are summed in columnInk_
  int last_;
  std::vector<InkAt> ring_;     // the non-white pixels of the summed rows
  std::vector<int> ringCount_;  // how many, per ring row
  std::vector<std::int64_t> columnInk_;
};
