#pragma once

#include <string>
#include <vector>

#include "devset/DevSet.h"
#include "extract/thorough/ThoroughSearch.h"

// Small pictures of the development set and how well found centres match
// their truth, for the tests of the thorough mode.

// The development set's picture `name`, drawn at `width` x `height`.
devset::DevPicture SmallDevPicture(const std::string& name, int width, int height);

// The unit rectangle's pixels.
Bitmap UnitOf(const devset::DevPicture& picture);

struct MatchFigures {
  double recall = 0;
  double precision = 0;
  double rms = 0;  // distance to the true ink centres, pixels
};

// Pairs found centres with true ink centres, nearest first, within `radius`.
MatchFigures CompareWithTruth(const devset::DevPicture& picture, const std::vector<ThoroughPoint>& found,
                              double radius);

// A ThoroughObserver that records what it is told and can ask to stop.
class RecordingObserver : public ThoroughObserver {
 public:
  std::vector<int> rows;
  std::vector<ThoroughStage> stages;
  int pendingCalls = 0;
  int stopAfterCalls = -1;  // ask to stop from this many message handlings on

  void rowStarted(int y, int) override { rows.push_back(y); }
  void stageStarted(ThoroughStage stage) override { stages.push_back(stage); }
  void handlePendingMessages() override { ++pendingCalls; }
  bool stopRequested() const override { return stopAfterCalls >= 0 && pendingCalls >= stopAfterCalls; }
};
