#include "extract/channels/ColumnBias.h"

#include <algorithm>
#include <cmath>

#include "extract/channels/ChannelSolver.h"
#include "extract/thorough/InkPicture.h"

namespace {

// Symbols measured at the least, and the share of the extremes left out of
// their mean at either end.
constexpr std::size_t FewestMeasured = 8;
constexpr double TrimmedShare = 0.1;
// A symbol is measured when this share of its ink is left to measure.
constexpr double LeastShown = 0.25;
// Rounds of measuring about the columns moved by what the last found.
constexpr int Rounds = 3;
// Other symbols' ink is kept out of a window this many pixels beyond their
// templates' ink, as they may lie a little off.
constexpr int Grown = 1;
// The spacing is corrected too when the symbols measured span this share of
// the channels.
constexpr double SpreadShare = 0.5;

float Strength(std::uint32_t ink) {
  const float r = static_cast<float>(InkRed(ink));
  const float g = static_cast<float>(InkGreen(ink));
  const float b = static_cast<float>(InkBlue(ink));
  return std::sqrt(r * r + g * g + b * b);
}

// The pixels the unit's ink covers, grown by `grow` pixels, from its top left.
std::vector<std::array<int, 2>> Footprint(const ThoroughTemplate& unit, int grow) {
  const auto inked = [&](int x, int y) {
    if (x < 0 || y < 0 || x >= unit.width || y >= unit.height) return false;
    const auto& v = unit.baseInk[static_cast<std::size_t>(y * unit.width + x)];
    return v[0] + v[1] + v[2] > 0;
  };
  std::vector<std::array<int, 2>> out;
  for (int y = -grow; y < unit.height + grow; ++y) {
    for (int x = -grow; x < unit.width + grow; ++x) {
      bool near = false;
      for (int dy = -grow; dy <= grow && !near; ++dy)
        for (int dx = -grow; dx <= grow && !near; ++dx) near = inked(x + dx, y + dy);
      if (near) out.push_back({x, y});
    }
  }
  return out;
}

// One symbol's centre across, from its channel's column.
struct Measured {
  int k;  // the channel
  double offset;
};

// The line through the offsets by least squares, or their mean when `slope`
// is false.
ColumnShift FittedLine(const std::vector<Measured>& m, bool slope) {
  double n = 0, sk = 0, so = 0, skk = 0, sko = 0;
  for (const Measured& p : m) {
    n += 1;
    sk += p.k;
    so += p.offset;
    skk += p.k * p.k;
    sko += p.k * p.offset;
  }
  ColumnShift line;
  const double det = n * skk - sk * sk;
  if (slope && det > 0) {
    line.perChannel = (n * sko - sk * so) / det;
    line.first = (so - line.perChannel * sk) / n;
  } else {
    line.first = so / n;
  }
  return line;
}

}  // namespace

std::optional<ColumnShift> ColumnBias(const std::vector<std::uint32_t>& judged, int width, int height,
                                      const ThoroughTemplate& unit, const std::vector<ChannelPoint>& points) {
  if (unit.baseInk.empty() || points.empty()) return std::nullopt;
  const auto index = [&](int x, int y) {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
  };
  // How many symbols cover each pixel, each where its template would lie.
  const std::vector<std::array<int, 2>> footprint = Footprint(unit, Grown);
  std::vector<std::uint16_t> covered(judged.size(), 0);
  const auto corner = [&](const ChannelPoint& p, const ColumnShift& shift) {
    return std::array<int, 2>{static_cast<int>(std::lround(p.x + shift.at(p.channel) - unit.centreX)),
                              static_cast<int>(std::lround(p.y - unit.centreY))};
  };
  double unitInk = 0;
  for (const auto& v : unit.baseInk) unitInk += std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);

  // The window holds the symbol with a pixel of paper around it.
  const double reachX = unit.width / 2.0 + 1;
  const double reachY = unit.height / 2.0 + 1;
  std::vector<char> own;
  ColumnShift shift;
  const int span = points.back().channel - points.front().channel;
  for (int round = 0; round < Rounds; ++round) {
    std::fill(covered.begin(), covered.end(), 0);
    for (const ChannelPoint& p : points) {
      const auto [left, top] = corner(p, shift);
      for (const auto& [fx, fy] : footprint) {
        const int x = left + fx, y = top + fy;
        if (x >= 0 && y >= 0 && x < width && y < height) ++covered[index(x, y)];
      }
    }
    std::vector<Measured> offsets;
    for (const ChannelPoint& p : points) {
      const double column = p.x + shift.at(p.channel);
      // About a whole or half pixel, so that each pixel's mirror is a pixel.
      const int twice = static_cast<int>(std::lround(2 * column));
      const double centre = twice / 2.0;
      const int left = static_cast<int>(std::ceil(centre - reachX));
      const int right = twice - left;
      const int top = static_cast<int>(std::lround(p.y - reachY));
      const int bottom = static_cast<int>(std::lround(p.y + reachY));
      if (left < 0 || top < 0 || right >= width || bottom >= height) continue;
      // The pixels its own footprint covers, to tell the others' apart.
      const int w = right - left + 1;
      own.assign(static_cast<std::size_t>(w * (bottom - top + 1)), 0);
      const auto [ux, uy] = corner(p, shift);
      for (const auto& [fx, fy] : footprint) {
        const int x = ux + fx - left, y = uy + fy - top;
        if (x >= 0 && y >= 0 && x < w && y <= bottom - top) own[static_cast<std::size_t>(y * w + x)] = 1;
      }
      const auto counts = [&](int x, int y) {
        const std::size_t i = index(x, y);
        const int others = covered[i] - own[static_cast<std::size_t>((y - top) * w + x - left)];
        return others <= 0 && !(judged[i] & NotJudged);
      };
      double mass = 0, moment = 0;
      for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
          if (!counts(x, y) || !counts(twice - x, y)) continue;
          const double a = Strength(judged[index(x, y)]);
          mass += a;
          moment += a * (x - centre);
        }
      }
      if (mass < LeastShown * unitInk) continue;
      offsets.push_back({p.channel, centre + moment / mass - p.x});
    }
    if (offsets.size() < FewestMeasured) return std::nullopt;
    // The symbols measured must spread over the channels for the spacing to
    // be corrected too.
    const bool slope = offsets.back().k - offsets.front().k >= SpreadShare * span;
    ColumnShift line = FittedLine(offsets, slope);
    // Again without the share of symbols farthest from the line.
    std::vector<double> residual;
    for (const Measured& m : offsets) residual.push_back(std::abs(m.offset - line.at(m.k)));
    std::vector<double> sorted = residual;
    const auto keep = static_cast<std::size_t>((1 - TrimmedShare) * static_cast<double>(sorted.size()));
    std::nth_element(sorted.begin(), sorted.begin() + static_cast<std::ptrdiff_t>(keep), sorted.end());
    const double limit = sorted[keep];
    std::vector<Measured> kept;
    for (std::size_t i = 0; i < offsets.size(); ++i)
      if (residual[i] <= limit) kept.push_back(offsets[i]);
    shift = FittedLine(kept, slope);
  }
  return shift;
}
