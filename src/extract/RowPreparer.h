#pragma once

#include <cstdint>
#include <vector>

#include "extract/InkPlane.h"
#include "image/Bitmap.h"

// Prepares the picture for the scan one row at a time, top to bottom: copies
// the inks of each row into the InkPlane and marks the candidate pixels of
// each row, the non-white pixels at which the template could score at least
// the acceptance threshold.
//
// The test is an upper bound: whatever the anchor, a template placed at a
// pixel covers only pixels of the box that spans every anchor's placement, and
// no overlay can score more than the summed ink of the pixels it covers.
// Erasing only lowers ink, so a bound taken before erasing stays valid.
//
// Row r is marked once rows r .. r + unit height - 1 have been read; the
// picture is read exactly once, row by row, and its rows are never read again
// once a later row is marked. The scan may therefore erase rows up to
// r + unit height - 1 of picture and plane once row r is marked, even while
// the following rows are being prepared on another thread.
class RowPreparer {
 public:
  struct UnitShape {
    int width = 0;
    int height = 0;
    int firstAnchor = 0;  // smallest anchor column
    int lastAnchor = 0;   // largest anchor column
    bool hasAnchor = false;
  };

  // `minimumBound`: a pixel is a candidate when it is non-white and its bound
  // is at least this; with `everyNonWhite` every non-white pixel is one.
  RowPreparer(const Bitmap& picture, InkPlane& plane, const UnitShape& unit, bool everyNonWhite,
              std::int64_t minimumBound);

  int preparedRows() const { return next_; }
  // Prepares row preparedRows(); only while that is below the picture height.
  void prepareNextRow();

  int wordsPerRow() const { return words_; }
  // Candidate bits of a prepared row: bit x % 64 of word x / 64 marks column x.
  const std::uint64_t* candidates(int y) const {
    return bits_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(words_);
  }

 private:
  void addRow(int y);
  void dropRow(int y);
  void markRow(int y);
  std::uint16_t* ringRow(int y) {
    return ring_.data() + static_cast<std::size_t>(y % ringRows_) * static_cast<std::size_t>(width_);
  }

  const Bitmap& picture_;
  InkPlane& plane_;
  UnitShape unit_;
  bool everyNonWhite_;
  std::int64_t minimumBound_;
  int width_;
  int height_;
  int words_;
  int ringRows_;
  int next_ = 0;   // next row to mark
  int first_ = 0;  // rows first_ .. last_ - 1 are summed in columnInk_
  int last_ = 0;
  std::vector<std::uint16_t> ring_;  // ink sums of the summed rows
  std::vector<int> ringNonWhite_;    // non-white pixels per ring row
  std::vector<std::int64_t> columnInk_;
  std::vector<std::int64_t> prefix_;
  std::vector<std::uint64_t> bits_;
};
