#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "extract/ScanComparison.h"
#include "extract/SymbolScan.h"
#include "extract/TemplateMeasures.h"
#include "extract/TestPictures.h"

namespace {

using Random = std::mt19937;

int Uniform(Random& random, int low, int high) {
  return std::uniform_int_distribution<int>(low, high)(random);
}
bool Chance(Random& random, double p) {
  return std::bernoulli_distribution(p)(random);
}

Colour RandomColour(Random& random) {
  return MakeColour(Uniform(random, 0, 255), Uniform(random, 0, 255), Uniform(random, 0, 255));
}

Colour LightColour(Random& random) {
  return MakeColour(Uniform(random, 200, 255), Uniform(random, 200, 255), Uniform(random, 200, 254));
}

// A symbol of random shape: black, one colour, or a pixel-by-pixel mix.
Bitmap RandomSymbol(Random& random) {
  const int width = Uniform(random, 1, 12);
  const int height = Uniform(random, 1, 12);
  const int style = Uniform(random, 0, 2);
  const Colour single = style == 0 ? BlackColour : RandomColour(random);
  const double fill = 0.3 + 0.7 * std::uniform_real_distribution<double>(0, 1)(random);
  Bitmap symbol(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (!Chance(random, fill)) continue;
      symbol.setPixel(x, y, style == 2 ? RandomColour(random) : single);
    }
  }
  return symbol;
}

// The symbol as printed: exact, or with each ink pixel shifted in colour.
Bitmap Variant(Random& random, const Bitmap& symbol) {
  if (Chance(random, 0.5)) return symbol;
  Bitmap out = symbol;
  const int shift = Uniform(random, -60, 60);
  for (int y = 0; y < out.height(); ++y) {
    for (int x = 0; x < out.width(); ++x) {
      const Colour c = out.pixel(x, y);
      if (IsWhite(c)) continue;
      auto move = [&](int v) { return std::clamp(v + shift + Uniform(random, -10, 10), 0, 254); };
      out.setPixel(x, y, MakeColour(move(RedOf(c)), move(GreenOf(c)), move(BlueOf(c))));
    }
  }
  return out;
}

struct Case {
  Bitmap picture;
  Bitmap unit;
  ScanParameters parameters;
};

Case RandomCase(Random& random) {
  Case c;
  const int width = Uniform(random, 1, 200);
  const int height = Uniform(random, 1, 150);
  const int background = Uniform(random, 0, 3);  // white, white with noise, tinted, tinted with noise
  c.picture = Bitmap(width, height);
  if (background >= 2) {
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) c.picture.setPixel(x, y, LightColour(random));
  }
  const Bitmap symbol = RandomSymbol(random);
  const int count = Uniform(random, 0, width * height / 40 + 1);
  for (int i = 0; i < count; ++i) {
    StampSymbol(c.picture, Variant(random, symbol), Uniform(random, -symbol.width(), width),
                Uniform(random, -symbol.height(), height));
  }
  if (background % 2 == 1) {
    const int noise = Uniform(random, 0, width * height / 10);
    for (int i = 0; i < noise; ++i) {
      c.picture.setPixel(Uniform(random, 0, width - 1), Uniform(random, 0, height - 1), RandomColour(random));
    }
  }
  // Mostly the trimmed template as a run prepares it, sometimes an untrimmed one.
  const TemplateMeasures measures = MeasureTemplate(symbol);
  c.unit = Chance(random, 0.9) ? measures.trimmed : symbol;
  const double matches[] = {0.0, 0.5, 0.6, 0.9, 1.0, -0.2, 1.2};
  c.parameters.matchFraction = Chance(random, 0.8) ? matches[Uniform(random, 0, 6)]
                                                   : std::uniform_real_distribution<double>(0, 1)(random);
  c.parameters.templateWeight = measures.weight;
  c.parameters.strict = Chance(random, 0.5);
  return c;
}

TEST(ScanDifferential, FastScanReportsExactlyWhatTheReferenceReports) {
  Random random(20240611);
  const std::vector<ScanOptions> optionSets = EveryScanOptionSet();
  int pointsSeen = 0;
  for (int iteration = 0; iteration < 400; ++iteration) {
    SCOPED_TRACE("iteration " + std::to_string(iteration));
    const Case c = RandomCase(random);
    SCOPED_TRACE("picture " + std::to_string(c.picture.width()) + " x " + std::to_string(c.picture.height()) +
                 ", unit " + std::to_string(c.unit.width()) + " x " + std::to_string(c.unit.height()) +
                 ", match " + std::to_string(c.parameters.matchFraction) +
                 (c.parameters.strict ? ", strict" : ""));
    const ScanOutcome expected = RunReferenceScan(c.picture, c.unit, c.parameters);
    for (std::size_t k = 0; k < optionSets.size(); ++k) {
      SCOPED_TRACE("option set " + std::to_string(k));
      const ScanOutcome actual = RunFastScan(c.picture, c.unit, c.parameters, optionSets[k]);
      ASSERT_EQ(actual.events, expected.events);
      ASSERT_TRUE(actual.picture == expected.picture);
    }
    pointsSeen += static_cast<int>(expected.points.size());
  }
  // The generator must produce real work, not empty scans.
  EXPECT_GT(pointsSeen, 2000);
}

}  // namespace
