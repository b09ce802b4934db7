#pragma once

// What the benchmarks share: the runs of the detection modes on a rendered
// picture and their figures against the picture's truth.
#include <chrono>
#include <vector>

#include "devset/DevSet.h"
#include "extract/thorough/ThoroughSearch.h"

struct Found {
  double x = 0;
  double y = 0;
  float score = 0;
};

struct Figures {
  double recall = 0;
  double precision = 0;
  double rms = 0;
  double seconds = 0;
  int found = 0;
  // Recall over the symbols of which at least a tenth of the ink is not
  // covered by other symbols, and how many those are.
  double visibleRecall = 0;
  int visible = 0;
  // Of the pairs: the rms error across and down, over the pairs whose true
  // symbol shows its top or bottom rim for the latter.
  double rmsAcross = 0;
  double rmsDown = 0;
  double biasAcross = 0;  // the mean error across
  double biasDown = 0;    // the mean error down where rmsDown is measured
  double f1() const { return recall + precision > 0 ? 2 * recall * precision / (recall + precision) : 0; }
};

using Clock = std::chrono::steady_clock;

class Quiet final : public ThoroughObserver {
 public:
  void rowStarted(int, int) override {}
  void stageStarted(ThoroughStage) override {}
  void handlePendingMessages() override {}
  bool stopRequested() const override { return false; }
};

Bitmap UnitOf(const devset::DevPicture& p);

// Pairs found points with true ink centres, nearest first, within `radius`.
// An optional true point (the legend's sample) counts neither way: missing
// it is no miss, and the point paired with it is not counted as found.
// With `detail`, every miss and every extra point is printed.
Figures Compare(const devset::DevPicture& p, const std::vector<Found>& found, double radius, bool detail,
                const char* mode);

double Seconds(Clock::time_point from);
std::vector<Found> RunDefault(const Bitmap& picture, const Bitmap& unit, double& seconds);
std::vector<Found> RunThorough(const Bitmap& picture, const Bitmap& unit, double& seconds);
