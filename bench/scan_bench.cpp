// Renders two plot scans of about 600 circle symbols on a spectrum-like curve,
// one on pure white and one on a noisy light grey, and times the fast symbol
// scan against the plain reference scan on each.

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "extract/ReferenceScan.h"
#include "extract/SymbolScan.h"
#include "extract/TemplateMeasures.h"

namespace {

constexpr int PictureWidth = 3000;
constexpr int PictureHeight = 2000;
constexpr int SymbolCount = 600;
constexpr double SymbolRadius = 5.2;  // about 11 x 11 pixels
constexpr double MatchFraction = 0.6;

struct Symbol {
  double x = 0;
  double y = 0;
  bool filled = true;
};

// A sextet of absorption dips on a flat baseline, with scatter.
std::vector<Symbol> SpectrumSymbols(std::mt19937& random) {
  std::normal_distribution<double> scatter(0.0, 10.0);
  const double dips[6] = {0.12, 0.27, 0.42, 0.58, 0.73, 0.88};
  const double depths[6] = {900, 600, 300, 300, 600, 900};
  std::vector<Symbol> symbols;
  for (int i = 0; i < SymbolCount; ++i) {
    const double t = (i + 0.5) / SymbolCount;
    double y = 350;
    for (int k = 0; k < 6; ++k) {
      const double d = (t - dips[k]) / 0.012;
      y += depths[k] / (1 + d * d);
    }
    symbols.push_back({40 + t * (PictureWidth - 80), y + scatter(random), i % 2 == 0});
  }
  return symbols;
}

// Share of the pixel (px, py) covered by the symbol, from 4 x 4 samples.
double Coverage(const Symbol& s, int px, int py) {
  int inside = 0;
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) {
      const double dx = px + (i + 0.5) / 4 - s.x;
      const double dy = py + (j + 0.5) / 4 - s.y;
      const double r = std::sqrt(dx * dx + dy * dy);
      inside += s.filled ? r <= SymbolRadius : (r <= SymbolRadius && r >= SymbolRadius - 1.6);
    }
  }
  return inside / 16.0;
}

void DrawSymbol(Bitmap& picture, const Symbol& s) {
  const int x0 = static_cast<int>(std::floor(s.x - SymbolRadius)) - 1;
  const int y0 = static_cast<int>(std::floor(s.y - SymbolRadius)) - 1;
  const int size = static_cast<int>(2 * SymbolRadius) + 4;
  for (int py = y0; py < y0 + size; ++py) {
    for (int px = x0; px < x0 + size; ++px) {
      if (!picture.contains(px, py)) continue;
      const double c = Coverage(s, px, py);
      if (c <= 0) continue;
      const Colour under = picture.pixel(px, py);
      auto blend = [c](int channel) { return static_cast<int>(std::lround(channel * (1 - c) + 20 * c)); };
      picture.setPixel(px, py, MakeColour(blend(RedOf(under)), blend(GreenOf(under)), blend(BlueOf(under))));
    }
  }
}

Bitmap RenderScan(const std::vector<Symbol>& symbols, bool tinted, std::mt19937& random) {
  Bitmap picture(PictureWidth, PictureHeight);
  if (tinted) {
    std::uniform_int_distribution<int> grey(222, 242);
    std::uniform_int_distribution<int> tint(-3, 3);
    for (int y = 0; y < PictureHeight; ++y) {
      Colour* row = picture.row(y);
      for (int x = 0; x < PictureWidth; ++x) {
        const int g = grey(random);
        row[x] = MakeColour(g + tint(random), g + tint(random), g);
      }
    }
  }
  for (const Symbol& s : symbols) DrawSymbol(picture, s);
  return picture;
}

// The filled symbol farthest from its neighbours, cut out with a margin.
Bitmap CutUnit(const Bitmap& picture, const std::vector<Symbol>& symbols) {
  std::size_t best = 0;
  double bestGap = -1;
  for (std::size_t i = 0; i < symbols.size(); ++i) {
    if (!symbols[i].filled) continue;
    double gap = 1e9;
    for (std::size_t j = 0; j < symbols.size(); ++j) {
      if (j != i) gap = std::min(gap, std::hypot(symbols[i].x - symbols[j].x, symbols[i].y - symbols[j].y));
    }
    if (gap > bestGap) {
      bestGap = gap;
      best = i;
    }
  }
  const int left = static_cast<int>(std::lround(symbols[best].x)) - 6;
  const int top = static_cast<int>(std::lround(symbols[best].y)) - 6;
  Bitmap unit(13, 13);
  unit.copyRect(0, 0, picture, {left, top, left + 13, top + 13});
  return unit;
}

class CountingObserver : public ScanObserver {
 public:
  void rowStarted(int, int) override {}
  void pointFound(int, int, int) override { ++points; }
  void repaintDue() override {}
  void handlePendingMessages() override {}
  bool stopRequested() const override { return false; }
  int points = 0;
};

using Seconds = std::chrono::duration<double>;

template <typename Scan>
double TimeScan(const Bitmap& picture, Scan scan, int& points) {
  Bitmap work = picture;
  CountingObserver observer;
  const auto start = std::chrono::steady_clock::now();
  scan(work, observer);
  const Seconds taken = std::chrono::steady_clock::now() - start;
  points = observer.points;
  return taken.count();
}

Bitmap Rows(const Bitmap& picture, int top, int count) {
  Bitmap strip(picture.width(), count);
  strip.copyRect(0, 0, picture, {0, top, picture.width(), top + count});
  return strip;
}

bool Measure(const char* name, const Bitmap& picture, const Bitmap& stored, int referenceRows) {
  const TemplateMeasures unit = MeasureTemplate(stored);
  const ScanParameters parameters{MatchFraction, unit.weight, false};
  auto fast = [&](Bitmap& p, ScanObserver& o) { ScanForSymbols(p, unit.trimmed, parameters, o); };
  auto reference = [&](Bitmap& p, ScanObserver& o) {
    ReferenceScanForSymbols(p, unit.trimmed, parameters, o);
  };

  int fastPoints = 0;
  double fastTime = 1e9;
  for (int run = 0; run < 20; ++run) fastTime = std::min(fastTime, TimeScan(picture, fast, fastPoints));

  std::printf("%s: %d x %d, unit %d x %d, match %.0f %%\n", name, picture.width(), picture.height(),
              unit.trimmed.width(), unit.trimmed.height(), MatchFraction * 100);
  bool same = true;
  if (referenceRows >= picture.height()) {
    int referencePoints = 0;
    double referenceTime = 1e9;
    for (int run = 0; run < 3; ++run)
      referenceTime = std::min(referenceTime, TimeScan(picture, reference, referencePoints));
    same = referencePoints == fastPoints;
    std::printf("  reference %.3f s (best of 3), fast %.4f s (best of 20), ratio %.0f\n", referenceTime,
                fastTime, referenceTime / fastTime);
    std::printf("  points: reference %d, fast %d%s\n", referencePoints, fastPoints, same ? "" : "  MISMATCH");
  } else {
    // The whole picture would take minutes: time the reference on a strip of
    // rows and scale by the height; its points are compared on that strip.
    const int top = 300;
    const Bitmap strip = Rows(picture, top, referenceRows);
    int referencePoints = 0;
    int stripPoints = 0;
    const double stripTime = TimeScan(strip, reference, referencePoints);
    TimeScan(strip, fast, stripPoints);
    const double scale = static_cast<double>(picture.height()) / referenceRows;
    const double referenceTime = stripTime * scale;
    same = referencePoints == stripPoints;
    std::printf(
        "  reference %.1f s (extrapolated: %.2f s on rows %d..%d, times %.1f), fast %.4f s (best of 20), "
        "ratio %.0f\n",
        referenceTime, stripTime, top, top + referenceRows - 1, scale, fastTime, referenceTime / fastTime);
    std::printf("  points on the strip: reference %d, fast %d%s; fast on the whole picture: %d\n",
                referencePoints, stripPoints, same ? "" : "  MISMATCH", fastPoints);
  }
  return same;
}

}  // namespace

int main(int argc, char** argv) {
  // An optional argument: rows of the tinted scan the reference is timed on.
  const int tintedRows = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
  std::mt19937 random(7);
  const std::vector<Symbol> symbols = SpectrumSymbols(random);
  const Bitmap clean = RenderScan(symbols, false, random);
  const Bitmap tinted = RenderScan(symbols, true, random);
  bool same = Measure("clean", clean, CutUnit(clean, symbols), PictureHeight);
  same = Measure("tinted", tinted, CutUnit(tinted, symbols), std::min(tintedRows, PictureHeight)) && same;
  return same ? 0 : 1;
}
