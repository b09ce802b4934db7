#pragma once

#include <chrono>
#include <cstdint>

#include "state/ScanObserver.h"

// Lets pending window messages be handled on a time basis instead of at every
// pixel: the scan counts its work, every so many units the clock is read, and
// when the interval has passed the messages are handled and the stop flag read.
class MessagePacer {
 public:
  using Clock = std::chrono::steady_clock;

  MessagePacer(RunMessages& observer, std::chrono::microseconds interval, std::int64_t unitsPerClockRead)
      : observer_(observer),
        interval_(interval),
        unitsPerClockRead_(unitsPerClockRead),
        budget_(unitsPerClockRead),
        last_(Clock::now()) {}

  void spend(std::int64_t units) { budget_ -= units; }
  // Work of unknown length happened (the observer's own): read the clock at
  // the next checkpoint.
  void readClockSoon() { budget_ = 0; }

  // A point where the scan may stop. True when messages were handled here and
  // the user has asked to stop.
  bool checkpoint() {
    if (budget_ > 0) return false;
    budget_ = unitsPerClockRead_;
    return handleIfDue();
  }

  // Handles the messages when the interval has passed; true when it did and
  // the user has asked to stop.
  bool handleIfDue() {
    const Clock::time_point now = Clock::now();
    if (now - last_ < interval_) return false;
    observer_.handlePendingMessages();
    last_ = Clock::now();
    return observer_.stopRequested();
  }

  Clock::time_point nextHandling() const { return last_ + interval_; }

 private:
  RunMessages& observer_;
  std::chrono::microseconds interval_;
  std::int64_t unitsPerClockRead_;
  std::int64_t budget_;
  Clock::time_point last_;
};
