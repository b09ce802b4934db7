#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <type_traits>

// Work shared by the calling thread (lane 0) and, when the worker thread is
// allowed, one worker thread (lane 1). Every item 0 .. count - 1 is done once,
// by whichever lane is free, taken in increasing order; what an item writes
// must not depend on the lane that did it. Only lane 0 may talk to the
// observer. Work may return false on lane 0 to stop the run: the worker then
// finishes the item it is on and takes no other.
//
// The worker thread is started on the first shared run and waits between
// runs, so that the many short runs of a search do not each start a thread.
// Where the worker is not allowed, or no thread can be had, lane 0 does all.
//
// This is the one way the program puts work on a second thread: shared items
// (each) or one job that runs beside the caller (startAside, waitAside).
class WorkLanes {
 public:
  static constexpr int Count = 2;

  explicit WorkLanes(bool useWorker) : useWorker_(useWorker) {}
  ~WorkLanes();
  WorkLanes(const WorkLanes&) = delete;
  WorkLanes& operator=(const WorkLanes&) = delete;

  bool useWorker() const { return useWorker_; }

  // Calls work(item, lane) for every item; fewer than `least` items stay on
  // lane 0. False when stopped.
  template <typename Work>
  bool each(int count, Work&& work, int least = 2) const {
    std::atomic<int> next{0};
    std::atomic<bool> finished{false};
    // The worker looks whether the run is over before it takes an item,
    // never after: an item it has taken is always done.
    const bool shared = count >= least && count > 1 && startAside([&] {
                          while (!finished) {
                            const int i = next++;
                            if (i >= count) break;
                            static_cast<void>(work(i, 1));
                          }
                        });
    bool stopped = false;
    for (int i = next++; i < count; i = next++) {
      if constexpr (std::is_void_v<decltype(work(i, 0))>) {
        work(i, 0);
      } else if (!work(i, 0)) {
        stopped = true;
        break;
      }
    }
    finished = true;
    if (shared) waitAside();
    return !stopped;
  }

  // Hands a job to the worker, starting the thread when it is not running
  // yet, and returns at once. False, with the job not run, when the worker
  // is not allowed or no thread can be had: the caller then does the job's
  // work itself. One job at a time; waitAside must follow a true return.
  bool startAside(std::function<void()> job) const;
  // Waits until the job started aside is done.
  void waitAside() const;

 private:
  void serve() const;

  bool useWorker_;
  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;
  mutable std::function<void()> job_;
  mutable bool busy_ = false;
  mutable bool quit_ = false;
  mutable std::thread worker_;
};
