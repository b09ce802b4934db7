#include "extract/ScanOptionSets.h"

std::vector<ScanOptions> EveryScanOptionSet() {
  std::vector<ScanOptions> sets;
  for (const bool thread : {true, false}) {
    for (const bool simd : {true, false}) {
      ScanOptions o;
      o.useWorkerThread = thread;
      o.useSimd = simd;
      o.messageInterval = std::chrono::microseconds(0);
      o.workUnitsPerClockRead = thread ? 1 : 50;
      sets.push_back(o);
    }
  }
  return sets;
}
