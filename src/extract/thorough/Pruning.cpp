#include "extract/thorough/Pruning.h"

#include "extract/thorough/LocalSearch.h"

bool Prune(SearchState& s, bool refittedOnly) {
  Detections& detections = s.detections;
  const float accept = s.tuning.accept;
  const int count = detections.size();
  std::vector<float> scores(static_cast<std::size_t>(count), accept);
  if (!s.lanes.each(count, [&](int i, int lane) {
        if (!detections[i].removed && (!refittedOnly || detections[i].refitted))
          scores[static_cast<std::size_t>(i)] =
              ScoreGivenOthers(s, i, s.scratch[static_cast<std::size_t>(lane)]);
        return s.keepGoing(lane, s.scoreWork() * 4);
      }))
    return false;
  std::vector<int> near;
  for (int round = 0; round < count; ++round) {
    int worst = -1;
    for (int i = 0; i < count; ++i) {
      if (detections[i].removed || scores[static_cast<std::size_t>(i)] >= accept) continue;
      if (worst < 0 || scores[static_cast<std::size_t>(i)] < scores[static_cast<std::size_t>(worst)])
        worst = i;
    }
    if (worst < 0) break;
    const Rect box = detections.boxOf(detections[worst].at);
    detections.remove(worst);
    detections.near(box, near);
    for (const int id : near) {
      const Detection& d = detections[id];
      if (!d.removed && (!refittedOnly || d.refitted) && BoxesMeet(detections.boxOf(d.at), box))
        scores[static_cast<std::size_t>(id)] = ScoreGivenOthers(s, id, s.scratch[0]);
    }
    if (!s.keepGoing(0, 0)) return false;
  }
  for (int i = 0; i < count; ++i) {
    if (!detections[i].removed && (!refittedOnly || detections[i].refitted))
      detections[i].score = scores[static_cast<std::size_t>(i)];
  }
  return true;
}
