#include "extract/thorough/LookAround.h"

#include <algorithm>
#include <cmath>

#include "extract/thorough/ResidualSums.h"

namespace {

void LookAroundOne(const SearchState& s, int id, LaneScratch& scratch, std::vector<Candidate>& found) {
  const Detection& d = s.detections[id];
  if (d.removed) return;
  const ThoroughTuning& t = s.tuning;
  const ThoroughTemplate& unit = s.unit;
  const float least = t.accept;
  const int reachX = unit.width;
  const int reachY = unit.height;
  const int columns = 2 * reachX + 1;
  const int rows = 2 * reachY + 1;
  scratch.scores.assign(static_cast<std::size_t>(columns * rows), PlacementScorer::NoScore);
  const Placement home = PlacementOf(d.at);
  const Rect region{home.x - reachX - 1, home.y - reachY - 1, home.x + reachX + unit.width + 1,
                    home.y + reachY + unit.height + 1};
  s.detections.explainAround(region, -1, scratch.explained, scratch.near);
  ResidualSums(s, region, scratch.explained, scratch.residual, scratch.residualWidth);
  // Too little unexplained ink in the whole region for any placement.
  const float fewest = least * t.evidence * t.inside * unit.phases[0].totalLength;
  if (ResidualBox(scratch.residual, scratch.residualWidth, 0, 0, region.width(), region.height()) < fewest)
    return;
  for (int j = 0; j < rows; ++j) {
    for (int i = 0; i < columns; ++i) {
      const int x = home.x - reachX + i;
      const int y = home.y - reachY + j;
      if (std::abs(x - home.x) <= 1 && std::abs(y - home.y) <= 1) continue;
      const float insideLength = s.scorer->insideLength(x, y);
      if (insideLength < t.inside * unit.phases[0].totalLength) continue;
      // Judged ink found can be no more than the unexplained ink of the
      // template's colour in the box.
      const float bound =
          ResidualBox(scratch.residual, scratch.residualWidth, x - 1 - region.Left, y - 1 - region.Top,
                      x + unit.width + 1 - region.Left, y + unit.height + 1 - region.Top);
      if (bound < least * t.evidence * insideLength) continue;
      scratch.scores[static_cast<std::size_t>(j * columns + i)] =
          s.scorer->score(x, y, 0, &scratch.explained, least, Surround::Ignored);
    }
  }
  for (int j = 0; j < rows; ++j) {
    for (int i = 0; i < columns; ++i) {
      const float score = scratch.scores[static_cast<std::size_t>(j * columns + i)];
      if (score < least) continue;
      bool peak = true;
      for (int dj = -1; dj <= 1 && peak; ++dj) {
        for (int di = -1; di <= 1 && peak; ++di) {
          const int ni = i + di;
          const int nj = j + dj;
          if (ni < 0 || nj < 0 || ni >= columns || nj >= rows) continue;
          peak = score >= scratch.scores[static_cast<std::size_t>(nj * columns + ni)];
        }
      }
      if (!peak) continue;
      const Position at{(home.x - reachX + i) * PhaseSteps, (home.y - reachY + j) * PhaseSteps};
      found.push_back(Candidate{at, score, 0, 0, false});
    }
  }
}

}  // namespace

bool LookAround(SearchState& s, std::vector<Candidate>& candidates) {
  const std::int64_t units =
      static_cast<std::int64_t>((2 * s.unit.width + 1) * (2 * s.unit.height + 1)) * s.scoreWork() / 4;
  std::vector<std::vector<Candidate>> found(static_cast<std::size_t>(s.detections.size()));
  if (!s.lanes.each(s.detections.size(), [&](int id, int lane) {
        LookAroundOne(s, id, s.scratch[static_cast<std::size_t>(lane)], found[static_cast<std::size_t>(id)]);
        return s.keepGoing(lane, units);
      }))
    return false;
  for (const std::vector<Candidate>& around : found) {
    for (Candidate c : around) {
      c.order = static_cast<int>(candidates.size());
      candidates.push_back(c);
    }
  }
  return true;
}
