#include "extract/thorough/Detections.h"

Detections::Detections(int width, int height, const ThoroughTemplate& unit)
    : unit_(unit), index_(width, height, unit.width + unit.height + 4) {}

int Detections::add(Position at, float score) {
  const int id = size();
  list_.push_back({at, score, false, false});
  index_.add(id, boxOf(at));
  return id;
}

void Detections::remove(int id) {
  Detection& d = (*this)[id];
  if (d.removed) return;
  d.removed = true;
  index_.remove(id, boxOf(d.at));
}

void Detections::move(int id, Position to) {
  Detection& d = (*this)[id];
  index_.remove(id, boxOf(d.at));
  d.at = to;
  index_.add(id, boxOf(to));
}

Rect Detections::boxOf(Position p) const {
  const Placement at = PlacementOf(p);
  return {at.x - 1, at.y - 1, at.x + unit_.width + 1, at.y + unit_.height + 1};
}

void Detections::explainAround(const Rect& box, int skip, ExplainedInk& explained,
                               std::vector<int>& nearIds) const {
  explained.reset(box.Left, box.Top, box.width(), box.height());
  index_.near(box, nearIds);
  for (const int id : nearIds) {
    const Detection& d = (*this)[id];
    if (id == skip || d.removed || !BoxesMeet(boxOf(d.at), box)) continue;
    const Placement at = PlacementOf(d.at);
    explained.add(unit_.phases[static_cast<std::size_t>(at.phase)], at.x, at.y);
  }
}

bool Detections::sameAsAccepted(Position at, const std::vector<int>& nearIds) const {
  for (const int id : nearIds) {
    const Detection& d = (*this)[id];
    if (d.removed) continue;
    const int dx = at.x - d.at.x;
    const int dy = at.y - d.at.y;
    if (dx * dx + dy * dy <= PhaseSteps * PhaseSteps) return true;
  }
  return false;
}
