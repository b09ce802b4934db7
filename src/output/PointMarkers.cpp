#include "output/PointMarkers.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// The ring's radius: this share of the unit rectangle's smaller side (the
// symbol less the rectangle's margin) and a gap, within the limits.
constexpr double SymbolShare = 0.45;
constexpr double RingGap = 1.5;
constexpr double SmallestRing = 3.0;
constexpr double LargestRing = 40.0;
// Half widths of the halo and the ring, the dot's radius, and the halo's opacity.
constexpr double HaloHalfWidth = 1.75;
constexpr double RingHalfWidth = 0.8;
constexpr double DotRadius = 1.3;
constexpr double HaloOpacity = 170.0 / 255.0;
constexpr double SelectedWash = 0.4;
constexpr int Samples = 4;  // per pixel side

struct Rgba {
  double r = 0, g = 0, b = 0, a = 0;  // premultiplied, 0 .. 1
};

// `top` (straight colour, opacity a) laid over `under`.
Rgba Over(const Rgba& under, double r, double g, double b, double a) {
  return {r * a + under.r * (1 - a), g * a + under.g * (1 - a), b * a + under.b * (1 - a),
          a + under.a * (1 - a)};
}

double Distance(Colour a, int r, int g, int b) {
  return std::hypot(RedOf(a) - r, GreenOf(a) - g, BlueOf(a) - b);
}

}  // namespace

Colour MarkerColour(const Bitmap& unit) {
  double r = 0, g = 0, b = 0, n = 0;
  for (int y = 0; y < unit.height(); ++y) {
    const Colour* row = unit.row(y);
    for (int x = 0; x < unit.width(); ++x) {
      if (row[x] == WhiteColour) continue;
      r += RedOf(row[x]);
      g += GreenOf(row[x]);
      b += BlueOf(row[x]);
      n += 1;
    }
  }
  const Colour symbol =
      n > 0 ? MakeColour(static_cast<int>(r / n), static_cast<int>(g / n), static_cast<int>(b / n))
            : MakeColour(0, 0, 0);
  const std::array<Colour, 5> choices = {MakeColour(255, 0, 200), MakeColour(0, 170, 255),
                                         MakeColour(255, 110, 0), MakeColour(0, 190, 60),
                                         MakeColour(230, 0, 0)};
  Colour best = choices[0];
  double bestDistance = -1;
  for (const Colour c : choices) {
    const double d =
        std::min(Distance(c, RedOf(symbol), GreenOf(symbol), BlueOf(symbol)), Distance(c, 255, 255, 255));
    if (d > bestDistance) {
      bestDistance = d;
      best = c;
    }
  }
  return best;
}

double MarkerRadius(const Bitmap& unit, double scale) {
  const double symbol = SymbolShare * std::max(1, std::min(unit.width(), unit.height()));
  return std::clamp(symbol * scale + RingGap, SmallestRing, LargestRing);
}

MarkerSprite MakeMarkerSprite(double radius, Colour colour, bool selected) {
  MarkerSprite m;
  m.half = static_cast<int>(std::ceil(radius + HaloHalfWidth + 1));
  const int side = m.side();
  m.pixels.assign(static_cast<std::size_t>(side) * static_cast<std::size_t>(side), 0);
  const double cr = RedOf(colour) / 255.0, cg = GreenOf(colour) / 255.0, cb = BlueOf(colour) / 255.0;
  const double centre = m.half + 0.5;
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      // The share of the pixel's samples inside the halo, the ring and the dot.
      double halo = 0, ring = 0, dot = 0, inside = 0;
      for (int j = 0; j < Samples; ++j) {
        for (int i = 0; i < Samples; ++i) {
          const double d = std::hypot(x + (i + 0.5) / Samples - centre, y + (j + 0.5) / Samples - centre);
          halo += std::abs(d - radius) <= HaloHalfWidth ? 1 : 0;
          ring += std::abs(d - radius) <= RingHalfWidth ? 1 : 0;
          dot += d <= DotRadius ? 1 : 0;
          inside += d < radius ? 1 : 0;
        }
      }
      const double n = Samples * Samples;
      Rgba p;
      if (selected) p = Over(p, cr, cg, cb, SelectedWash * inside / n);
      p = Over(p, 1, 1, 1, HaloOpacity * halo / n);
      p = Over(p, cr, cg, cb, ring / n);
      p = Over(p, cr, cg, cb, dot / n);
      const auto byte = [](double v) {
        return static_cast<std::uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255));
      };
      m.pixels[static_cast<std::size_t>(y * side + x)] =
          (byte(p.a) << 24) | (byte(p.r) << 16) | (byte(p.g) << 8) | byte(p.b);
    }
  }
  return m;
}

void DrawMarkers(Bitmap& picture, const std::vector<PictureCentre>& centres, std::size_t count,
                 const Bitmap& unit) {
  const MarkerSprite m = MakeMarkerSprite(MarkerRadius(unit, 1.0), MarkerColour(unit));
  const int side = m.side();
  for (std::size_t k = 0; k < std::min(count, centres.size()); ++k) {
    // Pixel k spans [k, k + 1): the centre falls in pixel floor(x + 0.5).
    const int cx = static_cast<int>(std::floor(centres[k].x + 0.5));
    const int cy = static_cast<int>(std::floor(centres[k].y + 0.5));
    for (int j = 0; j < side; ++j) {
      const int y = cy - m.half + j;
      if (y < 0 || y >= picture.height()) continue;
      Colour* row = picture.row(y);
      for (int i = 0; i < side; ++i) {
        const int x = cx - m.half + i;
        if (x < 0 || x >= picture.width()) continue;
        const std::uint32_t s = m.pixels[static_cast<std::size_t>(j * side + i)];
        const int a = static_cast<int>(s >> 24);
        if (a == 0) continue;
        const auto mix = [&](int top, int under) { return top + (under * (255 - a) + 127) / 255; };
        row[x] = MakeColour(mix(static_cast<int>((s >> 16) & 0xFFu), RedOf(row[x])),
                            mix(static_cast<int>((s >> 8) & 0xFFu), GreenOf(row[x])),
                            mix(static_cast<int>(s & 0xFFu), BlueOf(row[x])));
      }
    }
  }
}
