#include "extract/thorough/Acceptance.h"

#include <queue>

#include "extract/thorough/LocalSearch.h"

namespace {

struct CandidateOrder {
  bool operator()(const Candidate& a, const Candidate& b) const {
    if (a.score != b.score) return a.score < b.score;
    return a.order > b.order;
  }
};

}  // namespace

bool AcceptCandidates(SearchState& s, std::vector<Candidate> candidates, Surround surround) {
  const ThoroughTuning& t = s.tuning;
  for (Candidate& c : candidates) {
    c.judged = false;
    c.scoredWith = 0;
  }
  std::priority_queue<Candidate, std::vector<Candidate>, CandidateOrder> queue(CandidateOrder{},
                                                                               std::move(candidates));
  Detections& detections = s.detections;
  std::vector<int> near;
  while (!queue.empty()) {
    if (!s.keepGoing(0, 16)) return false;
    Candidate c = queue.top();
    queue.pop();
    const Rect reach = Widened(detections.boxOf(c.at), 1);
    detections.near(reach, near);
    if (detections.sameAsAccepted(c.at, near)) continue;
    bool touched = false;
    for (const int id : near) {
      const Detection& d = detections[id];
      touched = touched || (id >= c.scoredWith && !d.removed && BoxesMeet(detections.boxOf(d.at), reach));
    }
    if (!touched && !c.judged) {
      // Nothing accepted around it: where the first scan put it, it
      // usually passes as it is.
      const float here = ScoreAt(s, c.at, nullptr, PlacementScorer::NoScore, surround);
      s.pacer.spend(s.scoreWork());
      if (here >= t.accept) {
        c.score = here;
        c.scoredWith = detections.size();
        c.judged = true;
        queue.push(c);
        continue;
      }
    }
    if (touched || !c.judged) {
      // Scored again in full, against what the accepted symbols leave.
      const Candidate again = BestNear(s, c.at, -1, surround, s.scratch[0]);
      s.pacer.spend(s.scoreWork() * 16);
      c.at = again.at;
      c.score = again.score;
      c.scoredWith = detections.size();
      c.judged = true;
      if (c.score >= t.accept) queue.push(c);
      continue;
    }
    detections.add(c.at, c.score);
  }
  return true;
}
