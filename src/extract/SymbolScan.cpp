#include "extract/SymbolScan.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "extract/InkPlane.h"
#include "extract/MessagePacer.h"
#include "extract/PlacementKernel.h"
#include "extract/RowPreparer.h"
#include "extract/RowSource.h"
#include "extract/ScoreAt.h"
#include "extract/UnitPattern.h"

namespace {

using ScoreFunction = std::int64_t (*)(const std::uint32_t*, const UnitPattern&, bool);

// The smallest whole ink sum that is not below the threshold, for the
// candidate test of RowPreparer.
std::int64_t SmallestPassingSum(long double threshold) {
  if (threshold > static_cast<long double>(std::numeric_limits<std::int64_t>::max() / 2)) {
    return std::numeric_limits<std::int64_t>::max();
  }
  return static_cast<std::int64_t>(std::ceil(threshold));
}

RowPreparer::UnitShape ShapeOf(const UnitPattern& pattern) {
  RowPreparer::UnitShape shape;
  shape.width = pattern.width();
  shape.height = pattern.height();
  shape.hasAnchor = !pattern.anchors().empty();
  if (shape.hasAnchor) {
    shape.firstAnchor = pattern.anchors().front();
    shape.lastAnchor = pattern.anchors().back();
  }
  return shape;
}

class FastScan {
 public:
  FastScan(Bitmap& picture, const Bitmap& unit, const ScanParameters& parameters, ScanObserver& observer,
           const ScanOptions& options)
      : picture_(picture),
        observer_(observer),
        width_(picture.width()),
        height_(picture.height()),
        unitWidth_(unit.width()),
        unitHeight_(unit.height()),
        strict_(parameters.strict),
        threshold_(static_cast<long double>(parameters.matchFraction) *
                   static_cast<long double>(parameters.templateWeight)),
        plane_(width_, height_, unitWidth_ - 1, UnitPattern::ReadWidth(unitWidth_), unitHeight_ - 1),
        pattern_(unit, plane_.stride()),
        score_(options.useSimd && VectorKernelAvailable() ? &PlacementScoreVector : &PlacementScorePlain),
        scoreUnits_(
            static_cast<std::int64_t>(options.useSimd ? pattern_.quads().size() : pattern_.pixels().size()) +
            1),
        preparer_(picture, plane_, ShapeOf(pattern_), !(threshold_ > 0),
                  threshold_ > 0 ? SmallestPassingSum(threshold_) : 0),
        rows_(preparer_, height_, options.useWorkerThread),
        pacer_(observer, options.messageInterval, options.workUnitsPerClockRead),
        cache_(static_cast<std::size_t>(width_ + unitWidth_), 0),
        cacheRow_(static_cast<std::size_t>(width_ + unitWidth_), -1) {}

  void run() {
    const int repaintRows = 2 * unitHeight_;
    for (int y = 0; y < height_; ++y) {
      if (observer_.stopRequested()) break;
      observer_.rowStarted(y, height_);
      scanRow(y);
      if (y % repaintRows == 0) observer_.repaintDue();
    }
  }

 private:
  // Scans one row; a stop ends the row early and the next row start ends the scan.
  void scanRow(int y) {
    while (!rows_.waitForRow(y, pacer_.nextHandling())) {
      if (pacer_.handleIfDue()) return;
    }
    const std::uint64_t* words = preparer_.candidates(y);
    const std::uint32_t* inks = plane_.at(0, y);
    for (int w = 0; w < preparer_.wordsPerRow(); ++w) {
      pacer_.spend(1);
      if (pacer_.checkpoint()) return;
      for (std::uint64_t bits = words[w]; bits != 0; bits &= bits - 1) {
        const int x = w * 64 + std::countr_zero(bits);
        pacer_.spend(1);
        if (pacer_.checkpoint()) return;
        if (inks[x] == 0) continue;  // erased since the row was prepared
        if (!tryAcceptAt(x, y)) return;
      }
    }
  }

  // Scores the candidate at (x, y); on acceptance slides, reports and erases.
  // False when a stop arrived while erasing.
  bool tryAcceptAt(int x, int y) {
    ScoreResult best = scoreAt(x, y);
    if (threshold_ > static_cast<long double>(best.score)) return true;
    int x2 = x;
    while (x2 < width_ - 1) {
      const ScoreResult next = scoreAt(x2 + 1, y);
      if (next.score <= best.score) break;
      ++x2;
      best = next;
    }
    observer_.pointFound(x2, y, best.anchor);
    return erase(x2 - best.anchor, y);
  }

  ScoreResult scoreAt(int x, int y) {
    ScoreResult best;
    for (const int anchor : pattern_.anchors()) {
      const std::int64_t score = placementScore(x - anchor, y);
      if (score > best.score) best = {score, anchor};
    }
    return best;
  }

  // Placement scores are kept for the current row until an erasure touches them.
  std::int64_t placementScore(int left, int y) {
    const std::size_t slot = static_cast<std::size_t>(left + unitWidth_ - 1);
    if (cacheRow_[slot] == y) return cache_[slot];
    pacer_.spend(scoreUnits_);
    const std::int64_t score = score_(plane_.at(left, y), pattern_, strict_);
    cache_[slot] = score;
    cacheRow_[slot] = y;
    return score;
  }

  // Paints the template's non-white shape white with its left edge at column
  // `left`. False when a stop arrived before the last column.
  bool erase(int left, int y) {
    for (int i = 0; i < unitWidth_; ++i) {
      const std::vector<int>& inkRows = pattern_.inkRowsOfColumn(i);
      pacer_.spend(static_cast<std::int64_t>(inkRows.size()) + 1);
      if (pacer_.checkpoint()) return false;
      const int px = left + i;
      if (px < 0 || px >= width_) continue;
      for (const int j : inkRows) {
        const int py = y + j;
        if (py >= height_) break;
        *plane_.at(px, py) = 0;
        picture_.row(py)[px] = WhiteColour;
      }
    }
    forgetPlacements(left - unitWidth_ + 1, left + unitWidth_ - 1);
    return true;
  }

  void forgetPlacements(int fromLeft, int toLeft) {
    const int first = std::max(fromLeft, 1 - unitWidth_);
    const int last = std::min(toLeft, width_ - 1);
    for (int left = first; left <= last; ++left)
      cacheRow_[static_cast<std::size_t>(left + unitWidth_ - 1)] = -1;
  }

  Bitmap& picture_;
  ScanObserver& observer_;
  int width_;
  int height_;
  int unitWidth_;
  int unitHeight_;
  bool strict_;
  long double threshold_;
  InkPlane plane_;
  UnitPattern pattern_;
  ScoreFunction score_;
  std::int64_t scoreUnits_;
  RowPreparer preparer_;
  RowSource rows_;
  MessagePacer pacer_;
  std::vector<std::int64_t> cache_;
  std::vector<int> cacheRow_;
};

}  // namespace

void ScanForSymbols(Bitmap& picture, const Bitmap& unit, const ScanParameters& parameters,
                    ScanObserver& observer, const ScanOptions& options) {
  if (unit.empty()) return;  // nothing to look for
  FastScan scan(picture, unit, parameters, observer, options);
  scan.run();
}
