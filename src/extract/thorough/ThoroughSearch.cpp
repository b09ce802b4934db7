#include "extract/thorough/ThoroughSearch.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <memory>
#include <queue>
#include <thread>

#include "extract/MessagePacer.h"
#include "extract/thorough/CentreRefinement.h"
#include "extract/thorough/DetectionIndex.h"
#include "extract/thorough/InkPicture.h"
#include "extract/thorough/LargerShape.h"
#include "extract/thorough/PaperModel.h"
#include "extract/thorough/SymbolKinds.h"
#include "extract/thorough/TemplateConsensus.h"
#include "extract/thorough/TwoThreads.h"

namespace {

// A position of the unshifted template's top-left pixel in eighths of a pixel.
struct Position {
  int x = 0;
  int y = 0;
};

// The whole-pixel placement and the phase of a position.
struct Placement {
  int x = 0;
  int y = 0;
  int phase = 0;
};

int FloorDiv(int a, int b) {
  return a >= 0 ? a / b : -((-a + b - 1) / b);
}

Placement PlacementOf(Position p) {
  const int x = FloorDiv(p.x - LeastPhase, PhaseSteps);
  const int y = FloorDiv(p.y - LeastPhase, PhaseSteps);
  return {x, y, PhaseIndex(p.x - x * PhaseSteps, p.y - y * PhaseSteps)};
}

struct Candidate {
  Position at;
  float score = 0;
  int scoredWith = 0;   // detections accepted when it was scored
  int order = 0;        // ties go to the earlier candidate
  bool judged = false;  // scored against the explained picture with the surround judged
};

struct CandidateOrder {
  bool operator()(const Candidate& a, const Candidate& b) const {
    if (a.score != b.score) return a.score < b.score;
    return a.order > b.order;
  }
};

// How far around a detection's box its shape is followed.
constexpr int ShapeReach = 6;

struct Detection {
  Position at;
  float score = 0;
  bool removed = false;
};

// What one thread needs for scoring against explained ink and for looking
// around a detection.
struct Scratch {
  ExplainedInk explained;
  std::vector<int> near;
  std::vector<float> residual;  // running sums, see residualSums
  int residualWidth = 1;
  std::vector<float> scores;
  std::vector<std::pair<int, Candidate>> found;  // by detection
};

class Search {
 public:
  Search(const Bitmap& picture, const Bitmap& unit, ThoroughObserver& observer,
         const ThoroughOptions& options)
      : observer_(observer),
        options_(options),
        width_(picture.width()),
        height_(picture.height()),
        paper_(picture),
        ink_(picture, paper_),
        unit_(BuildThoroughTemplate(unit, paper_, LocateUnit(picture, unit))),
        scorer_(std::make_unique<PlacementScorer>(ink_, unit_, options.tuning)),
        pacer_(observer, options.messageInterval, options.workUnitsPerClockRead),
        index_(width_, height_, unit_.width + unit_.height + 4) {}

  ThoroughResult run() {
    ThoroughResult result;
    if (unit_.empty() || width_ <= 0 || height_ <= 0) return result;
    if (!scorePlacements()) return stoppedResult();
    std::vector<Candidate> candidates = localMaxima();
    if (cleanTemplate(candidates)) {
      if (!scorePlacements()) return stoppedResult();
      candidates = localMaxima();
    }
    observer_.stageStarted(ThoroughStage::Matching);
    const std::int64_t scoreWork = static_cast<std::int64_t>(unit_.phases[0].ink.size());
    if (!onBothThreads(static_cast<int>(candidates.size()), scoreWork * 8,
                       [&](int i, Scratch&) { refine(candidates[static_cast<std::size_t>(i)]); }))
      return stoppedResult();
    // Accepted leniently first, while touching neighbours are not explained
    // yet; then pruned in full, the candidates taken again against what the
    // detections explain, and pruned once more.
    if (!acceptCandidates(candidates, Surround::Lenient)) return stoppedResult();
    observer_.stageStarted(ThoroughStage::Finalizing);
    if (!prune()) return stoppedResult();
    if (!lookAround(candidates)) return stoppedResult();
    for (const Candidate& c : candidates) {
      if (c.score >= options_.tuning.accept) strongCandidates_.push_back(c.at);
    }
    if (!acceptCandidates(std::move(candidates), Surround::Judged)) return stoppedResult();
    if (!prune()) return stoppedResult();
    if (!rejectOtherKinds()) return stoppedResult();
    std::vector<ThoroughPoint> centres(detections_.size());
    if (!onBothThreads(static_cast<int>(detections_.size()), scoreWork * 16, [&](int i, Scratch& scratch) {
          if (!detections_[static_cast<std::size_t>(i)].removed) {
            centres[static_cast<std::size_t>(i)] = refinedCentre(i, scratch);
          }
        }))
      return stoppedResult();
    for (std::size_t i = 0; i < detections_.size(); ++i) {
      if (!detections_[i].removed) result.points.push_back(centres[i]);
    }
    SortInReadingOrder(result.points);
    return result;
  }

  // Calls work(i, scratch) for every i from 0 to count - 1, on this thread
  // and (when allowed) a worker, each with its own scratch; this thread
  // handles the pending messages. False when stopped.
  template <typename Work>
  bool onBothThreads(int count, std::int64_t unitsEach, Work&& work) {
    std::atomic<int> next{0};
    std::atomic<bool> cancel{false};
    std::thread worker;
    if (options_.useWorkerThread && count > 1) {
      worker = std::thread([&] {
        for (int i = next++; i < count && !cancel; i = next++) work(i, workerScratch_);
      });
    }
    bool stopped = false;
    for (int i = next++; i < count; i = next++) {
      work(i, scratch_);
      pacer_.spend(unitsEach);
      if (pacer_.checkpoint()) {
        stopped = true;
        break;
      }
    }
    cancel = true;
    if (worker.joinable()) worker.join();
    return !stopped;
  }

 private:
  Rect boxOf(Position p) const {
    const Placement at = PlacementOf(p);
    return {at.x - 1, at.y - 1, at.x + unit_.width + 1, at.y + unit_.height + 1};
  }
  static Rect Widened(const Rect& r, int by) {
    return {r.Left - by, r.Top - by, r.Right + by, r.Bottom + by};
  }

  ThoroughPoint roughCentre(const Detection& d) const {
    return {d.at.x / static_cast<double>(PhaseSteps) + unit_.centreX,
            d.at.y / static_cast<double>(PhaseSteps) + unit_.centreY, d.score};
  }

  static void SortInReadingOrder(std::vector<ThoroughPoint>& points) {
    std::stable_sort(points.begin(), points.end(), [](const ThoroughPoint& a, const ThoroughPoint& b) {
      const double ra = std::floor(a.y + 0.5);
      const double rb = std::floor(b.y + 0.5);
      if (ra != rb) return ra < rb;
      return a.x < b.x;
    });
  }

  ThoroughResult stoppedResult() const {
    ThoroughResult result;
    result.stopped = true;
    for (const Detection& d : detections_) {
      if (!d.removed) result.points.push_back(roughCentre(d));
    }
    SortInReadingOrder(result.points);
    return result;
  }

  float scoreAt(Position p, const ExplainedInk* explained, float floor, Surround surround) const {
    const Placement at = PlacementOf(p);
    return scorer_->score(at.x, at.y, at.phase, explained, floor, surround);
  }

  // ---- Every placement's score ----------------------------------------

  int mapLeft() const { return -(unit_.width + 1); }
  int mapTop() const { return -(unit_.height + 1); }
  int mapWidth() const { return width_ + unit_.width + 2; }
  int mapHeight() const { return height_ + unit_.height + 2; }
  float* mapRow(int y) {
    return map_.get() + static_cast<std::size_t>(y - mapTop()) * static_cast<std::size_t>(mapWidth()) -
           mapLeft();
  }
  // A row of the map that no placement was scored in holds no score; its
  // memory is never touched.
  bool rowScored(int y) const {
    return y >= mapTop() && y < mapTop() + mapHeight() && rowScored_[static_cast<std::size_t>(y - mapTop())];
  }

  // Scores one row of whole-pixel placements of the unshifted template, the
  // surround not judged; `columns` holds the ink of each column over the
  // rows the placements cover. Returns the work done. Runs on either thread.
  std::int64_t scoreRow(int y, const std::vector<std::uint32_t>& columns) {
    const float total = unit_.phases[0].totalLength;
    const ThoroughTuning& t = options_.tuning;
    // Judged ink found can be no more than the box's ink.
    const float boundShare = t.candidate * t.evidence;
    const bool rowInside = y >= 1 && y + unit_.height + 1 <= height_;
    // A row of placements over blank paper is done at once.
    if (std::all_of(columns.begin(), columns.end(), [](std::uint32_t c) { return c == 0; }))
      return width_ / 8;
    std::int64_t work = mapWidth();
    const int scoreWork = static_cast<int>(unit_.phases[0].ink.size());
    // The box of placement x spans columns x - 1 .. x + width: a running sum.
    const int span = unit_.width + 2;
    std::uint32_t box = 0;
    float* row = nullptr;
    for (int x = mapLeft(); x < mapLeft() + mapWidth(); ++x) {
      const int enter = x + span - 2;
      const int leave = x - 2;
      if (enter >= 0 && enter < width_) box += columns[static_cast<std::size_t>(enter)];
      if (leave >= 0 && leave < width_) box -= columns[static_cast<std::size_t>(leave)];
      if (box == 0) continue;
      const bool inside = rowInside && x >= 1 && x + unit_.width + 1 <= width_;
      const float insideLength = inside ? total : scorer_->insideLength(x, y);
      if (insideLength < t.inside * total) continue;
      if (static_cast<float>(box) < boundShare * insideLength) continue;
      if (row == nullptr) {
        row = mapRow(y);
        std::fill(row + mapLeft(), row + mapLeft() + mapWidth(), PlacementScorer::NoScore);
      }
      row[x] = scorer_->score(x, y, 0, nullptr, t.candidate, Surround::Ignored);
      work += scoreWork;
    }
    rowScored_[static_cast<std::size_t>(y - mapTop())] = row != nullptr ? 1 : 0;
    return work;
  }

  // Rows of placements scored together, the column sums of one carried to
  // the next.
  static constexpr int ChunkRows = 48;

  // Scores the rows of chunk `chunk`; on the calling thread (`reporting`)
  // the rows are reported and the messages handled. False when stopped or
  // cancelled.
  bool scoreChunk(int chunk, std::vector<std::uint32_t>& columns, bool reporting,
                  const std::atomic<bool>& cancel) {
    const int first = mapTop() + chunk * ChunkRows;
    const int end = std::min(first + ChunkRows, mapTop() + mapHeight());
    // Placement row y covers picture rows y - 1 .. y + height.
    ink_.columnSums(first - 1, first + unit_.height + 1, columns);
    for (int y = first; y < end; ++y) {
      if (y > first) {
        ink_.addRow(y + unit_.height, columns);
        ink_.takeRow(y - 2, columns);
      }
      if (!reporting) {
        if (cancel) return false;
        scoreRow(y, columns);
        continue;
      }
      if (y >= 0 && y < height_) observer_.rowStarted(y, height_);
      pacer_.readClockSoon();
      pacer_.spend(scoreRow(y, columns));
      if (pacer_.checkpoint()) return false;
    }
    return true;
  }

  // False when stopped.
  bool scorePlacements() {
    const std::size_t size = static_cast<std::size_t>(mapWidth()) * static_cast<std::size_t>(mapHeight());
    if (!map_) map_ = std::make_unique_for_overwrite<float[]>(size);
    rowScored_.assign(static_cast<std::size_t>(mapHeight()), 0);
    const int chunks = (mapHeight() + ChunkRows - 1) / ChunkRows;
    std::atomic<int> nextChunk{0};
    std::atomic<bool> cancel{false};
    std::thread worker;
    if (options_.useWorkerThread) {
      worker = std::thread([&] {
        std::vector<std::uint32_t> columns;
        for (int c = nextChunk++; c < chunks && scoreChunk(c, columns, false, cancel); c = nextChunk++) {
        }
      });
    }
    bool stopped = false;
    std::vector<std::uint32_t> columns;
    for (int c = nextChunk++; c < chunks; c = nextChunk++) {
      if (!scoreChunk(c, columns, true, cancel)) {
        stopped = true;
        break;
      }
    }
    // The worker finishes the chunk it is on unless the search stopped.
    cancel = stopped;
    if (worker.joinable()) worker.join();
    return !stopped;
  }

  // ---- Candidates --------------------------------------------------------

  std::vector<Candidate> localMaxima() {
    const int top = mapTop();
    const int bottom = mapTop() + mapHeight();
    // The rows in two halves, each on a thread, joined in order.
    std::array<std::vector<Candidate>, 2> halves;
    OnTwoThreads(bottom - top, [&](int first, int end) {
      std::vector<Candidate>& out = halves[first == 0 ? 0 : 1];
      for (int y = top + first; y < top + end; ++y) maximaOfRow(y, out);
    });
    std::vector<Candidate> out = std::move(halves[0]);
    out.insert(out.end(), halves[1].begin(), halves[1].end());
    for (std::size_t i = 0; i < out.size(); ++i) out[i].order = static_cast<int>(i);
    return out;
  }

  void maximaOfRow(int y, std::vector<Candidate>& out) {
    if (!rowScored(y)) return;
    const float least = options_.tuning.candidate;
    const int left = mapLeft();
    const int right = mapLeft() + mapWidth();
    const float* rows[3] = {rowScored(y - 1) ? mapRow(y - 1) : nullptr, mapRow(y),
                            rowScored(y + 1) ? mapRow(y + 1) : nullptr};
    for (int x = left; x < right; ++x) {
      const float s = rows[1][x];
      if (s < least) continue;
      bool peak = true;
      for (int dy = -1; dy <= 1 && peak; ++dy) {
        const float* row = rows[dy + 1];
        if (row == nullptr) continue;
        for (int dx = -1; dx <= 1 && peak; ++dx) {
          const int nx = x + dx;
          if ((dx == 0 && dy == 0) || nx < left || nx >= right) continue;
          // Every point of a plateau is a peak: two symbols close together
          // can make one, and the acceptance tells them apart.
          peak = s >= row[nx];
        }
      }
      if (peak) out.push_back({{x * PhaseSteps, y * PhaseSteps}, s, 0, 0, false});
    }
  }

  // Drops the template's ink that its occurrences do not confirm; true when
  // the template changed and the placements must be scored again.
  bool cleanTemplate(const std::vector<Candidate>& candidates) {
    constexpr std::size_t MostOccurrences = 64;
    constexpr std::size_t FewestOccurrences = 5;
    std::vector<const Candidate*> order;
    for (const Candidate& c : candidates) order.push_back(&c);
    std::stable_sort(order.begin(), order.end(),
                     [](const Candidate* a, const Candidate* b) { return a->score > b->score; });
    // Distinct symbols only: no two occurrences closer than the template's size.
    std::vector<std::array<int, 2>> placements;
    for (const Candidate* c : order) {
      if (placements.size() >= MostOccurrences) break;
      const Placement at = PlacementOf(c->at);
      const bool distinct =
          std::none_of(placements.begin(), placements.end(), [&](const std::array<int, 2>& p) {
            return std::abs(p[0] - at.x) < unit_.width && std::abs(p[1] - at.y) < unit_.height;
          });
      if (distinct) placements.push_back({at.x, at.y});
    }
    if (placements.size() < FewestOccurrences) return false;
    const std::vector<char> keep = ConfirmedPixels(ink_, unit_, placements, options_.tuning.confirm);
    float dropped = 0;
    float total = 0;
    for (std::size_t i = 0; i < keep.size(); ++i) {
      const auto& v = unit_.baseInk[i];
      const float length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
      total += length;
      if (!keep[i]) dropped += length;
    }
    if (dropped < 0.02f * total) return false;
    ThoroughTemplate cleaned = WithoutPixels(unit_, keep);
    if (cleaned.empty()) return false;
    unit_ = std::move(cleaned);
    scorer_ = std::make_unique<PlacementScorer>(ink_, unit_, options_.tuning);
    return true;
  }

  // Moves a position to a better one nearby, one coordinate at a time, in
  // steps of `first` eighths of a pixel halved down to the smallest phase
  // step. Returns the score there.
  float improve(Position& at, float score, int first, const ExplainedInk* explained,
                Surround surround) const {
    const int finest = unit_.phases.size() > 1 ? 1 : PhaseSteps;
    for (int step = first; step >= finest; step /= 2) {
      for (int axis = 0; axis < 2; ++axis) {
        for (const int sign : {-1, 1}) {
          Position next = at;
          (axis == 0 ? next.x : next.y) += sign * step;
          const float s = scoreAt(next, explained, score, surround);
          if (s > score) {
            score = s;
            at = next;
            break;
          }
        }
      }
    }
    return score;
  }

  // From the map's whole-pixel peak to the best fraction of a pixel.
  void refine(Candidate& c) const {
    c.score = improve(c.at, c.score, PhaseSteps / 2, nullptr, Surround::Ignored);
  }

  // ---- Acceptance --------------------------------------------------------

  // The ink of the detections meeting `box`, except `skip`.
  void explainAround(const Rect& box, int skip, ExplainedInk& explained, std::vector<int>& near) const {
    explained.reset(box.Left, box.Top, box.width(), box.height());
    index_.near(box, near);
    for (const int id : near) {
      const Detection& d = detections_[static_cast<std::size_t>(id)];
      if (id == skip || d.removed || !BoxesMeet(boxOf(d.at), box)) continue;
      const Placement at = PlacementOf(d.at);
      explained.add(unit_.phases[static_cast<std::size_t>(at.phase)], at.x, at.y);
    }
  }

  // The best position within about a pixel of `at` against the ink that the
  // detections other than `skip` leave unexplained.
  Candidate bestNear(Position at, int skip, Surround surround, Scratch& scratch) const {
    explainAround(Widened(boxOf(at), 2), skip, scratch.explained, scratch.near);
    Candidate best;
    best.at = at;
    best.score = improve(best.at, scoreAt(at, &scratch.explained, PlacementScorer::NoScore, surround),
                         PhaseSteps, &scratch.explained, surround);
    return best;
  }

  // The score at `at` itself against what the others leave, searching nearby
  // only when that fails.
  float scoreGivenOthers(int id, Scratch& scratch) const {
    const Position at = detections_[static_cast<std::size_t>(id)].at;
    explainAround(Widened(boxOf(at), 2), id, scratch.explained, scratch.near);
    const float here = scoreAt(at, &scratch.explained, PlacementScorer::NoScore, Surround::Judged);
    if (here >= options_.tuning.accept) return here;
    return bestNear(at, id, Surround::Judged, scratch).score;
  }

  bool sameAsAccepted(Position at, const std::vector<int>& near) const {
    for (const int id : near) {
      const Detection& d = detections_[static_cast<std::size_t>(id)];
      if (d.removed) continue;
      const int dx = at.x - d.at.x;
      const int dy = at.y - d.at.y;
      if (dx * dx + dy * dy <= PhaseSteps * PhaseSteps) return true;
    }
    return false;
  }

  bool acceptCandidates(std::vector<Candidate> candidates, Surround surround) {
    const ThoroughTuning& t = options_.tuning;
    for (Candidate& c : candidates) {
      c.judged = false;
      c.scoredWith = 0;
    }
    std::priority_queue<Candidate, std::vector<Candidate>, CandidateOrder> queue(CandidateOrder{},
                                                                                 std::move(candidates));
    std::vector<int> near;
    while (!queue.empty()) {
      pacer_.spend(16);
      if (pacer_.checkpoint()) return false;
      Candidate c = queue.top();
      queue.pop();
      const Rect reach = Widened(boxOf(c.at), 1);
      index_.near(reach, near);
      if (sameAsAccepted(c.at, near)) continue;
      bool touched = false;
      for (const int id : near) {
        const Detection& d = detections_[static_cast<std::size_t>(id)];
        touched = touched || (id >= c.scoredWith && !d.removed && BoxesMeet(boxOf(d.at), reach));
      }
      if (!touched && !c.judged) {
        // Nothing accepted around it: where the first scan put it, it
        // usually passes as it is.
        const float here = scoreAt(c.at, nullptr, PlacementScorer::NoScore, surround);
        pacer_.spend(static_cast<std::int64_t>(unit_.phases[0].ink.size()));
        if (here >= t.accept) {
          c.score = here;
          c.scoredWith = static_cast<int>(detections_.size());
          c.judged = true;
          queue.push(c);
          continue;
        }
      }
      if (touched || !c.judged) {
        // Scored again in full, against what the accepted symbols leave.
        const Candidate again = bestNear(c.at, -1, surround, scratch_);
        pacer_.spend(static_cast<std::int64_t>(unit_.phases[0].ink.size()) * 16);
        c.at = again.at;
        c.score = again.score;
        c.scoredWith = static_cast<int>(detections_.size());
        c.judged = true;
        if (c.score >= t.accept) queue.push(c);
        continue;
      }
      const int id = static_cast<int>(detections_.size());
      detections_.push_back({c.at, c.score, false});
      index_.add(id, boxOf(c.at));
    }
    return true;
  }

  // A symbol overlapping a detection can hide in the first scan: where two
  // overlap, placements between them score as well as either. Around every
  // detection the placements are scored again against what the detections
  // leave unexplained, and the peaks become candidates too; the detections
  // are shared between this thread and a worker. False when stopped.
  bool lookAround(std::vector<Candidate>& candidates) {
    scratch_.found.clear();
    workerScratch_.found.clear();
    const std::int64_t units = static_cast<std::int64_t>((2 * unit_.width + 1) * (2 * unit_.height + 1)) *
                               static_cast<std::int64_t>(unit_.phases[0].ink.size()) / 4;
    if (!onBothThreads(static_cast<int>(detections_.size()), units,
                       [&](int id, Scratch& scratch) { lookAroundOne(id, scratch); }))
      return false;
    // In the order of the detections, whichever thread looked.
    std::vector<std::pair<int, Candidate>> found = std::move(scratch_.found);
    found.insert(found.end(), workerScratch_.found.begin(), workerScratch_.found.end());
    std::stable_sort(found.begin(), found.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto& [id, c] : found) {
      c.order = static_cast<int>(candidates.size());
      candidates.push_back(c);
    }
    return true;
  }

  void lookAroundOne(int id, Scratch& scratch) const {
    const Detection& d = detections_[static_cast<std::size_t>(id)];
    if (d.removed) return;
    const float least = options_.tuning.accept;
    const int reachX = unit_.width;
    const int reachY = unit_.height;
    const int columns = 2 * reachX + 1;
    const int rows = 2 * reachY + 1;
    scratch.scores.assign(static_cast<std::size_t>(columns * rows), PlacementScorer::NoScore);
    const Placement home = PlacementOf(d.at);
    const Rect region{home.x - reachX - 1, home.y - reachY - 1, home.x + reachX + unit_.width + 1,
                      home.y + reachY + unit_.height + 1};
    explainAround(region, -1, scratch.explained, scratch.near);
    residualSums(region, scratch);
    // Too little unexplained ink in the whole region for any placement.
    const float fewest =
        least * options_.tuning.evidence * options_.tuning.inside * unit_.phases[0].totalLength;
    if (residualBox(scratch, 0, 0, region.width(), region.height()) < fewest) return;
    for (int j = 0; j < rows; ++j) {
      for (int i = 0; i < columns; ++i) {
        const int x = home.x - reachX + i;
        const int y = home.y - reachY + j;
        if (std::abs(x - home.x) <= 1 && std::abs(y - home.y) <= 1) continue;
        const float insideLength = scorer_->insideLength(x, y);
        if (insideLength < options_.tuning.inside * unit_.phases[0].totalLength) continue;
        // Judged ink found can be no more than the unexplained ink of the
        // template's colour in the box.
        const float bound = residualBox(scratch, x - 1 - region.Left, y - 1 - region.Top,
                                        x + unit_.width + 1 - region.Left, y + unit_.height + 1 - region.Top);
        if (bound < least * options_.tuning.evidence * insideLength) continue;
        scratch.scores[static_cast<std::size_t>(j * columns + i)] =
            scorer_->score(x, y, 0, &scratch.explained, least, Surround::Ignored);
      }
    }
    for (int j = 0; j < rows; ++j) {
      for (int i = 0; i < columns; ++i) {
        const float s = scratch.scores[static_cast<std::size_t>(j * columns + i)];
        if (s < least) continue;
        bool peak = true;
        for (int dj = -1; dj <= 1 && peak; ++dj) {
          for (int di = -1; di <= 1 && peak; ++di) {
            const int ni = i + di;
            const int nj = j + dj;
            if (ni < 0 || nj < 0 || ni >= columns || nj >= rows) continue;
            peak = s >= scratch.scores[static_cast<std::size_t>(nj * columns + ni)];
          }
        }
        if (!peak) continue;
        const Position at{(home.x - reachX + i) * PhaseSteps, (home.y - reachY + j) * PhaseSteps};
        scratch.found.push_back({id, Candidate{at, s, 0, 0, false}});
      }
    }
  }

  // Running sums of the ink along the template's colour that
  // scratch.explained leaves over `region` (which it covers), for
  // residualBox; ink of another colour counts nothing.
  void residualSums(const Rect& region, Scratch& scratch) const {
    const int w = region.width();
    const int h = region.height();
    scratch.residual.assign(static_cast<std::size_t>((w + 1) * (h + 1)), 0.0f);
    for (int j = 0; j < h; ++j) {
      float row = 0;
      for (int i = 0; i < w; ++i) {
        const int x = region.Left + i;
        const int y = region.Top + j;
        if (x >= 0 && y >= 0 && x < width_ && y < height_) {
          const std::uint32_t ink = ink_.at(x, y);
          if (ink != 0 && !(ink & InkPicture::Unjudged)) {
            const std::uint32_t left = LessExplained(ink, scratch.explained.at(x, y));
            const float r = static_cast<float>(InkRed(left));
            const float g = static_cast<float>(InkGreen(left));
            const float b = static_cast<float>(InkBlue(left));
            const std::array<float, 3>& d = unit_.meanDirection;
            const float a = r * d[0] + g * d[1] + b * d[2];
            const float ratio = options_.tuning.otherColour;
            if (a > 0 && r * r + g * g + b * b - a * a <= ratio * ratio * a * a) row += a;
          }
        }
        scratch.residual[static_cast<std::size_t>((j + 1) * (w + 1) + i + 1)] =
            scratch.residual[static_cast<std::size_t>(j * (w + 1) + i + 1)] + row;
      }
    }
    scratch.residualWidth = w + 1;
  }
  // The sum over columns left .. right - 1 and rows top .. bottom - 1 of the region.
  static float residualBox(const Scratch& scratch, int left, int top, int right, int bottom) {
    const int width = scratch.residualWidth;
    const int rows = static_cast<int>(scratch.residual.size()) / width;
    left = std::clamp(left, 0, width - 1);
    right = std::clamp(right, 0, width - 1);
    top = std::clamp(top, 0, rows - 1);
    bottom = std::clamp(bottom, 0, rows - 1);
    const auto at = [&](int i, int j) { return scratch.residual[static_cast<std::size_t>(j * width + i)]; };
    return at(right, bottom) - at(left, bottom) - at(right, top) + at(left, top);
  }

  // ---- Pruning -------------------------------------------------------------

  // Removes the worst detection that fails when all the others are taken as
  // given, again and again. False when stopped.
  bool prune() {
    const float accept = options_.tuning.accept;
    std::vector<float> scores(detections_.size(), accept);
    const std::int64_t scoreWork = static_cast<std::int64_t>(unit_.phases[0].ink.size());
    if (!onBothThreads(static_cast<int>(detections_.size()), scoreWork * 4, [&](int i, Scratch& scratch) {
          if (!detections_[static_cast<std::size_t>(i)].removed) {
            scores[static_cast<std::size_t>(i)] = scoreGivenOthers(i, scratch);
          }
        }))
      return false;
    std::vector<int> near;
    for (std::size_t round = 0; round < detections_.size(); ++round) {
      int worst = -1;
      for (std::size_t i = 0; i < detections_.size(); ++i) {
        if (detections_[i].removed || scores[i] >= accept) continue;
        if (worst < 0 || scores[i] < scores[static_cast<std::size_t>(worst)]) worst = static_cast<int>(i);
      }
      if (worst < 0) break;
      Detection& gone = detections_[static_cast<std::size_t>(worst)];
      gone.removed = true;
      const Rect box = boxOf(gone.at);
      index_.remove(worst, box);
      index_.near(box, near);
      for (const int id : near) {
        const Detection& d = detections_[static_cast<std::size_t>(id)];
        if (!d.removed && BoxesMeet(boxOf(d.at), box))
          scores[static_cast<std::size_t>(id)] = scoreGivenOthers(id, scratch_);
      }
      if (pacer_.checkpoint()) return false;
    }
    for (std::size_t i = 0; i < detections_.size(); ++i) {
      if (!detections_[i].removed) detections_[i].score = scores[i];
    }
    return true;
  }

  // ---- Larger symbols of the same colour ----------------------------------

  void removeDetection(int id) {
    Detection& d = detections_[static_cast<std::size_t>(id)];
    d.removed = true;
    index_.remove(id, boxOf(d.at));
  }

  // Removes the detections of another kind of symbol: larger symbols that
  // hold the unit's, standing alone (see LargerShape.h), and the detections
  // like a group of symbols unlike the unit's (see SymbolKinds.h). The strong
  // candidates that were not accepted show such symbols too. False when
  // stopped.
  bool rejectOtherKinds() {
    const ThoroughTuning& t = options_.tuning;
    // The detections, then the strong candidates away from them.
    std::vector<int> ids;  // the detection at each place, -1 for a candidate
    std::vector<Position> places;
    for (std::size_t i = 0; i < detections_.size(); ++i) {
      if (detections_[i].removed) continue;
      ids.push_back(static_cast<int>(i));
      places.push_back(detections_[i].at);
    }
    std::vector<int> near;
    for (const Position& c : strongCandidates_) {
      index_.near(Widened(boxOf(c), 1), near);
      if (sameAsAccepted(c, near)) continue;
      ids.push_back(-1);
      places.push_back(c);
    }
    std::vector<ShapeExcess> shapes(places.size());
    const std::int64_t work = static_cast<std::int64_t>(unit_.gridWidth() * unit_.gridHeight()) * 4;
    if (!onBothThreads(static_cast<int>(places.size()), work, [&](int k, Scratch& scratch) {
          const Position at = places[static_cast<std::size_t>(k)];
          explainAround(Widened(boxOf(at), ShapeReach), ids[static_cast<std::size_t>(k)], scratch.explained,
                        scratch.near);
          const Placement p = PlacementOf(at);
          shapes[static_cast<std::size_t>(k)] =
              MeasureShapeExcess(ink_, unit_, t, p.x, p.y, &scratch.explained);
        }))
      return false;
    std::vector<char> other(places.size(), 0);
    std::vector<char> alone(places.size(), 0);
    for (std::size_t k = 0; k < places.size(); ++k) {
      other[k] = shapes[k].judged && shapes[k].excess > t.largerShape ? 1 : 0;
      alone[k] = shapes[k].judged ? 1 : 0;
    }
    // A two-level symbol's strokes vary by a pixel from place to place; too
    // few symbols standing alone tell no kinds apart.
    const int standing = static_cast<int>(std::count(alone.begin(), alone.end(), 1));
    if (!unit_.twoLevel && standing >= 2 * t.fewestOtherKind) {
      const auto sampleOf = [&](std::size_t k, Scratch& scratch) {
        explainAround(Widened(boxOf(places[k]), ShapeReach), ids[k], scratch.explained, scratch.near);
        const ThoroughPoint c = roughCentre({places[k], 0, false});
        return InkSample(ink_, unit_, t, c.x, c.y, &scratch.explained);
      };
      std::vector<std::size_t> standingPlaces;
      for (std::size_t k = 0; k < places.size(); ++k) {
        if (alone[k]) standingPlaces.push_back(k);
      }
      std::vector<InkSample> samples(standingPlaces.size());
      if (!onBothThreads(static_cast<int>(samples.size()), work * 2, [&](int i, Scratch& scratch) {
            samples[static_cast<std::size_t>(i)] =
                sampleOf(standingPlaces[static_cast<std::size_t>(i)], scratch);
          }))
        return false;
      const std::optional<SymbolKinds> kinds = SplitKinds(samples, InkSample(unit_), t);
      if (kinds) {
        // Every detection goes with the kind it is clearly more like.
        if (!onBothThreads(static_cast<int>(places.size()), work * 2, [&](int k, Scratch& scratch) {
              const std::size_t place = static_cast<std::size_t>(k);
              if (ids[place] >= 0 && kinds->isOther(sampleOf(place, scratch), t)) other[place] = 1;
            }))
          return false;
      }
    }
    for (std::size_t k = 0; k < places.size(); ++k) {
      if (other[k] && ids[k] >= 0) removeDetection(ids[k]);
    }
    return true;
  }

  // ---- Centres ---------------------------------------------------------------

  ThoroughPoint refinedCentre(int id, Scratch& scratch) const {
    const Detection& d = detections_[static_cast<std::size_t>(id)];
    explainAround(Widened(boxOf(d.at), 1), id, scratch.explained, scratch.near);
    const Placement at = PlacementOf(d.at);
    const PhaseTemplate& phase = unit_.phases[static_cast<std::size_t>(at.phase)];
    const CentreShift shift =
        RefineCentre(ink_, unit_, phase, at.x, at.y, scratch.explained, options_.tuning);
    ThoroughPoint p = roughCentre(d);
    p.x += shift.dx;
    p.y += shift.dy;
    return p;
  }

  ThoroughObserver& observer_;
  ThoroughOptions options_;
  int width_;
  int height_;
  PaperModel paper_;
  InkPicture ink_;
  ThoroughTemplate unit_;
  std::unique_ptr<PlacementScorer> scorer_;
  MessagePacer pacer_;
  DetectionIndex index_;
  std::unique_ptr<float[]> map_;  // scores of the placements, row by row
  std::vector<char> rowScored_;
  std::vector<Detection> detections_;
  // Candidates scoring at least the acceptance share before the last acceptance.
  std::vector<Position> strongCandidates_;
  Scratch scratch_;        // this thread's
  Scratch workerScratch_;  // the worker's, while one runs
};

}  // namespace

ThoroughResult FindSymbolsThorough(const Bitmap& picture, const Bitmap& unit, ThoroughObserver& observer,
                                   const ThoroughOptions& options) {
  Search search(picture, unit, observer, options);
  return search.run();
}
