#include "extract/thorough/Centres.h"

#include <algorithm>
#include <cmath>

#include "extract/thorough/CentreRefinement.h"

ThoroughPoint RoughCentre(const SearchState& s, const Detection& d) {
  const PhaseTemplate& phase = s.unit.phases[static_cast<std::size_t>(PlacementOf(d.at).phase)];
  return {d.at.x / static_cast<double>(PhaseSteps) + s.unit.centreX + phase.centreErrorX,
          d.at.y / static_cast<double>(PhaseSteps) + s.unit.centreY + phase.centreErrorY, d.score};
}

bool RefinedCentres(SearchState& s, std::vector<ThoroughPoint>& out) {
  const Detections& detections = s.detections;
  std::vector<ThoroughPoint> centres(static_cast<std::size_t>(detections.size()));
  if (!s.lanes.each(detections.size(), [&](int id, int lane) {
        const Detection& d = detections[id];
        if (!d.removed) {
          LaneScratch& scratch = s.scratch[static_cast<std::size_t>(lane)];
          detections.explainAround(Widened(detections.boxOf(d.at), 1), id, scratch.explained, scratch.near);
          const Placement at = PlacementOf(d.at);
          const PhaseTemplate& phase = s.unit.phases[static_cast<std::size_t>(at.phase)];
          const CentreShift shift =
              RefineCentre(s.ink, s.unit, phase, at.x, at.y, scratch.explained, s.tuning);
          ThoroughPoint p = RoughCentre(s, d);
          p.x += shift.dx;
          p.y += shift.dy;
          centres[static_cast<std::size_t>(id)] = p;
        }
        return s.keepGoing(lane, s.scoreWork() * 16);
      }))
    return false;
  out.clear();
  for (int id = 0; id < detections.size(); ++id) {
    if (!detections[id].removed) out.push_back(centres[static_cast<std::size_t>(id)]);
  }
  return true;
}

void SortInReadingOrder(std::vector<ThoroughPoint>& points) {
  std::stable_sort(points.begin(), points.end(), [](const ThoroughPoint& a, const ThoroughPoint& b) {
    const double ra = std::floor(a.y + 0.5);
    const double rb = std::floor(b.y + 0.5);
    if (ra != rb) return ra < rb;
    return a.x < b.x;
  });
}
