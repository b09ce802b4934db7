#include "threads/WorkLanes.h"

#include <system_error>

WorkLanes::~WorkLanes() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    quit_ = true;
  }
  changed_.notify_all();
  if (worker_.joinable()) worker_.join();
}

bool WorkLanes::startAside(std::function<void()> job) const {
  if (!useWorker_) return false;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (!worker_.joinable()) {
      try {
        worker_ = std::thread([this] { serve(); });
      } catch (const std::system_error&) {
        return false;  // no thread to be had
      }
    }
    job_ = std::move(job);
    busy_ = true;
  }
  changed_.notify_all();
  return true;
}

void WorkLanes::waitAside() const {
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
