#include "extract/thorough/OtherKinds.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "extract/thorough/LargerShape.h"
#include "extract/thorough/OverlapFit.h"
#include "extract/thorough/SymbolKinds.h"

namespace {

// How far around a detection's box its shape is followed.
constexpr int ShapeReach = 6;

}  // namespace

bool RejectOtherKinds(SearchState& s, const std::vector<Position>& strongCandidates,
                      std::vector<Rect>& otherBoxes) {
  const ThoroughTuning& t = s.tuning;
  Detections& detections = s.detections;
  // The detections, then the strong candidates away from them.
  std::vector<int> ids;  // the detection at each place, -1 for a candidate
  std::vector<Position> places;
  for (int i = 0; i < detections.size(); ++i) {
    if (detections[i].removed) continue;
    ids.push_back(i);
    places.push_back(detections[i].at);
  }
  std::vector<int> near;
  for (const Position& c : strongCandidates) {
    detections.near(Widened(detections.boxOf(c), 1), near);
    if (detections.sameAsAccepted(c, near)) continue;
    ids.push_back(-1);
    places.push_back(c);
  }
  const auto explainAt = [&](std::size_t k, LaneScratch& scratch) {
    detections.explainAround(Widened(detections.boxOf(places[k]), ShapeReach), ids[k], scratch.explained,
                             scratch.near);
  };
  const int count = static_cast<int>(places.size());
  std::vector<ShapeExcess> shapes(places.size());
  const std::int64_t work = static_cast<std::int64_t>(s.unit.gridWidth() * s.unit.gridHeight()) * 4;
  if (!s.lanes.each(count, [&](int k, int lane) {
        LaneScratch& scratch = s.scratch[static_cast<std::size_t>(lane)];
        const std::size_t place = static_cast<std::size_t>(k);
        explainAt(place, scratch);
        const Placement p = PlacementOf(places[place]);
        shapes[place] = MeasureShapeExcess(s.ink, s.unit, t, p.x, p.y, &scratch.explained);
        return s.keepGoing(lane, work);
      }))
    return false;
  std::vector<char> other(places.size(), 0);
  std::vector<std::size_t> standing;  // the places standing alone
  for (std::size_t k = 0; k < places.size(); ++k) {
    other[k] = shapes[k].judged && shapes[k].excess > t.largerShape ? 1 : 0;
    if (shapes[k].judged) standing.push_back(k);
  }
  // A two-level symbol's strokes vary by a pixel from place to place; too
  // few symbols standing alone tell no kinds apart.
  if (!s.unit.twoLevel && static_cast<int>(standing.size()) >= 2 * t.fewestOtherKind) {
    const auto sampleOf = [&](std::size_t k, LaneScratch& scratch) {
      explainAt(k, scratch);
      const double x = places[k].x / static_cast<double>(PhaseSteps) + s.unit.centreX;
      const double y = places[k].y / static_cast<double>(PhaseSteps) + s.unit.centreY;
      return InkSample(s.ink, s.unit, t, x, y, &scratch.explained);
    };
    std::vector<InkSample> samples(standing.size());
    if (!s.lanes.each(static_cast<int>(samples.size()), [&](int i, int lane) {
          samples[static_cast<std::size_t>(i)] =
              sampleOf(standing[static_cast<std::size_t>(i)], s.scratch[static_cast<std::size_t>(lane)]);
          return s.keepGoing(lane, work * 2);
        }))
      return false;
    const std::optional<SymbolKinds> kinds = SplitKinds(samples, InkSample(s.unit), t);
    if (kinds) {
      // Every detection goes with the kind it is clearly more like.
      if (!s.lanes.each(count, [&](int k, int lane) {
            const std::size_t place = static_cast<std::size_t>(k);
            if (ids[place] >= 0 &&
                kinds->isOther(sampleOf(place, s.scratch[static_cast<std::size_t>(lane)]), t))
              other[place] = 1;
            return s.keepGoing(lane, work * 2);
          }))
        return false;
    }
  }
  // Two of the unit's symbols nearly on top of each other look like another
  // kind; the overlap fit places both.
  if (!s.lanes.each(count, [&](int k, int lane) {
        const std::size_t place = static_cast<std::size_t>(k);
        if (other[place] && ids[place] >= 0 &&
            TwoSymbolsExplain(s, ids[place], s.scratch[static_cast<std::size_t>(lane)]))
          other[place] = 0;
        return s.keepGoing(lane, work * 4);
      }))
    return false;
  for (std::size_t k = 0; k < places.size(); ++k) {
    if (!other[k]) continue;
    if (std::getenv("QV_KINDS"))
      std::fprintf(stderr, "  other kind at %.1f %.1f %s excess %.3f\n", places[k].x / 8.0 + s.unit.centreX,
                   places[k].y / 8.0 + s.unit.centreY, shapes[k].judged ? "alone" : "", shapes[k].excess);
    otherBoxes.push_back(Widened(detections.boxOf(places[k]), 2));
    if (ids[k] >= 0) detections.remove(ids[k]);
  }
  return true;
}
