#include "BenchRuns.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "extract/SymbolScan.h"
#include "extract/TemplateMeasures.h"

namespace {

// A symbol whose share of uncovered ink is below this is buried by others.
constexpr double VisibleShare = 0.1;

class Collector final : public ScanObserver {
 public:
  explicit Collector(const TemplateMeasures& m) : m_(m) {}
  void rowStarted(int, int) override {}
  void pointFound(int x2, int y, int anchor) override {
    points.push_back({static_cast<double>(x2 - anchor + m_.centreX), static_cast<double>(y + m_.centreY), 0});
  }
  void repaintDue() override {}
  void handlePendingMessages() override {}
  bool stopRequested() const override { return false; }
  std::vector<Found> points;

 private:
  const TemplateMeasures& m_;
};

}  // namespace

Bitmap UnitOf(const devset::DevPicture& p) {
  Bitmap unit(p.unit.Right - p.unit.Left + 1, p.unit.Bottom - p.unit.Top + 1);
  unit.copyRect(0, 0, p.picture, {p.unit.Left, p.unit.Top, p.unit.Right + 1, p.unit.Bottom + 1});
  return unit;
}

Figures Compare(const devset::DevPicture& p, const std::vector<Found>& found, double radius, bool detail,
                const char* mode) {
  struct Pair {
    double d;
    std::size_t t, f;
  };
  std::vector<Pair> pairs;
  for (std::size_t t = 0; t < p.truth.size(); ++t) {
    for (std::size_t f = 0; f < found.size(); ++f) {
      const double d = std::hypot(found[f].x - p.truth[t].inkX, found[f].y - p.truth[t].inkY);
      if (d <= radius) pairs.push_back({d, t, f});
    }
  }
  std::sort(pairs.begin(), pairs.end(), [](const Pair& a, const Pair& b) { return a.d < b.d; });
  std::vector<char> usedT(p.truth.size(), 0), usedF(found.size(), 0);
  int matched = 0, matchedOptional = 0, required = 0, visible = 0, matchedVisible = 0;
  double sum2 = 0, across = 0, across2 = 0, down = 0, down2 = 0;
  int rims = 0;
  for (const Pair& pr : pairs) {
    if (usedT[pr.t] || usedF[pr.f]) continue;
    usedT[pr.t] = usedF[pr.f] = 1;
    const devset::TruthPoint& t = p.truth[pr.t];
    if (t.optional) {
      ++matchedOptional;
      continue;
    }
    ++matched;
    sum2 += pr.d * pr.d;
    across += found[pr.f].x - t.x;
    across2 += (found[pr.f].x - t.x) * (found[pr.f].x - t.x);
    if (t.rimVisible) {
      ++rims;
      down += found[pr.f].y - t.inkY;
      down2 += (found[pr.f].y - t.inkY) * (found[pr.f].y - t.inkY);
    }
  }
  for (std::size_t t = 0; t < p.truth.size(); ++t) {
    if (p.truth[t].optional) continue;
    ++required;
    if (p.truth[t].visible < VisibleShare) continue;
    ++visible;
    matchedVisible += usedT[t] ? 1 : 0;
  }
  if (detail) {
    for (std::size_t t = 0; t < p.truth.size(); ++t) {
      if (!usedT[t] && !p.truth[t].optional) {
        std::printf("    %s missed  %8.2f %8.2f  visible %.2f\n", mode, p.truth[t].inkX, p.truth[t].inkY,
                    p.truth[t].visible);
      }
    }
    for (std::size_t f = 0; f < found.size(); ++f) {
      if (!usedF[f])
        std::printf("    %s extra   %8.2f %8.2f  score %.3f\n", mode, found[f].x, found[f].y, found[f].score);
    }
  }
  Figures fig;
  fig.found = static_cast<int>(found.size());
  const int counted = static_cast<int>(found.size()) - matchedOptional;
  fig.recall = required == 0 ? 1 : static_cast<double>(matched) / required;
  fig.precision = counted == 0 ? 1 : static_cast<double>(matched) / counted;
  fig.rms = matched > 0 ? std::sqrt(sum2 / matched) : 0;
  fig.rmsAcross = matched > 0 ? std::sqrt(across2 / matched) : 0;
  fig.biasAcross = matched > 0 ? across / matched : 0;
  fig.rmsDown = rims > 0 ? std::sqrt(down2 / rims) : 0;
  fig.biasDown = rims > 0 ? down / rims : 0;
  fig.visible = visible;
  fig.visibleRecall = visible == 0 ? 1 : static_cast<double>(matchedVisible) / visible;
  return fig;
}

double Seconds(Clock::time_point from) {
  return std::chrono::duration<double>(Clock::now() - from).count();
}

std::vector<Found> RunDefault(const Bitmap& picture, const Bitmap& unit, double& seconds) {
  const auto start = Clock::now();
  const TemplateMeasures m = MeasureTemplate(unit);
  Bitmap work = picture;
  Collector c(m);
  ScanForSymbols(work, m.trimmed, {0.6, m.weight, false}, c);
  seconds = Seconds(start);
  return c.points;
}

std::vector<Found> RunThorough(const Bitmap& picture, const Bitmap& unit, double& seconds) {
  const auto start = Clock::now();
  Quiet q;
  const ThoroughResult r = FindSymbolsThorough(picture, unit, q);
  seconds = Seconds(start);
  std::vector<Found> out;
  for (const ThoroughPoint& p : r.points) out.push_back({p.x, p.y, p.score});
  return out;
}
