#include "extract/thorough/ThoroughSearch.h"

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
  if (!cleaned) return false;
  s.setTemplate(std::move(*cleaned));
  return true;
}

ThoroughResult Run(SearchState& s) {
  ThoroughResult result;
  if (s.unit.empty() || s.width <= 0 || s.height <= 0) return result;
  ScoreMap map(s);
  if (!map.score()) return Stopped(s);
  std::vector<Candidate> candidates = map.peaks();
  if (CleanTemplate(s, candidates)) {
    if (!map.score()) return Stopped(s);
    candidates = map.peaks();
  }
  s.observer.stageStarted(ThoroughStage::Matching);
  if (!s.lanes.each(static_cast<int>(candidates.size()), [&](int i, int lane) {
        RefineCandidate(s, candidates[static_cast<std::size_t>(i)]);
        return s.keepGoing(lane, s.scoreWork() * 8);
      }))
    return Stopped(s);
  // Accepted leniently first, while touching neighbours are not explained
  // yet; then pruned in full, the phases drawn from the clear symbols, the
  // candidates taken again against what the detections explain, and pruned
  // once more.
  if (!AcceptCandidates(s, candidates, Surround::Lenient)) return Stopped(s);
  s.observer.stageStarted(ThoroughStage::Finalizing);
  if (!Prune(s)) return Stopped(s);
  if (!SharpenTemplate(s)) return Stopped(s);
  if (!LookAround(s, candidates)) return Stopped(s);
  std::vector<Position> strong;
  for (const Candidate& c : candidates) {
    if (c.score >= s.tuning.accept) strong.push_back(c.at);
  }
  if (!AcceptCandidates(s, std::move(candidates), Surround::Judged)) return Stopped(s);
  if (!Prune(s)) return Stopped(s);
  std::vector<Rect> otherKinds;
  if (!RejectOtherKinds(s, strong, otherKinds)) return Stopped(s);
  // Where the detections leave ink unexplained, several placements fitted
  // at once; what that adds or moves is pruned in turn.
  if (!ResolveOverlaps(s, otherKinds)) return Stopped(s);
  if (!Prune(s, true)) return Stopped(s);
  if (!RefinedCentres(s, result.points)) return Stopped(s);
  SortInReadingOrder(result.points);
  return result;
}

}  // namespace

ThoroughResult FindSymbolsThorough(const Bitmap& picture, const Bitmap& unit, ThoroughObserver& observer,
                                   const ThoroughOptions& options) {
  SearchState state(picture, unit, observer, options);
  return Run(state);
}
