#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "threads/RunOnThreads.h"
#include "threads/WorkLanes.h"

namespace {

// A few microseconds of work, so that both lanes are busy at once.
void Busy() {
  volatile int sink = 0;
  for (int k = 0; k < 2000; ++k) sink = sink + k;
}

// Every item exactly once, on either lane, over many short runs of one set of
// lanes (the worker waits between runs), and only lane 0 without a worker.
TEST(WorkLanes, DoesEveryItemOnceWhicheverLaneTakesIt) {
  for (const bool worker : {true, false}) {
    const WorkLanes lanes(worker);
    int workerItems = 0;
    for (int count : {0, 1, 2, 3, 17, 1000}) {
      for (int run = 0; run < 20; ++run) {
        std::vector<std::atomic<int>> done(static_cast<std::size_t>(count));
        std::atomic<int> onWorker{0};
        EXPECT_TRUE(lanes.each(count, [&](int i, int lane) {
          Busy();
          done[static_cast<std::size_t>(i)]++;
          if (lane == 1) onWorker++;
        }));
        for (int i = 0; i < count; ++i) {
          ASSERT_EQ(done[static_cast<std::size_t>(i)], 1) << count << " " << i;
        }
        workerItems += onWorker;
      }
    }
    // Without a worker lane 0 does all; with one, the worker really shared.
    if (worker) {
      EXPECT_GT(workerItems, 0);
    } else {
      EXPECT_EQ(workerItems, 0);
    }
  }
}

// Lane 0 stopping ends the run: false, and after the item each lane is on,
// no item is taken any more.
TEST(WorkLanes, StopsWhenLaneZeroSaysSo) {
  const WorkLanes lanes(true);
  std::atomic<int> taken{0};
  const bool finished = lanes.each(100000, [&](int, int lane) {
    const int n = ++taken;
    return !(lane == 0 && n >= 10);
  });
  EXPECT_FALSE(finished);
  EXPECT_LT(taken, 100000);
}

TEST(WorkLanes, AJobAsideRunsBesideTheCallerOnlyWhereAllowed) {
  const WorkLanes none(false);
  bool ran = false;
  EXPECT_FALSE(none.startAside([&] { ran = true; }));
  EXPECT_FALSE(ran);

  const WorkLanes lanes(true);
  std::atomic<int> value{0};
  ASSERT_TRUE(lanes.startAside([&] { value = 7; }));
  lanes.waitAside();
  EXPECT_EQ(value, 7);
  // The same worker takes the next job.
  ASSERT_TRUE(lanes.startAside([&] { value = 8; }));
  lanes.waitAside();
  EXPECT_EQ(value, 8);
}

TEST(RunOnThreads, SharesTheItemsOfOneCounterAmongAllThreads) {
  for (const std::size_t threads : {std::size_t{1}, std::size_t{2}, std::size_t{5}}) {
    std::atomic<int> next{0};
    std::vector<std::atomic<int>> done(500);
    RunOnThreads(threads, [&] {
      for (int i = next++; i < 500; i = next++) done[static_cast<std::size_t>(i)]++;
    });
    for (int i = 0; i < 500; ++i) {
      ASSERT_EQ(done[static_cast<std::size_t>(i)], 1) << threads;
    }
  }
}

}  // namespace
