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
#include "extract/thorough/ThoroughStages.h"

ThoroughResult StoppedResult(const SearchState& s) {
  ThoroughResult result;
  result.stopped = true;
  for (int id = 0; id < s.detections.size(); ++id) {
    if (!s.detections[id].removed) result.points.push_back(RoughCentre(s, s.detections[id]));
  }
  SortInReadingOrder(result.points);
  return result;
}

namespace {

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

}  // namespace

bool FindDetections(SearchState& s, std::vector<Rect>& otherKinds) {
  ScoreMap map(s);
  if (!map.score()) return false;
  std::vector<Candidate> candidates = map.peaks();
  if (CleanTemplate(s, candidates)) {
    if (!map.score()) return false;
    candidates = map.peaks();
  }
  s.observer.stageStarted(ThoroughStage::Matching);
  if (!s.lanes.each(static_cast<int>(candidates.size()), [&](int i, int lane) {
        RefineCandidate(s, candidates[static_cast<std::size_t>(i)]);
        return s.keepGoing(lane, s.scoreWork() * 8);
      }))
    return false;
  // Accepted leniently first, while touching neighbours are not explained
  // yet; then pruned in full, the phases drawn from the clear symbols, the
  // candidates taken again against what the detections explain, and pruned
  // once more.
  if (!AcceptCandidates(s, candidates, Surround::Lenient)) return false;
  s.observer.stageStarted(ThoroughStage::Finalizing);
  if (!Prune(s)) return false;
  if (!SharpenTemplate(s)) return false;
  if (!LookAround(s, candidates)) return false;
  std::vector<Position> strong;
  for (const Candidate& c : candidates) {
    if (c.score >= s.tuning.accept) strong.push_back(c.at);
  }
  if (!AcceptCandidates(s, std::move(candidates), Surround::Judged)) return false;
  if (!Prune(s)) return false;
  return RejectOtherKinds(s, strong, otherKinds);
}

bool FinishDetections(SearchState& s, const std::vector<Rect>& otherKinds,
                      std::vector<ThoroughPoint>& points) {
  // Where the detections leave ink unexplained, several placements fitted
  // at once; what that adds or moves is pruned in turn.
  if (!ResolveOverlaps(s, otherKinds)) return false;
  if (!Prune(s, true)) return false;
  if (!RefinedCentres(s, points)) return false;
  SortInReadingOrder(points);
  return true;
}

ThoroughResult FindSymbolsThorough(const Bitmap& picture, const Bitmap& unit, ThoroughObserver& observer,
                                   const ThoroughOptions& options) {
  SearchState s(picture, unit, observer, options);
  ThoroughResult result;
  if (s.unit.empty() || s.width <= 0 || s.height <= 0) return result;
  std::vector<Rect> otherKinds;
  if (!FindDetections(s, otherKinds) || !FinishDetections(s, otherKinds, result.points))
    return StoppedResult(s);
  return result;
}
