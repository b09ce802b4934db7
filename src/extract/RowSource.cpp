#include "extract/RowSource.h"

#include <system_error>

RowSource::RowSource(RowPreparer& preparer, int height, bool useWorkerThread)
    : preparer_(preparer), height_(height) {
  if (!useWorkerThread || height_ <= 1) return;
  try {
    worker_ = std::thread([this] { work(); });
  } catch (const std::system_error&) {
    // No thread to be had: prepare rows on demand instead.
  }
}

RowSource::~RowSource() {
  if (!worker_.joinable()) return;
  cancel_.store(true);
  worker_.join();
}

void RowSource::work() {
  while (preparer_.preparedRows() < height_ && !cancel_.load(std::memory_order_relaxed)) {
    preparer_.prepareNextRow();
    ready_.store(preparer_.preparedRows());
    if (waiting_.load()) {
      // Taking the lock orders this wake-up after the scan's check of ready_.
      { const std::lock_guard<std::mutex> lock(mutex_); }
      rowReady_.notify_one();
    }
  }
}

bool RowSource::waitForRow(int y, Clock::time_point until) {
  if (!worker_.joinable()) {
    while (preparer_.preparedRows() <= y) preparer_.prepareNextRow();
    return true;
  }
  if (ready_.load(std::memory_order_acquire) > y) return true;
  waiting_.store(true);
  std::unique_lock<std::mutex> lock(mutex_);
  const bool ready = rowReady_.wait_until(lock, until, [&] { return ready_.load() > y; });
  waiting_.store(false);
  return ready;
}
