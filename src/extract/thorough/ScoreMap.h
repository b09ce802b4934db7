#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "extract/thorough/SearchState.h"

// The score of every whole-pixel placement of the unshifted template with
// enough of it inside the picture and enough ink under it, the surround not
// judged; rows of placements over blank paper are never touched. Its peaks
// are the search's first candidates.
class ScoreMap {
 public:
  explicit ScoreMap(SearchState& state) : s_(state) {}

  // Scores the placements on both lanes, reporting the rows on lane 0; false
  // when stopped.
  bool score();
  // The local maxima scoring at least the candidate share, row by row.
  std::vector<Candidate> peaks() const;

 private:
  int left() const { return -(s_.unit.width + 1); }
  int top() const { return -(s_.unit.height + 1); }
  int columns() const { return s_.width + s_.unit.width + 2; }
  int rows() const { return s_.height + s_.unit.height + 2; }
  float* row(int y) const {
    return map_.get() + static_cast<std::size_t>(y - top()) * static_cast<std::size_t>(columns()) - left();
  }
  bool rowScored(int y) const {
    return y >= top() && y < top() + rows() && rowScored_[static_cast<std::size_t>(y - top())];
  }
  std::int64_t scoreRow(int y, const std::vector<std::uint32_t>& columnInk);
  bool scoreChunk(int chunk, int lane, std::vector<std::uint32_t>& columnInk);
  void peaksOfRow(int y, std::vector<Candidate>& out) const;

  SearchState& s_;
  std::unique_ptr<float[]> map_;
  std::vector<char> rowScored_;
};
