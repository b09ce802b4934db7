#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "extract/RowPreparer.h"

// Hands prepared rows to the scan. With a worker thread the preparer runs
// ahead of the scan on the other core; without one, rows are prepared on
// demand. Either way the scan sees the same rows.
class RowSource {
 public:
  using Clock = std::chrono::steady_clock;

  RowSource(RowPreparer& preparer, int height, bool useWorkerThread);
  ~RowSource();
  RowSource(const RowSource&) = delete;
  RowSource& operator=(const RowSource&) = delete;

  // True once row y is prepared; false when `until` passed first.
  bool waitForRow(int y, Clock::time_point until);

 private:
  void work();

  RowPreparer& preparer_;
  int height_;
  std::atomic<int> ready_{0};
  std::atomic<bool> cancel_{false};
  std::atomic<bool> waiting_{false};
  std::mutex mutex_;
  std::condition_variable rowReady_;
  std::thread worker_;
};
