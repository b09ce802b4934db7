#include "extract/thorough/ThoroughSearch.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "extract/thorough/Acceptance.h"
#include "extract/thorough/Centres.h"
#include "extract/thorough/LocalSearch.h"
#include "extract/thorough/LookAround.h"
#include "extract/thorough/OtherKinds.h"
#include "extract/thorough/OverlapFit.h"
#include "extract/thorough/Pruning.h"
#include "extract/thorough/ScoreMap.h"
#include "extract/thorough/SearchState.h"
#include "extract/thorough/Sharpening.h"
#include "extract/thorough/TemplateConsensus.h"

namespace {

#define DBG_STAGE(name) DebugStage(s, name)
void DebugStage(const SearchState& s, const char* name) {
  if (!std::getenv("QV_DEBUG")) return;
  int live = 0;
  for (int i = 0; i < s.detections.size(); ++i) live += s.detections[i].removed ? 0 : 1;
  static thread_local auto last = std::chrono::steady_clock::now();
  if (name[0] == '-') {
    last = std::chrono::steady_clock::now();
    return;
  }
  const auto now = std::chrono::steady_clock::now();
  std::fprintf(stderr, "stage %-12s live %d  %.3f s\n", name, live,
               std::chrono::duration<double>(now - last).count());
  last = now;
  if (const char* probe = std::getenv("QV_PROBE")) {
    double px = 0, py = 0;
    std::sscanf(probe, "%lf,%lf", &px, &py);
    for (int i = 0; i < s.detections.size(); ++i) {
      const ThoroughPoint c = RoughCentre(s, s.detections[i]);
      if (std::abs(c.x - px) < 14 && std::abs(c.y - py) < 14)
        std::fprintf(stderr, "   det %d at %.2f %.2f score %.3f %s\n", i, c.x, c.y, s.detections[i].score,
                     s.detections[i].removed ? "removed" : "");
    }
  }
}
void DebugStage0() {
  static thread_local auto first = std::chrono::steady_clock::now();
  first = std::chrono::steady_clock::now();
  static_cast<void>(first);
}
void DebugCandidates(const SearchState& s, const std::vector<Candidate>& candidates) {
  const char* probe = std::getenv("QV_PROBE");
  if (!probe) return;
  double px = 0, py = 0;
  std::sscanf(probe, "%lf,%lf", &px, &py);
  for (const Candidate& c : candidates) {
    const double x = c.at.x / 8.0 + s.unit.centreX, y = c.at.y / 8.0 + s.unit.centreY;
    if (std::abs(x - px) < 8 && std::abs(y - py) < 8)
      std::fprintf(stderr, "   cand %.2f %.2f score %.3f\n", x, y, c.score);
  }
}

// What a stopped search gives: the detections so far at their rough centres.
ThoroughResult Stopped(const SearchState& s) {
  ThoroughResult result;
  result.stopped = true;
  for (int id = 0; id < s.detections.size(); ++id) {
    if (!s.detections[id].removed) result.points.push_back(RoughCentre(s, s.detections[id]));
  }
  SortInReadingOrder(result.points);
  return result;
}

// Replaces the template's ink that its occurrences do not confirm; true when
// the template changed and the placements must be scored again.
bool CleanTemplate(SearchState& s, const std::vector<Candidate>& candidates) {
  // A unit whose ink keeps clear of the user's rectangle holds the symbol alone.
  if (!s.unit.touchesEdge) return false;
  std::vector<Occurrence> occurrences;
  occurrences.reserve(candidates.size());
  // Only placements that match the unit well are its occurrences: where
  // text or other marks outnumber the symbols, their consensus would make
  // the template one of them.
  for (const Candidate& c : candidates) {
    if (c.score < s.tuning.accept) continue;
    const Placement at = PlacementOf(c.at);
    occurrences.push_back({at.x, at.y, c.score});
  }
  std::optional<ThoroughTemplate> cleaned = ConfirmedTemplate(s.ink, s.unit, occurrences, s.tuning.confirm);
  if (std::getenv("QV_DEBUG")) {
    std::fprintf(stderr, "template %dx%d twoLevel %d, %zu candidates, cleaned %s\n", s.unit.width,
                 s.unit.height, s.unit.twoLevel ? 1 : 0, candidates.size(), cleaned ? "yes" : "no");
    const ThoroughTemplate& t = cleaned ? *cleaned : s.unit;
    for (int y = 0; y < t.height; ++y) {
      for (int x = 0; x < t.width; ++x) {
        const auto& v = t.baseInk[static_cast<std::size_t>(y * t.width + x)];
        std::fprintf(stderr, "%4.0f", std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]));
      }
      std::fprintf(stderr, "\n");
    }
  }
  if (!cleaned) return false;
  s.setTemplate(std::move(*cleaned));
  return true;
}

ThoroughResult Run(SearchState& s) {
  ThoroughResult result;
  if (s.unit.empty() || s.width <= 0 || s.height <= 0) return result;
  DBG_STAGE("-");
  ScoreMap map(s);
  if (!map.score()) return Stopped(s);
  std::vector<Candidate> candidates = map.peaks();
  if (CleanTemplate(s, candidates)) {
    if (!map.score()) return Stopped(s);
    candidates = map.peaks();
  }
  s.observer.stageStarted(ThoroughStage::Matching);
  DBG_STAGE("map");
  DebugCandidates(s, candidates);
  if (!s.lanes.each(static_cast<int>(candidates.size()), [&](int i, int lane) {
        RefineCandidate(s, candidates[static_cast<std::size_t>(i)]);
        return s.keepGoing(lane, s.scoreWork() * 8);
      }))
    return Stopped(s);
  // Accepted leniently first, while touching neighbours are not explained
  // yet; then pruned in full, the candidates taken again against what the
  // detections explain, and pruned once more.
  if (!AcceptCandidates(s, candidates, Surround::Lenient)) return Stopped(s);
  DBG_STAGE("accept1");
  s.observer.stageStarted(ThoroughStage::Finalizing);
  if (!Prune(s)) return Stopped(s);
  DBG_STAGE("prune1");
  if (std::getenv("QV_NOSHARP") == nullptr && !SharpenTemplate(s)) return Stopped(s);
  DBG_STAGE("sharpen");
  if (!LookAround(s, candidates)) return Stopped(s);
  DBG_STAGE("lookaround");
  std::vector<Position> strong;
  for (const Candidate& c : candidates) {
    if (c.score >= s.tuning.accept) strong.push_back(c.at);
  }
  if (!AcceptCandidates(s, std::move(candidates), Surround::Judged)) return Stopped(s);
  DBG_STAGE("accept2");
  if (!Prune(s)) return Stopped(s);
  DBG_STAGE("prune2");
  std::vector<Rect> otherKinds;
  if (!RejectOtherKinds(s, strong, otherKinds)) return Stopped(s);
  DBG_STAGE("kinds");
  if (std::getenv("QV_NOFIT") == nullptr) {
    if (!ResolveOverlaps(s, otherKinds)) return Stopped(s);
    DBG_STAGE("overlaps");
    if (!Prune(s, true)) return Stopped(s);
    DBG_STAGE("prune3");
  }
  if (!RefinedCentres(s, result.points)) return Stopped(s);
  DBG_STAGE("centres");
  SortInReadingOrder(result.points);
  return result;
}

}  // namespace

ThoroughResult FindSymbolsThorough(const Bitmap& picture, const Bitmap& unit, ThoroughObserver& observer,
                                   const ThoroughOptions& options) {
  DebugStage0();
  SearchState state(picture, unit, observer, options);
  return Run(state);
}
