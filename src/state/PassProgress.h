#pragma once

#include <functional>
#include <string>

// Called by a long pixel pass before each row or column it works on: `step`
// counts from 1, `total` is the number of rows or columns of the pass.
using PassProgress = std::function<void(int step, int total)>;

// The status line of a long pass: "Status: 1 / 480".
inline std::string PassStatusText(int step, int total) {
  return "Status: " + std::to_string(step) + " / " + std::to_string(total);
}
