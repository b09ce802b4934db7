#include "extract/thorough/SymbolKinds.h"

#include <algorithm>
#include <cmath>

#include "extract/thorough/LargerShape.h"

namespace {

// Bilinear between the four values around (x, y) of a grid given by `at`,
// which gives -1 where a value is not to be used; -1 when one of the four
// with a weight is not.
template <typename At>
float Bilinear(double x, double y, At&& at) {
  const int x0 = static_cast<int>(std::floor(x));
  const int y0 = static_cast<int>(std::floor(y));
  const double fx = x - x0;
  const double fy = y - y0;
  const double w[4] = {(1 - fx) * (1 - fy), fx * (1 - fy), (1 - fx) * fy, fx * fy};
  const float v[4] = {at(x0, y0), at(x0 + 1, y0), at(x0, y0 + 1), at(x0 + 1, y0 + 1)};
  double sum = 0;
  for (int k = 0; k < 4; ++k) {
    if (w[k] <= 0) continue;
    if (v[k] < 0) return -1;
    sum += w[k] * v[k];
  }
  return static_cast<float>(sum);
}

}  // namespace

int InkSample::ReachOf(const ThoroughTemplate& unit) {
  return (std::max(unit.gridWidth(), unit.gridHeight()) + 1) / 2 + 1;
}

InkSample::InkSample(const InkPicture& picture, const ThoroughTemplate& unit, const ThoroughTuning& tuning,
                     double centreX, double centreY, const ExplainedInk* explained)
    : reach_(ReachOf(unit)) {
  const int size = 2 * reach_ + 1;
  ink_.assign(static_cast<std::size_t>(size * size), 0.0f);
  shown_.assign(ink_.size(), 0);
  const ColourInk colour(picture, unit, tuning, explained);
  // The symbol's own ink: what is eight-connected to the ink under the
  // template's strong pixels. Other ink in the window (a grid line passing
  // close by, a letter) is not the symbol's and is not sampled.
  const int left = static_cast<int>(std::floor(centreX)) - reach_ - 1;
  const int top = static_cast<int>(std::floor(centreY)) - reach_ - 1;
  const int span = size + 3;
  const float least = tuning.shapeInk * unit.maxLength;
  std::vector<float> ink(static_cast<std::size_t>(span * span));
  std::vector<char> own(ink.size(), 0);
  for (int j = 0; j < span; ++j) {
    for (int i = 0; i < span; ++i) ink[static_cast<std::size_t>(j * span + i)] = colour.at(left + i, top + j);
  }
  std::vector<int> stack;
  const int x0 = static_cast<int>(std::lround(centreX - unit.centreX));
  const int y0 = static_cast<int>(std::lround(centreY - unit.centreY));
  for (const TemplatePixel& p : unit.phases[0].ink) {
    if (p.length < 0.5f * unit.maxLength) continue;
    const int i = x0 + p.dx - left;
    const int j = y0 + p.dy - top;
    if (i < 0 || j < 0 || i >= span || j >= span) continue;
    const std::size_t k = static_cast<std::size_t>(j * span + i);
    if (own[k] || ink[k] < least) continue;
    own[k] = 1;
    stack.push_back(j * span + i);
  }
  while (!stack.empty()) {
    const int k = stack.back();
    stack.pop_back();
    const int i = k % span;
    const int j = k / span;
    for (int nj = std::max(0, j - 1); nj <= std::min(span - 1, j + 1); ++nj) {
      for (int ni = std::max(0, i - 1); ni <= std::min(span - 1, i + 1); ++ni) {
        const std::size_t n = static_cast<std::size_t>(nj * span + ni);
        if (own[n] || ink[n] < least) continue;
        own[n] = 1;
        stack.push_back(nj * span + ni);
      }
    }
  }
  const auto at = [&](int x, int y) -> float {
    const int i = x - left;
    const int j = y - top;
    if (i < 0 || j < 0 || i >= span || j >= span) return colour.at(x, y);
    const std::size_t k = static_cast<std::size_t>(j * span + i);
    return ink[k] >= least && !own[k] ? -1.0f : ink[k];
  };
  for (int v = -reach_; v <= reach_; ++v) {
    for (int u = -reach_; u <= reach_; ++u) {
      const float a = Bilinear(centreX + u, centreY + v, at);
      if (a < 0) continue;
      const std::size_t k = static_cast<std::size_t>((v + reach_) * size + u + reach_);
      ink_[k] = a;
      shown_[k] = 1;
    }
  }
  smooth();
}

InkSample::InkSample(const ThoroughTemplate& unit) : reach_(ReachOf(unit)) {
  const int size = 2 * reach_ + 1;
  ink_.assign(static_cast<std::size_t>(size * size), 0.0f);
  shown_.assign(ink_.size(), 1);
  const PhaseTemplate& base = unit.phases[0];
  const int gw = unit.gridWidth();
  const int gh = unit.gridHeight();
  const auto at = [&](int i, int j) {
    return i < 0 || j < 0 || i >= gw || j >= gh
               ? 0.0f
               : std::min(base.grid[static_cast<std::size_t>(j * gw + i)], unit.maxLength);
  };
  for (int v = -reach_; v <= reach_; ++v) {
    for (int u = -reach_; u <= reach_; ++u) {
      // Grid pixel i lies on template pixel i - 1.
      ink_[static_cast<std::size_t>((v + reach_) * size + u + reach_)] =
          Bilinear(unit.centreX + 1 + u, unit.centreY + 1 + v, at);
    }
  }
  smooth();
}

void InkSample::smooth() {
  const int size = 2 * reach_ + 1;
  // Weights 1 2 1 across and down, over the shown pixels.
  for (int pass = 0; pass < 2; ++pass) {
    std::vector<float> out(ink_.size(), 0.0f);
    for (int j = 0; j < size; ++j) {
      for (int i = 0; i < size; ++i) {
        const std::size_t k = static_cast<std::size_t>(j * size + i);
        if (!shown_[k]) continue;
        float sum = 0, weight = 0;
        for (int d = -1; d <= 1; ++d) {
          const int ni = pass == 0 ? i + d : i;
          const int nj = pass == 0 ? j : j + d;
          if (ni < 0 || nj < 0 || ni >= size || nj >= size) continue;
          const std::size_t n = static_cast<std::size_t>(nj * size + ni);
          if (!shown_[n]) continue;
          const float w = d == 0 ? 2.0f : 1.0f;
          sum += w * ink_[n];
          weight += w;
        }
        out[k] = sum / weight;
      }
    }
    ink_ = std::move(out);
  }
}

float Unlikeness(const InkSample& a, const InkSample& b) {
  double apart = 0;
  double either = 0;
  for (std::size_t k = 0; k < a.ink_.size() && k < b.ink_.size(); ++k) {
    if (!a.shown_[k] || !b.shown_[k]) continue;
    apart += std::abs(a.ink_[k] - b.ink_[k]);
    either += std::max(a.ink_[k], b.ink_[k]);
  }
  return either <= 0 ? 1.0f : static_cast<float>(apart / either);
}

InkSample InkSample::Middle(const std::vector<const InkSample*>& samples) {
  InkSample m;
  if (samples.empty()) return m;
  m.reach_ = samples.front()->reach_;
  m.ink_.assign(samples.front()->ink_.size(), 0.0f);
  m.shown_.assign(m.ink_.size(), 0);
  std::vector<int> count(m.ink_.size(), 0);
  for (const InkSample* s : samples) {
    for (std::size_t k = 0; k < m.ink_.size(); ++k) {
      if (!s->shown_[k]) continue;
      m.ink_[k] += s->ink_[k];
      ++count[k];
    }
  }
  for (std::size_t k = 0; k < m.ink_.size(); ++k) {
    if (count[k] == 0) continue;
    m.ink_[k] /= static_cast<float>(count[k]);
    m.shown_[k] = 1;
  }
  return m;
}

namespace {

// A split of some samples in two groups, started from the unit's ink and
// from one sample.
struct Split {
  InkSample first;
  InkSample second;
  std::vector<char> inSecond;
  int members = 0;
  float apart = 0;         // how unlike the two middles are
  float spread = 0;        // the larger of the groups' median unlikeness to their middle
  bool unitFirst = false;  // the unit is more like the first group's middle
};

Split TwoMeans(const std::vector<const InkSample*>& samples, const InkSample& unit, const InkSample& seed) {
  const std::size_t n = samples.size();
  Split split;
  split.inSecond.assign(n, 0);
  split.first = unit;
  split.second = seed;
  for (int round = 0; round < 8; ++round) {
    std::vector<const InkSample*> a, b;
    std::vector<char> next(n, 0);
    for (std::size_t i = 0; i < n; ++i) {
      next[i] = Unlikeness(*samples[i], split.second) < Unlikeness(*samples[i], split.first) ? 1 : 0;
      (next[i] ? b : a).push_back(samples[i]);
    }
    if (b.empty()) {
      split.inSecond.assign(n, 0);
      return split;
    }
    split.first = a.empty() ? unit : InkSample::Middle(a);
    split.second = InkSample::Middle(b);
    const bool settled = next == split.inSecond;
    split.inSecond = std::move(next);
    if (settled) break;
  }
  const auto medianTo = [&](bool ofSecond) {
    std::vector<float> d;
    for (std::size_t i = 0; i < n; ++i) {
      if ((split.inSecond[i] != 0) == ofSecond)
        d.push_back(Unlikeness(*samples[i], ofSecond ? split.second : split.first));
    }
    if (d.empty()) return 0.0f;
    std::nth_element(d.begin(), d.begin() + static_cast<std::ptrdiff_t>(d.size() / 2), d.end());
    return d[d.size() / 2];
  };
  split.members = static_cast<int>(std::count(split.inSecond.begin(), split.inSecond.end(), 1));
  split.apart = Unlikeness(split.first, split.second);
  split.spread = std::max(medianTo(false), medianTo(true));
  split.unitFirst = Unlikeness(unit, split.first) < Unlikeness(unit, split.second);
  return split;
}

}  // namespace

std::optional<float> UnlikeGap(const std::vector<InkSample>& alone, const InkSample& unit,
                               const ThoroughTuning& tuning) {
  constexpr float Wide = 3.0f;        // the gap's far side at least this many times its near side
  constexpr float LeastNear = 0.02f;  // the near side counts as no less than this
  constexpr float FarUnlike = 1.5f;   // the far side is this many times as unlike as kinds must be
  std::vector<float> u;
  for (const InkSample& a : alone) u.push_back(Unlikeness(a, unit));
  std::sort(u.begin(), u.end());
  const std::size_t fewest = static_cast<std::size_t>(tuning.fewestOtherKind);
  float bestRatio = Wide;
  std::optional<float> gap;
  for (std::size_t k = fewest; k + fewest <= u.size(); ++k) {
    // u[k - 1] the last like the unit, u[k] the first unlike it.
    const float nearSide = std::max(u[k - 1], LeastNear);
    if (u[k] < FarUnlike * tuning.kindsUnlike) continue;
    const float ratio = u[k] / nearSide;
    if (ratio > bestRatio) {
      bestRatio = ratio;
      gap = std::sqrt(nearSide * u[k]);
    }
  }
  return gap;
}

std::optional<SymbolKinds> SplitKinds(const std::vector<InkSample>& alone, const InkSample& unit,
                                      const ThoroughTuning& tuning) {
  std::vector<const InkSample*> clean;
  // A spread-out part of many is plenty to tell the kinds by.
  constexpr std::size_t Enough = 100;
  const std::size_t n = alone.size();
  for (std::size_t k = 0; k < std::min(n, Enough); ++k) clean.push_back(&alone[k * n / std::min(n, Enough)]);
  if (static_cast<int>(clean.size()) < 2 * tuning.fewestOtherKind) return std::nullopt;
  // The second group is started from samples at several ranks of unlikeness
  // to the unit: the least like it may be a lone oddity.
  std::vector<std::pair<float, const InkSample*>> ranked;
  for (const InkSample* c : clean) ranked.push_back({Unlikeness(*c, unit), c});
  std::stable_sort(ranked.begin(), ranked.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  Split best;
  float bestRatio = 0;
  for (const double rank : {1.0, 0.9, 0.8, 0.65}) {
    const std::size_t at =
        std::min(clean.size() - 1, static_cast<std::size_t>(rank * static_cast<double>(clean.size())));
    Split split = TwoMeans(clean, unit, *ranked[at].second);
    if (split.members < tuning.fewestOtherKind || !split.unitFirst || split.apart < tuning.kindsUnlike)
      continue;
    const float ratio = split.apart / std::max(split.spread, 1e-3f);
    if (ratio > bestRatio) {
      bestRatio = ratio;
      best = std::move(split);
    }
  }
  if (bestRatio < tuning.kindsApart) return std::nullopt;
  return SymbolKinds{std::move(best.first), std::move(best.second)};
}

bool SymbolKinds::isOther(const InkSample& sample, const ThoroughTuning& tuning) const {
  return Unlikeness(sample, other) < tuning.kindsCloser * Unlikeness(sample, unit);
}
