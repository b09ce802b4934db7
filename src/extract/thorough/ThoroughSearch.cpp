#include "extract/thorough/ThoroughSearch.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <memory>
#include <queue>
#include <thread>

#include "extract/MessagePacer.h"
#include "extract/thorough/CentreRefinement.h"
#include "extract/thorough/InkPicture.h"
#include "extract/thorough/PaperModel.h"
#include "extract/thorough/TemplateConsensus.h"

namespace {

struct Placement {
  int x = 0;
  int y = 0;
  int phase = 0;
};

struct Candidate {
  Placement at;
  float score = 0;
  int scoredWith = 0;   // detections accepted when it was scored
  int order = 0;        // ties go to the earlier candidate
  bool judged = false;  // scored with the surround judged
};

struct CandidateOrder {
  bool operator()(const Candidate& a, const Candidate& b) const {
    if (a.score != b.score) return a.score < b.score;
    return a.order > b.order;
  }
};

struct Detection {
  Placement at;
  float score = 0;
  bool removed = false;
};

// Accepted detections by the grid cells their boxes touch.
class DetectionIndex {
 public:
  DetectionIndex(int width, int height, int cell)
      : cell_(std::max(cell, 1)),
        columns_((width + cell_ - 1) / cell_ + 1),
        rows_((height + cell_ - 1) / cell_ + 1),
        cells_(static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_)) {}

  void add(int id, const Rect& box) {
    forCells(box, [&](std::vector<int>& c) { c.push_back(id); });
  }
  void remove(int id, const Rect& box) {
    forCells(box, [&](std::vector<int>& c) { c.erase(std::remove(c.begin(), c.end(), id), c.end()); });
  }
  // Ids whose cells meet the box, each once, in increasing order.
  void near(const Rect& box, std::vector<int>& out) {
    out.clear();
    forCells(box, [&](std::vector<int>& c) { out.insert(out.end(), c.begin(), c.end()); });
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
  }

 private:
  template <typename F>
  void forCells(const Rect& box, F&& f) {
    const int c0 = std::clamp(box.Left / cell_, 0, columns_ - 1);
    const int c1 = std::clamp((box.Right - 1) / cell_, 0, columns_ - 1);
    const int r0 = std::clamp(box.Top / cell_, 0, rows_ - 1);
    const int r1 = std::clamp((box.Bottom - 1) / cell_, 0, rows_ - 1);
    for (int r = r0; r <= r1; ++r) {
      for (int c = c0; c <= c1; ++c) f(cells_[static_cast<std::size_t>(r * columns_ + c)]);
    }
  }

  int cell_;
  int columns_;
  int rows_;
  std::vector<std::vector<int>> cells_;
};

bool Meets(const Rect& a, const Rect& b) {
  return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

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
        index_(std::max(width_, 1), std::max(height_, 1), unit_.width + unit_.height + 4) {}

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
    for (Candidate& c : candidates) {
      refinePhase(c);
      pacer_.spend(static_cast<std::int64_t>(unit_.phases[0].ink.size()) * 4);
      if (pacer_.checkpoint()) return stoppedResult();
    }
    if (!acceptCandidates(std::move(candidates))) return stoppedResult();
    observer_.stageStarted(ThoroughStage::Finalizing);
    if (!prune()) return stoppedResult();
    for (std::size_t i = 0; i < detections_.size(); ++i) {
      if (detections_[i].removed) continue;
      pacer_.spend(static_cast<std::int64_t>(unit_.gridWidth() * unit_.gridHeight()) * 8);
      if (pacer_.checkpoint()) return stoppedResult();
      result.points.push_back(refinedCentre(static_cast<int>(i)));
    }
    SortInReadingOrder(result.points);
    return result;
  }

 private:
  Rect boxOf(const Placement& p) const {
    return {p.x - 1, p.y - 1, p.x + unit_.width + 1, p.y + unit_.height + 1};
  }
  const PhaseTemplate& phaseOf(const Placement& p) const {
    return unit_.phases[static_cast<std::size_t>(p.phase)];
  }

  ThoroughPoint roughCentre(const Detection& d) const {
    const PhaseTemplate& phase = phaseOf(d.at);
    return {static_cast<double>(d.at.x) + phase.shiftX + unit_.centreX,
            static_cast<double>(d.at.y) + phase.shiftY + unit_.centreY, d.score};
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

  // ---- Stage 1: every placement's score -------------------------------

  int mapLeft() const { return -(unit_.width + 1); }
  int mapTop() const { return -(unit_.height + 1); }
  int mapWidth() const { return width_ + unit_.width + 2; }
  int mapHeight() const { return height_ + unit_.height + 2; }
  float& mapAt(int x, int y) {
    return map_[static_cast<std::size_t>(y - mapTop()) * static_cast<std::size_t>(mapWidth()) +
                static_cast<std::size_t>(x - mapLeft())];
  }

  // Scores one row of placements; returns the work done.
  std::int64_t scoreRow(int y) {
    const float total = unit_.phases[0].totalLength;
    const ThoroughTuning& t = options_.tuning;
    const float boundShare = t.candidate * t.evidence;
    const bool rowInside = y >= 1 && y + unit_.height + 1 <= height_;
    std::int64_t work = mapWidth();
    const int scoreWork = static_cast<int>(unit_.phases[0].ink.size());
    for (int x = mapLeft(); x < mapLeft() + mapWidth(); ++x) {
      const bool inside = rowInside && x >= 1 && x + unit_.width + 1 <= width_;
      const float insideLength = inside ? total : scorer_->insideLength(x, y);
      if (insideLength < t.inside * total) continue;
      if (static_cast<float>(scorer_->boxBound(x, y)) < boundShare * insideLength) continue;
      mapAt(x, y) = scorer_->score(x, y, 0, nullptr, t.candidate, Surround::Ignored);
      work += scoreWork;
    }
    return work;
  }

  // False when stopped.
  bool scorePlacements() {
    map_.assign(static_cast<std::size_t>(mapWidth()) * static_cast<std::size_t>(mapHeight()),
                PlacementScorer::NoScore);
    std::atomic<int> nextRow{mapTop()};
    std::atomic<bool> cancel{false};
    const int endRow = mapTop() + mapHeight();
    std::thread worker;
    if (options_.useWorkerThread) {
      worker = std::thread([&] {
        for (int y = nextRow++; y < endRow && !cancel; y = nextRow++) scoreRow(y);
      });
    }
    bool stopped = false;
    for (int y = nextRow++; y < endRow; y = nextRow++) {
      if (y >= 0 && y < height_) observer_.rowStarted(y, height_);
      pacer_.readClockSoon();
      pacer_.spend(scoreRow(y));
      if (pacer_.checkpoint()) {
        stopped = true;
        break;
      }
    }
    cancel = true;
    if (worker.joinable()) worker.join();
    return !stopped;
  }

  // ---- Stage 2: candidates ---------------------------------------------

  std::vector<Candidate> localMaxima() {
    std::vector<Candidate> out;
    const float least = options_.tuning.candidate;
    for (int y = mapTop(); y < mapTop() + mapHeight(); ++y) {
      for (int x = mapLeft(); x < mapLeft() + mapWidth(); ++x) {
        const float s = mapAt(x, y);
        if (s < least) continue;
        bool peak = true;
        for (int dy = -1; dy <= 1 && peak; ++dy) {
          for (int dx = -1; dx <= 1 && peak; ++dx) {
            if (dx == 0 && dy == 0) continue;
            const int nx = x + dx;
            const int ny = y + dy;
            if (nx < mapLeft() || ny < mapTop() || nx >= mapLeft() + mapWidth() ||
                ny >= mapTop() + mapHeight())
              continue;
            const float n = mapAt(nx, ny);
            const bool earlier = dy < 0 || (dy == 0 && dx < 0);
            peak = earlier ? s > n : s >= n;
          }
        }
        if (peak) out.push_back({{x, y, 0}, s, 0, static_cast<int>(out.size())});
      }
    }
    return out;
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
    const int apartX = unit_.width;
    const int apartY = unit_.height;
    std::vector<std::array<int, 2>> placements;
    for (const Candidate* c : order) {
      if (placements.size() >= MostOccurrences) break;
      const bool distinct =
          std::none_of(placements.begin(), placements.end(), [&](const std::array<int, 2>& p) {
            return std::abs(p[0] - c->at.x) < apartX && std::abs(p[1] - c->at.y) < apartY;
          });
      if (distinct) placements.push_back({c->at.x, c->at.y});
    }
    if (placements.size() < FewestOccurrences) return false;
    const std::vector<char> keep = ConfirmedPixels(ink_, unit_, placements, options_.tuning.confirm);
    float dropped = 0;
    float total = 0;
    for (std::size_t i = 0; i < keep.size(); ++i) {
      const auto& v = unit_.baseInk[i];
      const float len = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
      total += len;
      if (!keep[i]) dropped += len;
    }
    if (dropped < 0.02f * total) return false;
    ThoroughTemplate cleaned = WithoutPixels(unit_, keep);
    if (cleaned.empty()) return false;
    unit_ = std::move(cleaned);
    scorer_ = std::make_unique<PlacementScorer>(ink_, unit_, options_.tuning);
    return true;
  }

  // The best phase by coordinates: across first, then down; the diagonal
  // phases only when both moved.
  void refinePhase(Candidate& c) {
    if (unit_.phases.size() < 9) return;
    int bestX = 0;
    for (const int qx : {-1, 1}) {
      const float s =
          scorer_->score(c.at.x, c.at.y, PhaseIndex(unit_, qx, 0), nullptr, c.score, Surround::Ignored);
      if (s > c.score) {
        c.score = s;
        bestX = qx;
      }
    }
    int bestY = 0;
    for (const int qy : {-1, 1}) {
      const float s =
          scorer_->score(c.at.x, c.at.y, PhaseIndex(unit_, bestX, qy), nullptr, c.score, Surround::Ignored);
      if (s > c.score) {
        c.score = s;
        bestY = qy;
      }
    }
    c.at.phase = PhaseIndex(unit_, bestX, bestY);
  }

  // ---- Stage 3: acceptance ---------------------------------------------

  // The ink of the detections near `box`, except `skip`.
  void explainAround(const Rect& box, int skip) {
    explained_.reset(box.Left, box.Top, box.width(), box.height());
    index_.near(box, near_);
    for (const int id : near_) {
      const Detection& d = detections_[static_cast<std::size_t>(id)];
      if (id == skip || d.removed || !Meets(boxOf(d.at), box)) continue;
      explained_.add(phaseOf(d.at), d.at.x, d.at.y);
    }
  }

  // The best placement within a pixel of `at`, over all phases, against the
  // ink that the detections other than `skip` leave unexplained.
  Candidate bestNear(const Placement& at, int skip, Surround surround) {
    const Rect box{at.x - 2, at.y - 2, at.x + unit_.width + 2, at.y + unit_.height + 2};
    explainAround(box, skip);
    Candidate best;
    best.at = at;
    best.score = PlacementScorer::NoScore;
    const int phases = static_cast<int>(unit_.phases.size());
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; ++dx) {
        for (int p = 0; p < phases; ++p) {
          const float s =
              scorer_->score(at.x + dx, at.y + dy, p, &explained_, PlacementScorer::NoScore, surround);
          const bool home = dx == 0 && dy == 0 && p == at.phase;
          if (s > best.score || (s == best.score && home)) {
            best.score = s;
            best.at = {at.x + dx, at.y + dy, p};
          }
        }
      }
    }
    pacer_.spend(static_cast<std::int64_t>(unit_.phases[0].ink.size()) * 9 * phases);
    return best;
  }

  bool sameAsAccepted(const Placement& at, const std::vector<int>& near) const {
    const PhaseTemplate& phase = phaseOf(at);
    for (const int id : near) {
      const Detection& d = detections_[static_cast<std::size_t>(id)];
      if (d.removed) continue;
      const PhaseTemplate& other = phaseOf(d.at);
      const double dx = static_cast<double>(at.x - d.at.x) + phase.shiftX - other.shiftX;
      const double dy = static_cast<double>(at.y - d.at.y) + phase.shiftY - other.shiftY;
      if (dx * dx + dy * dy <= 1.0) return true;
    }
    return false;
  }

  bool acceptCandidates(std::vector<Candidate> candidates) {
    const ThoroughTuning& t = options_.tuning;
    std::priority_queue<Candidate, std::vector<Candidate>, CandidateOrder> queue(CandidateOrder{},
                                                                                 std::move(candidates));
    std::vector<int> near;
    while (!queue.empty()) {
      pacer_.spend(16);
      if (pacer_.checkpoint()) return false;
      Candidate c = queue.top();
      queue.pop();
      const Rect box = boxOf(c.at);
      const Rect reach{box.Left - 1, box.Top - 1, box.Right + 1, box.Bottom + 1};
      index_.near(reach, near);
      if (sameAsAccepted(c.at, near)) continue;
      bool touched = false;
      for (const int id : near) {
        touched = touched ||
                  (id >= c.scoredWith && Meets(boxOf(detections_[static_cast<std::size_t>(id)].at), reach));
      }
      if (touched || !c.judged) {
        // Scored again in full, against what the accepted symbols leave.
        const Candidate again = bestNear(c.at, -1, Surround::Lenient);
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

  // ---- Stage 4: pruning --------------------------------------------------

  float scoreGivenOthers(int id) {
    const Detection& d = detections_[static_cast<std::size_t>(id)];
    return bestNear(d.at, id, Surround::Judged).score;
  }

  bool prune() {
    const float accept = options_.tuning.accept;
    std::vector<float> scores(detections_.size());
    for (std::size_t i = 0; i < detections_.size(); ++i) {
      scores[i] = scoreGivenOthers(static_cast<int>(i));
      if (pacer_.checkpoint()) return false;
    }
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
        if (!detections_[static_cast<std::size_t>(id)].removed &&
            Meets(boxOf(detections_[static_cast<std::size_t>(id)].at), box)) {
          scores[static_cast<std::size_t>(id)] = scoreGivenOthers(id);
        }
      }
      if (pacer_.checkpoint()) return false;
    }
    for (std::size_t i = 0; i < detections_.size(); ++i) {
      if (!detections_[i].removed) detections_[i].score = scores[i];
    }
    return true;
  }

  // ---- Stage 5: centres ------------------------------------------------------

  ThoroughPoint refinedCentre(int id) {
    const Detection& d = detections_[static_cast<std::size_t>(id)];
    const Rect box = boxOf(d.at);
    explainAround({box.Left - 1, box.Top - 1, box.Right + 1, box.Bottom + 1}, id);
    const PhaseTemplate& phase = phaseOf(d.at);
    const CentreShift shift = RefineCentre(ink_, unit_, phase, d.at.x, d.at.y, explained_, options_.tuning);
    return {static_cast<double>(d.at.x) + phase.shiftX + unit_.centreX + shift.dx,
            static_cast<double>(d.at.y) + phase.shiftY + unit_.centreY + shift.dy, d.score,
            static_cast<float>(shift.misfit), static_cast<float>(shift.robustMisfit)};
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
  std::vector<float> map_;
  std::vector<Detection> detections_;
  ExplainedInk explained_;
  std::vector<int> near_;
};

}  // namespace

ThoroughResult FindSymbolsThorough(const Bitmap& picture, const Bitmap& unit, ThoroughObserver& observer,
                                   const ThoroughOptions& options) {
  Search search(picture, unit, observer, options);
  return search.run();
}
