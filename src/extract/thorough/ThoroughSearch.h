#pragma once

#include <chrono>
#include <vector>

#include "extract/thorough/PlacementScore.h"
#include "state/Bitmap.h"
#include "state/ScanObserver.h"

// A symbol found by the thorough mode: the centre of its ink in pixel
// coordinates (pixel column x spans x - 0.5 .. x + 0.5) and its score.
struct ThoroughPoint {
  double x = 0;
  double y = 0;
  float score = 0;
};

// The stages of a thorough search after the scan of the placements.
enum class ThoroughStage { Matching, Finalizing };

class ThoroughObserver : public RunMessages {
 public:
  // Placement row y of a picture `height` rows high is being scored.
  virtual void rowStarted(int y, int height) = 0;
  virtual void stageStarted(ThoroughStage stage) = 0;
};

struct ThoroughOptions {
  ThoroughTuning tuning;
  // Score the placements on a second thread as well.
  bool useWorkerThread = true;
  // Pending messages are handled about this often.
  std::chrono::microseconds messageInterval{15000};
  // Units of work (about a nanosecond each) between two readings of the clock.
  int workUnitsPerClockRead = 4096;
};

// What a search found, and whether it was stopped before its end. A stopped
// search gives the detections accepted so far.
struct ThoroughResult {
  std::vector<ThoroughPoint> points;  // in reading order of their centres
  bool stopped = false;
};

// Finds every occurrence of the unit picture's symbol in `picture`:
//  1. the paper is estimated and the ink measured against it;
//  2. the template is taken from the unit's ink (see BuildThoroughTemplate);
//  3. every placement with enough of the template inside the picture and
//     enough ink under it is scored; the local maxima scoring at least the
//     candidate share are the candidates, each at its best quarter-pixel phase;
//  4. candidates are accepted best first; one that overlaps a symbol accepted
//     since it was scored is scored again (with a small search around it)
//     against the ink the accepted symbols do not explain; one within a pixel
//     of an accepted symbol is that symbol;
//  5. each detection must pass when all the others are taken as given: the
//     worst failure is removed, again and again;
//  6. each centre is refined by a least-squares shift of the template against
//     the ink the other detections leave.
ThoroughResult FindSymbolsThorough(const Bitmap& picture, const Bitmap& unit, ThoroughObserver& observer,
                                   const ThoroughOptions& options = {});
