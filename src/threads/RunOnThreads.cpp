#include "threads/RunOnThreads.h"

#include <system_error>
#include <thread>
#include <vector>

void RunOnThreads(std::size_t threads, const std::function<void()>& work) {
  std::vector<std::thread> others;
  for (std::size_t k = 1; k < threads; ++k) {
    try {
      others.emplace_back(work);
    } catch (const std::system_error&) {
      break;  // no more threads to be had: the ones running share the work
    }
  }
  work();
  for (std::thread& t : others) t.join();
}
