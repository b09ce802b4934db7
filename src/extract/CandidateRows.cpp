#include "extract/CandidateRows.h"

namespace {

// Below this many rows a second thread costs more than it saves.
constexpr int SmallestSplitHeight = 64;

int SplitRow(int height, bool useWorkerThread) {
  return useWorkerThread && height >= SmallestSplitHeight ? height / 2 : height;
}

}  // namespace

CandidateRows::CandidateRows(const Bitmap& picture, const RowPreparer::UnitShape& unit,
                             const RowPreparer::Criterion& criterion, bool useWorkerThread)
    : height_(picture.height()),
      unitHeight_(unit.height),
      wordsPerRow_((picture.width() + 63) / 64),
      bits_(static_cast<std::size_t>(wordsPerRow_) * static_cast<std::size_t>(height_), 0),
      rowHasCandidates_(static_cast<std::size_t>(height_), 0),
      upper_(picture, unit, criterion, 0, SplitRow(height_, useWorkerThread), bits_.data(), wordsPerRow_),
      lanes_(useWorkerThread) {
  const int split = upper_.endRow();
  if (split == height_) return;
  lower_.emplace(picture, unit, criterion, split, height_, bits_.data(), wordsPerRow_);
  lowerNext_.store(split);
  // Without a thread to be had the scanning thread marks the lower band as well.
  markingAside_ = lanes_.startAside([this] { markLowerBand(); });
}

CandidateRows::~CandidateRows() {
  if (!markingAside_) return;
  cancel_.store(true);
  lanes_.waitAside();
}

void CandidateRows::markLowerBand() {
  RowPreparer& band = *lower_;
  while (band.nextRow() < band.endRow() && !cancel_.load(std::memory_order_relaxed)) {
    const int y = band.nextRow();
    rowHasCandidates_[static_cast<std::size_t>(y)] = band.markNextRow();
    lowerNext_.store(y + 1);
    if (waiting_.load()) {
      // Taking the lock orders this wake-up after the waiter's last look.
      { const std::lock_guard<std::mutex> lock(mutex_); }
      lowerProgress_.notify_one();
    }
  }
}

void CandidateRows::markOn(RowPreparer& band) {
  const int y = band.nextRow();
  rowHasCandidates_[static_cast<std::size_t>(y)] = band.markNextRow();
}

bool CandidateRows::waitForRow(int y, Clock::time_point until) {
  if (y < upper_.endRow()) {
    while (upper_.nextRow() <= y) markOn(upper_);
  }
  if (!lower_) return true;
  const int split = lower_->firstRow();
  if (!markingAside_) {
    while (lower_->nextRow() <= y) markOn(*lower_);
    return true;
  }
  // Erasing from row y reaches row y + unit height - 1. The lower band reads
  // its first rows when it marks its first row, later rows one by one below
  // the rows it has marked.
  int needed = split;
  if (y >= split) {
    needed = y + 1;
  } else if (static_cast<std::int64_t>(y) + unitHeight_ - 1 >= split) {
    needed = split + 1;
  }
  return waitForLower(needed, until);
}

bool CandidateRows::waitForLower(int needed, Clock::time_point until) {
  if (lowerNext_.load(std::memory_order_acquire) >= needed) return true;
  // The worker is usually close behind: look again for a moment before sleeping.
  for (int spin = 0; spin < 64; ++spin) {
    std::this_thread::yield();
    if (lowerNext_.load(std::memory_order_acquire) >= needed) return true;
  }
  waiting_.store(true);
  std::unique_lock<std::mutex> lock(mutex_);
  const bool ready = lowerProgress_.wait_until(lock, until, [&] { return lowerNext_.load() >= needed; });
  waiting_.store(false);
  return ready;
}
