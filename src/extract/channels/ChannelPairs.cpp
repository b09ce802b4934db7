#include <algorithm>
#include <cmath>

#include "extract/channels/ChannelSolver.h"

// The solver's moves on two neighbouring channels at once: their rows
// exchanged, or fitted together where their symbols overlap.

Rect ChannelSolver::boxOf(Position at) const {
  const Placement p = PlacementOf(at);
  return {p.x - 1, p.y - 1, p.x + unit_.width + 1, p.y + unit_.height + 1};
}

float ChannelSolver::misfitWith(Position pa, Position pb, Window& w) const {
  w.scratch = w.model;
  for (const Position at : {pa, pb}) {
    const Placement p = PlacementOf(at);
    w.scratch.add(unit_.phases[static_cast<std::size_t>(p.phase)], p.x, p.y);
  }
  float total = 0;
  for (std::size_t i = 0; i < w.ink.size(); ++i) {
    if (!(w.ink[i] & NotJudged)) total += InkDistance(w.ink[i], w.scratch.ink[i]);
  }
  return total;
}

bool ChannelSolver::swapRows(int a, int b, Window& w) {
  Channel& ca = channels_[static_cast<std::size_t>(a)];
  Channel& cb = channels_[static_cast<std::size_t>(b)];
  if (!ca.present || !cb.present || std::abs(ca.at.y - cb.at.y) > rows(unit_.height)) return false;
  const Position sa{ca.at.x, cb.at.y};
  const Position sb{cb.at.x, ca.at.y};
  const Rect ba = boxOf(ca.at), bb = boxOf(cb.at);
  const Rect box{std::min(ba.Left, bb.Left), std::min(ba.Top, bb.Top), std::max(ba.Right, bb.Right),
                 std::max(ba.Bottom, bb.Bottom)};
  prepareBox(box, a, b, w);
  if (misfitWith(sa, sb, w) >= misfitWith(ca.at, cb.at, w)) return false;
  ca.at = sa;
  cb.at = sb;
  return true;
}

bool ChannelSolver::refitPair(int a, int b, Window& w) {
  Channel& ca = channels_[static_cast<std::size_t>(a)];
  Channel& cb = channels_[static_cast<std::size_t>(b)];
  if (!ca.present || !cb.present || std::abs(ca.at.y - cb.at.y) > rows(unit_.height)) return false;
  const int lo = std::min(ca.at.y, cb.at.y) - rows(2);
  const int hi = std::max(ca.at.y, cb.at.y) + rows(2);
  const Rect ba = boxOf({ca.at.x, lo}), bb = boxOf({cb.at.x, lo});
  const Rect box{std::min(ba.Left, bb.Left), ba.Top, std::max(ba.Right, bb.Right),
                 boxOf({ca.at.x, hi}).Bottom};
  prepareBox(box, a, b, w);
  const ExplainedInk& m = w.model;
  const auto index = [&](int x, int y) {
    return static_cast<std::size_t>((y - m.top) * m.width + (x - m.left));
  };
  float best = 0;
  bool found = false;
  Position pa = ca.at, pb = cb.at;
  w.scratch = m;
  // Every pair of rows ya, yb (eighths) over the two ranges, `stride` apart.
  const auto search = [&](int aFrom, int aTo, int bFrom, int bTo, int stride) {
    for (int ya = aFrom; ya <= aTo; ya += stride) {
      // The misfit's change with a alone at ya, over its own pixels ...
      const Placement p = PlacementOf({ca.at.x, ya});
      const PhaseTemplate& phaseA = unit_.phases[static_cast<std::size_t>(p.phase)];
      float alone = 0;
      for (const TemplatePixel& t : phaseA.ink) {
        const std::size_t i = index(p.x + t.dx, p.y + t.dy);
        std::uint32_t& under = w.scratch.ink[i];
        under = InkUnion(m.ink[i], t.packed);
        if (!(w.ink[i] & NotJudged)) alone += InkDistance(w.ink[i], under) - w.base[i];
      }
      // ... and then with b at yb over b's.
      for (int yb = bFrom; yb <= bTo; yb += stride) {
        const Placement q = PlacementOf({cb.at.x, yb});
        float both = alone;
        for (const TemplatePixel& t : unit_.phases[static_cast<std::size_t>(q.phase)].ink) {
          const std::size_t i = index(q.x + t.dx, q.y + t.dy);
          if (w.ink[i] & NotJudged) continue;
          const std::uint32_t under = w.scratch.ink[i];
          both += InkDistance(w.ink[i], InkUnion(under, t.packed)) - InkDistance(w.ink[i], under);
        }
        if (!found || both < best) {
          found = true;
          best = both;
          pa = {ca.at.x, ya};
          pb = {cb.at.x, yb};
        }
      }
      for (const TemplatePixel& t : phaseA.ink) {
        const std::size_t i = index(p.x + t.dx, p.y + t.dy);
        w.scratch.ink[i] = m.ink[i];
      }
    }
  };
  search(ca.at.y, ca.at.y, cb.at.y, cb.at.y, 1);
  const float now = best;
  // Every pixel over the range, each channel on its own phase.
  const auto first = [&](int y) { return y - FloorDiv(y - lo, PhaseSteps) * PhaseSteps; };
  search(first(ca.at.y), hi, first(cb.at.y), hi, PhaseSteps);
  if (!found || best >= now) return false;
  ca.at = pa;
  cb.at = pb;
  return true;
}

bool ChannelSolver::polish() {
  if (channels_.empty()) return true;
  moved_.assign(channels_.size(), 0);
  // A pair reaches two channels beyond the first: blocks two wider than a
  // pass's keep pairs fitted at the same time apart.
  const int n = channels();
  const bool done = byBlocks(reach_ + 2, [&](int c, Window& w) {
    for (int d = 1; d <= 2 && c + d < n; ++d) {
      if (!refitPair(c, c + d, w)) continue;
      moved_[static_cast<std::size_t>(c)] = moved_[static_cast<std::size_t>(c + d)] = 1;
    }
    return static_cast<std::int64_t>(w.ink.size()) * 16;
  });
  return done && finish(nearMoved());
}

bool ChannelSolver::swaps() {
  bool changed = false;
  Window& w = windows_[0];
  for (int c = 0; c < channels(); ++c) {
    for (int d = 1; d <= 2 && c + d < channels(); ++d) {
      if (!swapRows(c, c + d, w)) continue;
      moved_[static_cast<std::size_t>(c)] = moved_[static_cast<std::size_t>(c + d)] = 1;
      changed = true;
    }
  }
  return changed;
}
