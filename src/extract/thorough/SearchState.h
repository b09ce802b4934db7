#pragma once

#include <array>
#include <memory>
#include <utility>
#include <vector>

#include "extract/thorough/Detections.h"
#include "extract/thorough/InkPicture.h"
#include "extract/thorough/PaperModel.h"
#include "extract/thorough/PlacementScore.h"
#include "extract/thorough/ThoroughSearch.h"
#include "state/MessagePacer.h"
#include "threads/WorkLanes.h"

// What one lane needs for scoring against explained ink and for looking
// around a detection.
struct LaneScratch {
  ExplainedInk explained;
  std::vector<int> near;
  std::vector<float> residual;  // running sums of unexplained ink
  int residualWidth = 1;
  std::vector<float> scores;
};

// What the stages of one search work over: the picture's paper and ink, the
// template and its scorer, the detections, and the means of running (the
// lanes, their scratch, the pacer that handles messages on lane 0).
struct SearchState {
  SearchState(const Bitmap& picture, const Bitmap& unitPicture, ThoroughObserver& observer,
              const ThoroughOptions& options);

  // Replaces the template (before any detection is made).
  void setTemplate(ThoroughTemplate cleaned);

  // Spends work on lane 0 and handles the messages when due; false when the
  // user asked to stop. Other lanes go on.
  bool keepGoing(int lane, std::int64_t units) {
    if (lane != 0) return true;
    pacer.spend(units);
    return !pacer.checkpoint();
  }
  std::int64_t scoreWork() const { return static_cast<std::int64_t>(unit.phases[0].ink.size()); }

  ThoroughObserver& observer;
  const ThoroughOptions& options;
  const ThoroughTuning& tuning;
  WorkLanes lanes;
  int width;
  int height;
  PaperModel paper;
  InkPicture ink;
  ThoroughTemplate unit;
  std::unique_ptr<PlacementScorer> scorer;
  MessagePacer pacer;
  Detections detections;
  std::array<LaneScratch, WorkLanes::Count> scratch;
};
