#include "extract/thorough/WorkLanes.h"

WorkLanes::~WorkLanes() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    quit_ = true;
  }
  changed_.notify_all();
  if (worker_.joinable()) worker_.join();
}

void WorkLanes::start(std::function<void()> job) const {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    job_ = std::move(job);
    busy_ = true;
    if (!worker_.joinable()) worker_ = std::thread([this] { serve(); });
  }
  changed_.notify_all();
}

void WorkLanes::finish() const {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return !busy_; });
  job_ = nullptr;
}

void WorkLanes::serve() const {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return quit_ || (busy_ && job_); });
    if (quit_) return;
    std::function<void()> job = job_;
    lock.unlock();
    job();
    lock.lock();
    busy_ = false;
    job_ = nullptr;
    changed_.notify_all();
  }
}
