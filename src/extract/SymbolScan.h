#pragma once

#include <chrono>

#include "state/Bitmap.h"
#include "state/ScanObserver.h"

struct ScanParameters {
  double matchFraction = 0.0;   // required share of the template weight
  double templateWeight = 1.0;  // the template's summed ink
  bool strict = false;          // strict score (extra ink in light channels counts against)
};

// How the scan may use the machine; the results never depend on it.
struct ScanOptions {
  // Prepare upcoming rows (ink and candidate pixels) on a second thread.
  bool useWorkerThread = true;
  // Use the SSE2 scoring kernel where the processor has it.
  bool useSimd = true;
  // Pending messages are handled about this often.
  std::chrono::microseconds messageInterval{15000};
  // Units of work (about a nanosecond each) between two readings of the clock.
  int workUnitsPerClockRead = 4096;
};

// Finds every occurrence of `unit` (a trimmed template: its top row holds ink)
// in `picture`, in reading order, and reports each through the observer. Each
// non-white pixel not yet erased is scored with ScoreAt; a position scoring at
// least matchFraction x templateWeight (formed in long double) is accepted,
// slides right while the score rises strictly, is reported, and its template
// shape is painted white in `picture`. Nobody else may change `picture` while
// the scan runs.
void ScanForSymbols(Bitmap& picture, const Bitmap& unit, const ScanParameters& parameters,
                    ScanObserver& observer, const ScanOptions& options = {});
