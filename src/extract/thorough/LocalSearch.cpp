#include "extract/thorough/LocalSearch.h"

float ScoreAt(const SearchState& s, Position p, const ExplainedInk* explained, float floor,
              Surround surround) {
  const Placement at = PlacementOf(p);
  return s.scorer->score(at.x, at.y, at.phase, explained, floor, surround);
}

float Improve(const SearchState& s, Position& at, float score, int first, const ExplainedInk* explained,
              Surround surround) {
  const int finest = s.unit.phases.size() > 1 ? 1 : PhaseSteps;
  for (int step = first; step >= finest; step /= 2) {
    for (int axis = 0; axis < 2; ++axis) {
      for (const int sign : {-1, 1}) {
        Position next = at;
        (axis == 0 ? next.x : next.y) += sign * step;
        const float score2 = ScoreAt(s, next, explained, score, surround);
        if (score2 > score) {
          score = score2;
          at = next;
          break;
        }
      }
    }
  }
  return score;
}

void RefineCandidate(const SearchState& s, Candidate& c) {
  c.score = Improve(s, c.at, c.score, PhaseSteps / 2, nullptr, Surround::Ignored);
}

Candidate BestNear(const SearchState& s, Position at, int skip, Surround surround, LaneScratch& scratch) {
  s.detections.explainAround(Widened(s.detections.boxOf(at), 2), skip, scratch.explained, scratch.near);
  Candidate best;
  best.at = at;
  best.score = Improve(s, best.at, ScoreAt(s, at, &scratch.explained, PlacementScorer::NoScore, surround),
                       PhaseSteps, &scratch.explained, surround);
  return best;
}

float ScoreGivenOthers(const SearchState& s, int id, LaneScratch& scratch) {
  const Position at = s.detections[id].at;
  s.detections.explainAround(Widened(s.detections.boxOf(at), 2), id, scratch.explained, scratch.near);
  const float here = ScoreAt(s, at, &scratch.explained, PlacementScorer::NoScore, Surround::Judged);
  if (here >= s.tuning.accept) return here;
  return BestNear(s, at, id, Surround::Judged, scratch).score;
}
