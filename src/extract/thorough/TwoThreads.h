#pragma once

#include <thread>

// Calls work(begin, end) for the two halves of 0 .. count - 1, the second
// half on a thread of its own; both are done when it returns. Small counts
// stay on the calling thread.
template <typename Work>
void OnTwoThreads(int count, Work&& work, int least = 64) {
  if (count < least) {
    work(0, count);
    return;
  }
  const int half = count / 2;
  std::thread second([&] { work(half, count); });
  work(0, half);
  second.join();
}
