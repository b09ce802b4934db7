#include "extract/SymbolScan.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "extract/CandidateRows.h"
#include "extract/PlacementKernel.h"
#include "extract/RowPreparer.h"
#include "extract/ScoreAt.h"
#include "extract/UnitPattern.h"
#include "state/MessagePacer.h"

namespace {

using ScoreFunction = std::int64_t (*)(const Colour*, const UnitPattern&, bool);

// Candidates are the pixels whose ink bound is not below the threshold; a
// threshold of 0 or less (or not a number) accepts every non-white pixel.
RowPreparer::Criterion CandidateCriterion(long double threshold) {
  RowPreparer::Criterion criterion;
  if (!(threshold > 0)) {
    criterion.everyNonWhite = true;
  } else if (threshold > static_cast<long double>(std::numeric_limits<std::int64_t>::max() / 2)) {
    criterion.minimumBound = std::numeric_limits<std::int64_t>::max();
  } else {
    criterion.minimumBound = static_cast<std::int64_t>(std::ceil(threshold));
  }
  return criterion;
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
        pattern_(unit, width_),
        readWidth_(UnitPattern::ReadWidth(unitWidth_)),
        score_(options.useSimd && VectorKernelAvailable() ? &PlacementScoreVector : &PlacementScorePlain),
        scoreUnits_(static_cast<std::int64_t>(pattern_.quads().size()) + 1),
        rows_(picture, ShapeOf(pattern_), CandidateCriterion(threshold_), options.useWorkerThread),
        pacer_(observer, options.messageInterval, options.workUnitsPerClockRead),
        cache_(static_cast<std::size_t>(width_ + unitWidth_), 0),
        cacheRow_(static_cast<std::size_t>(width_ + unitWidth_), -1) {}

  void run() {
    const int repaintRows = 2 * unitHeight_;
    for (int y = 0; y < height_; ++y) {
      if (observer_.stopRequested()) break;
      observer_.rowStarted(y, height_);
      pacer_.readClockSoon();
      scanRow(y);
      if (y % repaintRows == 0) {
        observer_.repaintDue();
        pacer_.readClockSoon();
      }
    }
  }

 private:
  // Scans one row; a stop ends the row early and the next row start ends the scan.
  void scanRow(int y) {
    while (!rows_.waitForRow(y, pacer_.nextHandling())) {
      if (pacer_.handleIfDue()) return;
    }
    if (!rows_.rowHasCandidates(y)) {
      pacer_.spend(rows_.wordsPerRow());
      pacer_.checkpoint();
      return;
    }
    const std::uint64_t* words = rows_.row(y);
    const Colour* colours = picture_.row(y);
    for (int w = 0; w < rows_.wordsPerRow(); ++w) {
      pacer_.spend(1);
      if (pacer_.checkpoint()) return;
      for (std::uint64_t bits = words[w]; bits != 0; bits &= bits - 1) {
        const int x = w * 64 + std::countr_zero(bits);
        pacer_.spend(1);
        if (pacer_.checkpoint()) return;
        if (IsWhite(colours[x])) continue;  // erased since the row was marked
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
    pacer_.readClockSoon();
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
    const std::int64_t score = inside(left, y) ? score_(picture_.row(y) + left, pattern_, strict_)
                                               : PlacementScoreClipped(picture_, left, y, pattern_, strict_);
    cache_[slot] = score;
    cacheRow_[slot] = y;
    return score;
  }

  // Whether the template at (left, top) lies inside the picture, and so do the
  // pixels right of it that the vector kernel reads. What runs past the end
  // of a row is read from the rows below (several on a picture narrower than
  // the reads), so the last read must still fall within the pixel array.
  bool inside(int left, int top) const {
    if (left < 0 || left + unitWidth_ > width_ || top + unitHeight_ > height_) return false;
    const std::int64_t readEnd =
        static_cast<std::int64_t>(top + unitHeight_ - 1) * width_ + left + readWidth_;
    return readEnd <= static_cast<std::int64_t>(width_) * height_;
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
  UnitPattern pattern_;
  int readWidth_;
  ScoreFunction score_;
  std::int64_t scoreUnits_;
  CandidateRows rows_;
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
