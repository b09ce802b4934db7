#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "extract/RowPreparer.h"
#include "threads/WorkLanes.h"

// The candidate bits of every picture row, marked ahead of the scan. The
// upper half of the picture is marked by the scanning thread as it goes; with
// a worker thread the lower half is marked meanwhile on the other core. Either
// way the bits are the same.
class CandidateRows {
 public:
  using Clock = std::chrono::steady_clock;

  CandidateRows(const Bitmap& picture, const RowPreparer::UnitShape& unit,
                const RowPreparer::Criterion& criterion, bool useWorkerThread);
  ~CandidateRows();
  CandidateRows(const CandidateRows&) = delete;
  CandidateRows& operator=(const CandidateRows&) = delete;

  // True once row y is marked and no marking will read the picture rows the
  // scan may erase from row y (y .. y + unit height - 1) any more; false
  // when `until` passed first.
  bool waitForRow(int y, Clock::time_point until);

  int wordsPerRow() const { return wordsPerRow_; }
  // Whether a marked row has any candidate.
  bool rowHasCandidates(int y) const { return rowHasCandidates_[static_cast<std::size_t>(y)] != 0; }
  const std::uint64_t* row(int y) const {
    return bits_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(wordsPerRow_);
  }

 private:
  void markOn(RowPreparer& band);
  void markLowerBand();
  bool waitForLower(int needed, Clock::time_point until);

  int height_;
  int unitHeight_;
  int wordsPerRow_;
  std::vector<std::uint64_t> bits_;
  std::vector<char> rowHasCandidates_;
  RowPreparer upper_;
  std::optional<RowPreparer> lower_;
  std::atomic<int> lowerNext_{0};
  std::atomic<bool> cancel_{false};
  std::atomic<bool> waiting_{false};
  std::mutex mutex_;
  std::condition_variable lowerProgress_;
  WorkLanes lanes_;
  bool markingAside_ = false;  // the worker marks the lower band
};
