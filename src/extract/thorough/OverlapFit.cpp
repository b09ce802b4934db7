#include "extract/thorough/OverlapFit.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "extract/thorough/BlobFit.h"

namespace {

// Unexplained ink of at least this share of the strongest template pixel
// makes a blob.
constexpr float BlobInk = 0.3f;
// Proposals that fail before a blob is given up.
constexpr int MostFailures = 4;

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
  std::vector<float> residual(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), 0.0f);
  s.lanes.each(h, [&](int y, int) {
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
      if (a >= least) residual[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + x] = a;
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
    for (int x = 0; x < w; ++x) {
      const std::size_t i = static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + x;
      if (residual[i] <= 0) continue;
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
            if (residual[j] <= 0) continue;
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

// Whether member k, placed among the others, scores as a symbol should:
// the misfit alone would take a placement that turns ink of a darker colour
// into the template's for a gain.
bool PassesAmongOthers(SearchState& s, BlobFit& fit, int k) {
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
  return s.scorer->score(p.x, p.y, p.phase, &scratch.explained, s.tuning.accept, Surround::Judged) >=
         s.tuning.accept;
}

// Fits the placements around one blob and hands the result to the detections.
void FitBlob(SearchState& s, const Blob& blob, const std::vector<Rect>& excluded) {
  const ThoroughTemplate& unit = s.unit;
  const int reach = std::max(unit.width, unit.height) + 2;
  const Rect inner = Widened(blob.box, reach / 2);
  BlobFit fit(s.ink, unit, s.tuning.otherColour, Widened(blob.box, 2 * reach), excluded);
  std::vector<int> near;
  s.detections.near(fit.region(), near);
  for (const int id : near) {
    const Detection& d = s.detections[id];
    const Rect box = s.detections.boxOf(d.at);
    if (d.removed || !BoxesMeet(box, fit.region())) continue;
    fit.addMember(d.at, BoxesMeet(box, inner), id);
  }
  const float worth = s.tuning.overlapEvidence;
  // Proposals: placements centred on every second pixel across and down
  // within half a symbol of the blob.
  std::vector<std::array<int, 2>> centres;
  {
    const int half = reach / 2;
    const int cw = inner.width() / 2 + 1;
    const int ch = inner.height() / 2 + 1;
    std::vector<char> marked(static_cast<std::size_t>(cw) * static_cast<std::size_t>(ch), 0);
    for (const int k : blob.pixels) {
      const int x = k % s.width;
      const int y = k / s.width;
      for (int j = (y - half - inner.Top + 1) / 2; j <= (y + half - inner.Top) / 2; ++j) {
        for (int i = (x - half - inner.Left + 1) / 2; i <= (x + half - inner.Left) / 2; ++i) {
          if (i < 0 || j < 0 || i >= cw || j >= ch) continue;
          char& m = marked[static_cast<std::size_t>(j) * static_cast<std::size_t>(cw) + i];
          if (!m) centres.push_back({inner.Left + 2 * i, inner.Top + 2 * j});
          m = 1;
        }
      }
    }
  }
  std::vector<char> tried(centres.size(), 0);
  int failures = 0;
  while (failures < MostFailures) {
    Position best{};
    float bestGain = 0;
    std::size_t bestCentre = 0;
    for (std::size_t i = 0; i < centres.size(); ++i) {
      if (tried[i]) continue;
      const Placement p =
          PlacementOf({static_cast<int>(std::lround((centres[i][0] - unit.centreX) * PhaseSteps)),
                       static_cast<int>(std::lround((centres[i][1] - unit.centreY) * PhaseSteps))});
      const Position at{p.x * PhaseSteps, p.y * PhaseSteps};
      const float g = fit.gainOfAdding(at);
      if (g < bestGain) {
        bestGain = g;
        best = at;
        bestCentre = i;
      }
    }
    if (bestGain >= 0) break;
    Descend(s, best, bestGain, 4 * PhaseSteps, [&](Position p) { return fit.gainOfAdding(p); });
    // Tried with its neighbours moved to make room: two symbols close
    // together look like one a little larger until both are placed.
    const BlobFit::Mark mark = fit.mark();
    const Rect around = Widened(fit.boxOf(best), reach);
    const float before = fit.misfitOver(around);
    const int k = fit.addMember(best, true, -1);
    MoveAround(s, fit, k, near);
    const float gain = before - fit.misfitOver(around);
    const Position placed = fit.members()[static_cast<std::size_t>(k)].at;
    if (gain > worth * fit.evidenceAt(placed) && PassesAmongOthers(s, fit, k)) continue;
    fit.restore(mark);
    ++failures;
    // Nothing near this proposal is tried again.
    for (std::size_t i = 0; i < centres.size(); ++i) {
      if (std::abs(centres[i][0] - centres[bestCentre][0]) <= reach / 2 &&
          std::abs(centres[i][1] - centres[bestCentre][1]) <= reach / 2)
        tried[i] = 1;
    }
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

bool ResolveOverlaps(SearchState& s, const std::vector<Rect>& excluded) {
  ExplainedInk explained;
  explained.reset(0, 0, s.width, s.height);
  for (int id = 0; id < s.detections.size(); ++id) {
    const Detection& d = s.detections[id];
    if (d.removed) continue;
    const Placement p = PlacementOf(d.at);
    explained.add(s.unit.phases[static_cast<std::size_t>(p.phase)], p.x, p.y);
  }
  const float least = 0.5f * s.tuning.overlapEvidence * s.unit.phases[0].totalLength;
  for (const Blob& blob : FindBlobs(s, explained, excluded)) {
    if (blob.ink < least) continue;
    FitBlob(s, blob, excluded);
    if (!s.keepGoing(0, static_cast<std::int64_t>(blob.pixels.size()) * s.scoreWork() * 4)) return false;
  }
  return true;
}
