#pragma once

#include <cstddef>
#include <functional>

// Runs `work` on `threads` threads at once, the caller's among them, and
// waits until every one has returned. Where fewer threads can be had, fewer
// run it: `work` should take its items from a shared counter, so that any
// number of runs does them all. For several whole runs side by side (a batch);
// work split within one run goes through WorkLanes.
void RunOnThreads(std::size_t threads, const std::function<void()>& work);
