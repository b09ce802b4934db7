#include "devset/DevChannelTruth.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace devset {

ChannelFigures CompareChannelPoints(const DevPicture& p, const std::vector<FoundPoint>& found, double radius,
                                    double spacing, bool detail) {
  std::vector<std::size_t> order(p.truth.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::sort(order.begin(), order.end(),
            [&](std::size_t a, std::size_t b) { return p.truth[a].x < p.truth[b].x; });
  std::vector<char> used(p.truth.size(), 0);
  int matched = 0, required = 0, rims = 0, optional = 0;
  double across = 0, across2 = 0, down = 0, down2 = 0;
  for (const FoundPoint& f : found) {
    const auto it = std::lower_bound(order.begin(), order.end(), f.x,
                                     [&](std::size_t t, double x) { return p.truth[t].x < x; });
    std::size_t best = p.truth.size();
    double bestDx = spacing / 2;
    for (auto j = it == order.begin() ? it : it - 1; j != order.end() && j <= it + 1; ++j) {
      const double dx = std::abs(p.truth[*j].x - f.x);
      if (dx < bestDx) {
        bestDx = dx;
        best = *j;
      }
    }
    const bool paired = best < p.truth.size() && !used[best] &&
                        std::hypot(f.x - p.truth[best].inkX, f.y - p.truth[best].inkY) <= radius;
    if (!paired) {
      if (detail) std::printf("    extra   %8.2f %8.2f\n", f.x, f.y);
      continue;
    }
    used[best] = 1;
    const TruthPoint& t = p.truth[best];
    if (t.optional) {
      ++optional;
      continue;
    }
    ++matched;
    across += f.x - t.x;
    across2 += (f.x - t.x) * (f.x - t.x);
    if (t.rimVisible) {
      ++rims;
      down += f.y - t.inkY;
      down2 += (f.y - t.inkY) * (f.y - t.inkY);
      if (detail && std::abs(f.y - t.inkY) > 1)
        std::printf("    row off %8.2f %8.2f  by %.2f\n", t.inkX, t.inkY, f.y - t.inkY);
    }
  }
  for (std::size_t t = 0; t < p.truth.size(); ++t) {
    if (p.truth[t].optional) continue;
    ++required;
    if (detail && !used[t])
      std::printf("    missed  %8.2f %8.2f  visible %.2f\n", p.truth[t].inkX, p.truth[t].inkY,
                  p.truth[t].visible);
  }
  ChannelFigures fig;
  const int counted = static_cast<int>(found.size()) - optional;
  fig.recall = required == 0 ? 1 : static_cast<double>(matched) / required;
  fig.precision = counted == 0 ? 1 : static_cast<double>(matched) / counted;
  fig.velocityError = matched > 0 ? std::sqrt(across2 / matched) / spacing : 0;
  fig.velocityBias = matched > 0 ? across / matched / spacing : 0;
  fig.valueError = rims > 0 ? std::sqrt(down2 / rims) : 0;
  fig.valueBias = rims > 0 ? down / rims : 0;
  return fig;
}

}  // namespace devset
