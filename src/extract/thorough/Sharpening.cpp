#include "extract/thorough/Sharpening.h"

#include <algorithm>
#include <cmath>

#include "extract/thorough/LargerShape.h"
#include "extract/thorough/SharpenedPhases.h"
#include "extract/thorough/SymbolKinds.h"

namespace {

// A sighting's shape may hold this much more ink than the unit's, spread evenly.
constexpr float SightingExcess = 0.04f;
// At most this many sightings are used, the best first.
constexpr std::size_t MostSightings = 64;

// Whether detection id stands clear: inside the picture, no other detection
// near, no unjudged pixel under it.
bool Clear(const SearchState& s, int id, std::vector<int>& near) {
  const Detection& d = s.detections[id];
  const Rect box = s.detections.boxOf(d.at);
  if (box.Left < 0 || box.Top < 0 || box.Right > s.width || box.Bottom > s.height) return false;
  const Rect around = Widened(box, 1);
  s.detections.near(around, near);
  for (const int other : near) {
    if (other != id && !s.detections[other].removed &&
        BoxesMeet(s.detections.boxOf(s.detections[other].at), around))
      return false;
  }
  for (int y = box.Top; y < box.Bottom; ++y) {
    for (int x = box.Left; x < box.Right; ++x) {
      if (s.ink.at(x, y) & InkPicture::Unjudged) return false;
    }
  }
  return true;
}

}  // namespace

bool SharpenTemplate(SearchState& s) {
  if (s.unit.phases.size() <= 1) return true;
  std::vector<int> clear;
  std::vector<int> near;
  for (int id = 0; id < s.detections.size(); ++id) {
    const Detection& d = s.detections[id];
    if (!d.removed && d.score >= s.tuning.accept && Clear(s, id, near)) clear.push_back(id);
  }
  if (clear.size() < FewestSightings) return true;
  std::stable_sort(clear.begin(), clear.end(),
                   [&](int a, int b) { return s.detections[a].score > s.detections[b].score; });
  if (clear.size() > MostSightings) clear.resize(MostSightings);
  std::vector<Sighting> sightings(clear.size());
  std::vector<char> alike(clear.size(), 0);
  const InkSample unitSample(s.unit);
  if (!s.lanes.each(static_cast<int>(clear.size()), [&](int i, int lane) {
        const Detection& d = s.detections[clear[static_cast<std::size_t>(i)]];
        const Placement at = PlacementOf(d.at);
        // Only a shape standing alone and no larger than the unit's: another
        // kind of symbol must not become part of the template.
        const ShapeExcess shape = MeasureShapeExcess(s.ink, s.unit, s.tuning, at.x, at.y, nullptr);
        // Nor one of another shape holding as much ink (a square as wide as
        // the unit's circle).
        alike[static_cast<std::size_t>(i)] =
            shape.judged && shape.excess <= SightingExcess &&
                    Unlikeness(InkSample(s.ink, s.unit, s.tuning,
                                         d.at.x / static_cast<double>(PhaseSteps) + s.unit.centreX,
                                         d.at.y / static_cast<double>(PhaseSteps) + s.unit.centreY, nullptr),
                               unitSample) < s.tuning.kindsUnlike
                ? 1
                : 0;
        // The acceptance placed it to an eighth of a pixel: close enough for
        // the quarter pixel a phase draws from.
        sightings[static_cast<std::size_t>(i)] = {d.at.x / static_cast<double>(PhaseSteps),
                                                  d.at.y / static_cast<double>(PhaseSteps)};
        return s.keepGoing(lane, s.scoreWork() * 16);
      }))
    return false;
  std::vector<Sighting> kept;
  for (std::size_t i = 0; i < sightings.size(); ++i) {
    if (alike[i]) kept.push_back(sightings[i]);
  }
  s.setTemplate(WithPhasesFromSightings(s.unit, s.ink, kept, s.tuning.otherColour, s.lanes));
  return true;
}
