#include "extract/thorough/OverlapFit.h"

#include <algorithm>
#include <cmath>
#include <queue>

#include "extract/thorough/BlobFit.h"
#include "extract/thorough/LocalSearch.h"
#include "extract/thorough/ResidualSums.h"

namespace {

// Unexplained ink of at least this share of the strongest template pixel
// makes a blob.
constexpr float BlobInk = 0.3f;
// Proposals that fail before a blob is given up, at the least and per
// symbol's worth of the blob's pixels.
constexpr int FewestFailures = 4;
constexpr double FailuresPerSymbol = 0.5;
// A placement that gains less than this share of what it must, before its
// neighbours move, is not tried further.
constexpr float PromisingShare = 0.5f;

struct Blob {
  Rect box;                 // of its pixels, exclusive right and bottom
  std::vector<int> pixels;  // y * width + x
  float ink = 0;            // unexplained ink along the template's colour
};

// The 8-connected blobs of unexplained ink of the template's colour.
std::vector<Blob> FindBlobs(const SearchState& s, const ExplainedInk& explained,
                            const std::vector<Rect>& excluded) {
  const int w = s.width;
  const int h = s.height;
  const std::array<float, 3>& d = s.unit.meanDirection;
  const float ratio2 = s.tuning.otherColour * s.tuning.otherColour;
  const float least = BlobInk * s.unit.maxLength;
  const bool twoLevel = s.unit.twoLevel;
  const float strong = 0.25f * s.unit.maxLength * s.unit.maxLength;
  const auto besideExplained = [&](int x, int y) {
    for (const auto& [dx, dy] : {std::pair{-1, 0}, std::pair{1, 0}, std::pair{0, -1}, std::pair{0, 1}}) {
      const std::uint32_t e = explained.at(x + dx, y + dy);
      const float r = static_cast<float>(InkRed(e)), g = static_cast<float>(InkGreen(e)),
                  b = static_cast<float>(InkBlue(e));
      if (r * r + g * g + b * b >= strong) return true;
    }
    return false;
  };
  // Unexplained ink along the template's colour, in whole levels.
  std::vector<std::uint16_t> residual(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
  // The columns of each row that hold some, to start the blobs from.
  std::vector<std::vector<int>> marked(static_cast<std::size_t>(h));
  s.lanes.each(h, [&](int y, int) {
    std::uint16_t* out = residual.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(w);
    std::vector<int>& columns = marked[static_cast<std::size_t>(y)];
    const std::uint32_t* row = s.ink.row(y);
    for (int x = 0; x < w; ++x) {
      const std::uint32_t ink = row[x];
      if (ink == 0 || (ink & InkPicture::Unjudged)) continue;
      const float r0 = static_cast<float>(InkRed(ink));
      const float g0 = static_cast<float>(InkGreen(ink));
      const float b0 = static_cast<float>(InkBlue(ink));
      const float a0 = r0 * d[0] + g0 * d[1] + b0 * d[2];
      if (a0 <= 0 || r0 * r0 + g0 * g0 + b0 * b0 - a0 * a0 > ratio2 * a0 * a0) continue;
      const std::uint32_t left = LessExplained(ink, explained.at(x, y));
      const float a = static_cast<float>(InkRed(left)) * d[0] + static_cast<float>(InkGreen(left)) * d[1] +
                      static_cast<float>(InkBlue(left)) * d[2];
      // A two-level symbol's strokes come out a pixel wider or narrower from
      // place to place: ink beside a symbol's is not left unexplained.
      if (a >= least && twoLevel && besideExplained(x, y)) continue;
      if (a >= least) {
        out[x] = static_cast<std::uint16_t>(std::min(a, 65535.0f));
        columns.push_back(x);
      }
    }
  });
  for (const Rect& r : excluded) {
    for (int y = std::max(r.Top, 0); y < std::min(r.Bottom, h); ++y) {
      for (int x = std::max(r.Left, 0); x < std::min(r.Right, w); ++x)
        residual[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + x] = 0;
    }
  }
  std::vector<Blob> blobs;
  std::vector<int> stack;
  for (int y = 0; y < h; ++y) {
    for (const int x : marked[static_cast<std::size_t>(y)]) {
      const std::size_t i = static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + x;
      if (residual[i] == 0) continue;
      Blob blob{{x, y, x + 1, y + 1}, {}, 0};
      stack.assign(1, static_cast<int>(i));
      blob.ink += residual[i];
      residual[i] = 0;
      while (!stack.empty()) {
        const int k = stack.back();
        stack.pop_back();
        blob.pixels.push_back(k);
        const int kx = k % w;
        const int ky = k / w;
        blob.box = {std::min(blob.box.Left, kx), std::min(blob.box.Top, ky), std::max(blob.box.Right, kx + 1),
                    std::max(blob.box.Bottom, ky + 1)};
        for (int ny = std::max(0, ky - 1); ny <= std::min(h - 1, ky + 1); ++ny) {
          for (int nx = std::max(0, kx - 1); nx <= std::min(w - 1, kx + 1); ++nx) {
            const std::size_t j = static_cast<std::size_t>(ny) * static_cast<std::size_t>(w) + nx;
            if (residual[j] == 0) continue;
            blob.ink += residual[j];
            residual[j] = 0;
            stack.push_back(static_cast<int>(j));
          }
        }
      }
      blobs.push_back(std::move(blob));
    }
  }
  return blobs;
}

// The best position near `at` by `gainAt` (the misfit's change: lower is
// better), one coordinate at a time in halving steps from `first` eighths.
template <typename Gain>
float Descend(const SearchState& s, Position& at, float gain, int first, Gain&& gainAt) {
  const int finest = s.unit.phases.size() > 1 ? 1 : PhaseSteps;
  for (int step = first; step >= finest; step /= 2) {
    bool better = true;
    for (int tries = 0; better && tries < 8; ++tries) {
      better = false;
      for (int axis = 0; axis < 2 && !better; ++axis) {
        for (const int sign : {-1, 1}) {
          Position next = at;
          (axis == 0 ? next.x : next.y) += sign * step;
          const float g = gainAt(next);
          if (g < gain - 1e-3f) {
            gain = g;
            at = next;
            better = true;
            break;
          }
        }
      }
    }
  }
  return gain;
}

// Moves member k, and the members meeting it, to where they fit best
// together, a few times over.
void MoveAround(const SearchState& s, BlobFit& fit, int k, std::vector<int>& near) {
  for (int pass = 0; pass < 3; ++pass) {
    bool moved = false;
    fit.membersNear(Widened(fit.boxOf(fit.members()[static_cast<std::size_t>(k)].at), 1), near);
    for (const int j : near) {
      const BlobFit::Member& m = fit.members()[static_cast<std::size_t>(j)];
      if (!m.movable) continue;
      Position at = m.at;
      if (Descend(s, at, 0.0f, PhaseSteps, [&](Position p) { return fit.gainOfMoving(j, p); }) < 0) {
        fit.move(j, at);
        moved = true;
      }
    }
    if (!moved) break;
  }
}

// Whether member k, placed among the others, scores as a symbol should on
// its own ink: the misfit alone would take a placement that turns ink of a
// darker colour into the template's for a gain. Its surround is judged when
// the fit is done, by the pruning, once its neighbours are placed too.
float ScoreAmongOthers(SearchState& s, BlobFit& fit, int k);
bool PassesAmongOthers(SearchState& s, BlobFit& fit, int k) {
  return ScoreAmongOthers(s, fit, k) >= s.tuning.accept;
}
float ScoreAmongOthers(SearchState& s, BlobFit& fit, int k) {
  const Position at = fit.members()[static_cast<std::size_t>(k)].at;
  LaneScratch& scratch = s.scratch[0];
  const Rect box = Widened(fit.boxOf(at), 2);
  scratch.explained.reset(box.Left, box.Top, box.width(), box.height());
  std::vector<int>& near = scratch.near;
  fit.membersNear(box, near);
  for (const int j : near) {
    if (j == k) continue;
    const Placement p = PlacementOf(fit.members()[static_cast<std::size_t>(j)].at);
    scratch.explained.add(s.unit.phases[static_cast<std::size_t>(p.phase)], p.x, p.y);
  }
  const Placement p = PlacementOf(at);
  return s.scorer->score(p.x, p.y, p.phase, &scratch.explained, PlacementScorer::NoScore, Surround::Ignored);
}

Rect Joined(const Rect& a, const Rect& b) {
  return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
          std::max(a.Bottom, b.Bottom)};
}

// Fits the placements around one blob and hands the result to the detections.
void FitBlob(SearchState& s, const Blob& blob, const std::vector<Rect>& excluded,
             const ExplainedInk& explained) {
  const ThoroughTemplate& unit = s.unit;
  const int reach = std::max(unit.width, unit.height) + 2;
  const Rect inner = Widened(blob.box, reach / 2);
  const float worth = s.tuning.overlapEvidence;
  const float accept = s.tuning.accept;
  // Proposals: whole-pixel placements centred within half a symbol of the
  // blob, scored on their own ink against what the fit explains; the best
  // is taken first.
  const int half = reach / 2;
  const int columns = inner.width();
  const int rows = inner.height();
  std::vector<char> candidate(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows), 0);
  for (const int k : blob.pixels) {
    const int x = k % s.width - inner.Left;
    const int y = k / s.width - inner.Top;
    for (int j = std::max(0, y - half); j <= std::min(rows - 1, y + half); ++j) {
      for (int i = std::max(0, x - half); i <= std::min(columns - 1, x + half); ++i)
        candidate[static_cast<std::size_t>(j) * static_cast<std::size_t>(columns) + i] = 1;
    }
  }
  const auto positionOf = [&](std::size_t c) {
    const int cx = inner.Left + static_cast<int>(c % static_cast<std::size_t>(columns));
    const int cy = inner.Top + static_cast<int>(c / static_cast<std::size_t>(columns));
    return Position{static_cast<int>(std::lround(cx - unit.centreX)) * PhaseSteps,
                    static_cast<int>(std::lround(cy - unit.centreY)) * PhaseSteps};
  };
  std::vector<float> scores(candidate.size(), PlacementScorer::NoScore);
  const ExplainedInk* model = &explained;
  // What a placement can find is bounded by the unexplained ink under its box.
  const Rect sumsRegion = Widened(inner, reach);
  std::vector<float> sums;
  int sumsWidth = 1;
  ResidualSums(s, sumsRegion, explained, sums, sumsWidth);
  const float total = unit.phases[0].totalLength;
  const float fewest = accept * s.tuning.evidence * s.tuning.inside * total;
  const auto rescore = [&](const Rect& changed) {
    // The centres whose placements meet the changed box.
    const int l = std::max(0, changed.Left - inner.Left - half - 1);
    const int t = std::max(0, changed.Top - inner.Top - half - 1);
    const int r = std::min(columns, changed.Right - inner.Left + half + 1);
    const int b = std::min(rows, changed.Bottom - inner.Top + half + 1);
    for (int j = t; j < b; ++j) {
      for (int i = l; i < r; ++i) {
        const std::size_t c = static_cast<std::size_t>(j) * static_cast<std::size_t>(columns) + i;
        if (!candidate[c]) continue;
        const Placement p = PlacementOf(positionOf(c));
        if (model == &explained &&
            ResidualBox(sums, sumsWidth, p.x - 1 - sumsRegion.Left, p.y - 1 - sumsRegion.Top,
                        p.x + unit.width + 1 - sumsRegion.Left,
                        p.y + unit.height + 1 - sumsRegion.Top) < fewest) {
          scores[c] = PlacementScorer::NoScore;
          continue;
        }
        scores[c] = s.scorer->score(p.x, p.y, 0, model, accept, Surround::Ignored);
      }
    }
  };
  // Scored first against what the detections explain: most blobs (a curve,
  // a letter) hold no placement worth trying, and need no fit.
  rescore(inner);
  if (std::none_of(scores.begin(), scores.end(), [&](float v) { return v >= accept; })) return;
  BlobFit fit(s.ink, unit, s.tuning.otherColour, Widened(blob.box, 2 * reach), excluded);
  std::vector<int> near;
  s.detections.near(fit.region(), near);
  for (const int id : near) {
    const Detection& d = s.detections[id];
    const Rect box = s.detections.boxOf(d.at);
    if (d.removed || !BoxesMeet(box, fit.region())) continue;
    fit.addMember(d.at, BoxesMeet(box, inner), id);
  }
  model = &fit.model();
  // Best first, lazily: as the fit explains more a proposal's score seldom
  // rises, so one that, scored again, still beats the next one's stale score
  // is taken as the best.
  using Entry = std::pair<float, std::size_t>;
  std::priority_queue<Entry> queue;
  for (std::size_t c = 0; c < scores.size(); ++c) {
    if (scores[c] >= accept) queue.push({scores[c], c});
  }
  int failures = 0;
  const int mostFailures = std::max(
      FewestFailures, static_cast<int>(FailuresPerSymbol * static_cast<double>(blob.pixels.size()) /
                                       std::max(1.0, static_cast<double>(unit.phases[0].ink.size()))));
  while (failures < mostFailures && !queue.empty()) {
    const std::size_t centre = queue.top().second;
    queue.pop();
    Position best = positionOf(centre);
    const Placement p = PlacementOf(best);
    const float now = s.scorer->score(p.x, p.y, 0, model, accept, Surround::Ignored);
    if (now < accept) continue;
    if (!queue.empty() && now < queue.top().first) {
      queue.push({now, centre});
      continue;
    }
    Improve(s, best, now, PhaseSteps / 2, &fit.model(), Surround::Ignored);
    // Tried with its neighbours moved to make room: two symbols close
    // together look like one a little larger until both are placed.
    const BlobFit::Mark mark = fit.mark();
    const Rect around = Widened(fit.boxOf(best), reach);
    const float before = fit.misfitOver(around);
    const int k = fit.addMember(best, true, -1);
    const float need = worth * fit.evidenceAt(best);
    // Moving the neighbours seldom doubles what the placement gains alone.
    const bool promising = before - fit.misfitOver(around) > PromisingShare * need;
    if (promising) MoveAround(s, fit, k, near);
    const float gain = before - fit.misfitOver(around);
    const Position placed = fit.members()[static_cast<std::size_t>(k)].at;
    if (promising && gain > worth * fit.evidenceAt(placed) && PassesAmongOthers(s, fit, k)) continue;
    fit.restore(mark);
    ++failures;
  }
  for (const BlobFit::Member& m : fit.members()) {
    if (m.id >= 0) {
      if (m.removed) {
        s.detections.remove(m.id);
      } else if (m.at.x != s.detections[m.id].at.x || m.at.y != s.detections[m.id].at.y) {
        s.detections.move(m.id, m.at);
        s.detections[m.id].refitted = true;
      }
    } else if (!m.removed) {
      s.detections[s.detections.add(m.at, 0)].refitted = true;
    }
  }
}

}  // namespace

bool TwoSymbolsExplain(SearchState& s, int id, LaneScratch& scratch) {
  // Of the template's ink, the misfit a pair may leave: a pair leaves 3 to 5
  // per cent, a square taken for two circles 10 to 35.
  constexpr float LeftOver = 0.07f;
  const ThoroughTemplate& unit = s.unit;
  const Detection& d = s.detections[id];
  const Rect box = s.detections.boxOf(d.at);
  const int reach = std::max(unit.width, unit.height) + 2;
  BlobFit fit(s.ink, unit, s.tuning.otherColour, Widened(box, 2 * reach), {});
  std::vector<int>& near = scratch.near;
  s.detections.near(fit.region(), near);
  const std::vector<int> others = near;
  int self = -1;
  for (const int other : others) {
    const Detection& o = s.detections[other];
    if (o.removed || !BoxesMeet(s.detections.boxOf(o.at), fit.region())) continue;
    const int k = fit.addMember(o.at, other == id, other);
    if (other == id) self = k;
  }
  if (self < 0) return false;
  const Rect around = Widened(box, reach);
  const float before = fit.misfitOver(around);
  // The second symbol within half a symbol of the first.
  const Placement home = PlacementOf(d.at);
  Position best{};
  float bestGain = 0;
  for (int dy = -reach / 2; dy <= reach / 2; dy += 2) {
    for (int dx = -reach / 2; dx <= reach / 2; dx += 2) {
      const Position at{(home.x + dx) * PhaseSteps, (home.y + dy) * PhaseSteps};
      const float g = fit.gainOfAdding(at);
      if (g < bestGain) {
        bestGain = g;
        best = at;
      }
    }
  }
  const float leftOver = LeftOver * unit.phases[0].totalLength;
  // The misfit left over the pair's own box: the neighbours' is theirs.
  const auto misfitOwn = [&]() {
    Rect own = Widened(box, 1);
    for (const BlobFit::Member& m : fit.members()) {
      if (!m.removed && (m.id == id || m.id < 0)) own = Joined(own, Widened(fit.boxOf(m.at), 1));
    }
    return fit.misfitOver(own);
  };
  if (misfitOwn() < leftOver) return true;
  if (bestGain >= 0) return false;
  Descend(s, best, bestGain, PhaseSteps, [&](Position p) { return fit.gainOfAdding(p); });
  const int k = fit.addMember(best, true, -1);
  MoveAround(s, fit, k, near);
  return fit.misfitOver(around) < before && misfitOwn() < leftOver;
}

bool ResolveOverlaps(SearchState& s, const std::vector<Rect>& excluded) {
  ExplainedInk explained;
  explained.reset(0, 0, s.width, s.height);
  for (int id = 0; id < s.detections.size(); ++id) {
    const Detection& d = s.detections[id];
    if (d.removed) continue;
    const Placement p = PlacementOf(d.at);
    explained.add(s.unit.phases[static_cast<std::size_t>(p.phase)], p.x, p.y);
  }
  // A blob holding less unexplained ink than a symbol must explain cannot gain one.
  const float least = s.tuning.overlapEvidence * s.unit.phases[0].totalLength;
  const std::vector<Blob> blobs = FindBlobs(s, explained, excluded);
  for (const Blob& blob : blobs) {
    if (blob.ink < least) continue;
    FitBlob(s, blob, excluded, explained);
    if (!s.keepGoing(0, static_cast<std::int64_t>(blob.pixels.size()) * s.scoreWork() * 4)) return false;
  }
  return true;
}
