#include "extract/thorough/ScoreMap.h"

#include <algorithm>

namespace {

// Rows of placements scored together, the column sums of one carried to the next.
constexpr int ChunkRows = 48;

}  // namespace

// `columnInk` holds the ink of each column over the rows the placements of
// row y cover. Returns the work done.
std::int64_t ScoreMap::scoreRow(int y, const std::vector<std::uint32_t>& columnInk) {
  const float total = s_.unit.phases[0].totalLength;
  const ThoroughTuning& t = s_.tuning;
  // Judged ink found can be no more than the box's ink.
  const float boundShare = t.candidate * t.evidence;
  const bool rowInside = y >= 1 && y + s_.unit.height + 1 <= s_.height;
  // A row of placements over blank paper is done at once.
  if (std::all_of(columnInk.begin(), columnInk.end(), [](std::uint32_t c) { return c == 0; }))
    return s_.width / 8;
  std::int64_t work = columns();
  const std::int64_t scoreWork = s_.scoreWork();
  // The box of placement x spans columns x - 1 .. x + width: a running sum.
  const int span = s_.unit.width + 2;
  std::uint32_t box = 0;
  float* out = nullptr;
  for (int x = left(); x < left() + columns(); ++x) {
    const int enter = x + span - 2;
    const int leave = x - 2;
    if (enter >= 0 && enter < s_.width) box += columnInk[static_cast<std::size_t>(enter)];
    if (leave >= 0 && leave < s_.width) box -= columnInk[static_cast<std::size_t>(leave)];
    if (box == 0) continue;
    const bool inside = rowInside && x >= 1 && x + s_.unit.width + 1 <= s_.width;
    const float insideLength = inside ? total : s_.scorer->insideLength(x, y);
    if (insideLength < t.inside * total) continue;
    if (static_cast<float>(box) < boundShare * insideLength) continue;
    if (out == nullptr) {
      out = row(y);
      std::fill(out + left(), out + left() + columns(), PlacementScorer::NoScore);
    }
    out[x] = s_.scorer->score(x, y, 0, nullptr, t.candidate, Surround::Ignored);
    work += scoreWork;
  }
  rowScored_[static_cast<std::size_t>(y - top())] = out != nullptr ? 1 : 0;
  return work;
}

// Scores the rows of one chunk; on lane 0 the rows are reported and the
// messages handled. False when stopped.
bool ScoreMap::scoreChunk(int chunk, int lane, std::vector<std::uint32_t>& columnInk) {
  const int first = top() + chunk * ChunkRows;
  const int end = std::min(first + ChunkRows, top() + rows());
  // Placement row y covers picture rows y - 1 .. y + height.
  s_.ink.columnSums(first - 1, first + s_.unit.height + 1, columnInk);
  for (int y = first; y < end; ++y) {
    if (y > first) {
      s_.ink.addRow(y + s_.unit.height, columnInk);
      s_.ink.takeRow(y - 2, columnInk);
    }
    if (lane == 0) {
      if (y >= 0 && y < s_.height) s_.observer.rowStarted(y, s_.height);
      s_.pacer.readClockSoon();
    }
    if (!s_.keepGoing(lane, scoreRow(y, columnInk))) return false;
  }
  return true;
}

bool ScoreMap::score() {
  const std::size_t size = static_cast<std::size_t>(columns()) * static_cast<std::size_t>(rows());
  if (!map_) map_ = std::make_unique_for_overwrite<float[]>(size);
  rowScored_.assign(static_cast<std::size_t>(rows()), 0);
  std::array<std::vector<std::uint32_t>, WorkLanes::Count> columnInk;
  const int chunks = (rows() + ChunkRows - 1) / ChunkRows;
  return s_.lanes.each(chunks, [&](int chunk, int lane) {
    return scoreChunk(chunk, lane, columnInk[static_cast<std::size_t>(lane)]);
  });
}

std::vector<Candidate> ScoreMap::peaks() const {
  std::vector<std::vector<Candidate>> byRow(static_cast<std::size_t>(rows()));
  s_.lanes.each(
      rows(), [&](int k, int) { peaksOfRow(top() + k, byRow[static_cast<std::size_t>(k)]); }, 64);
  std::vector<Candidate> out;
  for (const std::vector<Candidate>& r : byRow) out.insert(out.end(), r.begin(), r.end());
  for (std::size_t i = 0; i < out.size(); ++i) out[i].order = static_cast<int>(i);
  return out;
}

void ScoreMap::peaksOfRow(int y, std::vector<Candidate>& out) const {
  if (!rowScored(y)) return;
  const float least = s_.tuning.candidate;
  const int l = left();
  const int r = left() + columns();
  const float* near[3] = {rowScored(y - 1) ? row(y - 1) : nullptr, row(y),
                          rowScored(y + 1) ? row(y + 1) : nullptr};
  for (int x = l; x < r; ++x) {
    const float score = near[1][x];
    if (score < least) continue;
    bool peak = true;
    for (int dy = -1; dy <= 1 && peak; ++dy) {
      const float* other = near[dy + 1];
      if (other == nullptr) continue;
      for (int dx = -1; dx <= 1 && peak; ++dx) {
        const int nx = x + dx;
        if ((dx == 0 && dy == 0) || nx < l || nx >= r) continue;
        // Every point of a plateau is a peak: two symbols close together
        // can make one, and the acceptance tells them apart.
        peak = score >= other[nx];
      }
    }
    if (peak) out.push_back({{x * PhaseSteps, y * PhaseSteps}, score, 0, 0, false});
  }
}
