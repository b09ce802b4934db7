#include "extract/thorough/CrossingLine.h"

#include <algorithm>
#include <cstddef>
#include <vector>

void UnmixCrossingLine(InkGrid& g) {
  constexpr float Counted = 0.1f;       // pixels with less of the strongest ink do not vote
  constexpr float ApartCosine = 0.99f;  // two inks whose colours are closer are one
  constexpr int LineReach = 3;          // the symbol's ink is looked for this far across the line
  constexpr float Strong = 0.4f;        // of the strongest ink, the pixels that tell the two inks
  float strongest = 0;
  for (const Vec3& v : g.ink) strongest = std::max(strongest, InkLength(v));
  if (strongest <= 0) return;
  const auto unit = [](const Vec3& v) {
    const float l = InkLength(v);
    return l > 0 ? Vec3{v[0] / l, v[1] / l, v[2] / l} : Vec3{0, 0, 0};
  };
  const auto dot = [](const Vec3& a, const Vec3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; };
  std::vector<std::size_t> counted;
  for (std::size_t i = 0; i < g.ink.size(); ++i) {
    if (InkLength(g.ink[i]) >= Counted * strongest) counted.push_back(i);
  }
  if (counted.size() < 4) return;
  const auto distance2 = [](const Vec3& a, const Vec3& b) {
    return (a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) + (a[2] - b[2]) * (a[2] - b[2]);
  };
  std::size_t first = counted.front();
  for (const std::size_t i : counted) {
    if (InkLength(g.ink[i]) > InkLength(g.ink[first])) first = i;
  }
  // Only strong pixels seed and settle the two inks by their ink: faint ones
  // (where a symbol's edge fades into the paper) differ by strength alone.
  std::vector<std::size_t> strong;
  for (const std::size_t i : counted) {
    if (InkLength(g.ink[i]) >= Strong * strongest) strong.push_back(i);
  }
  // The line is the ink drawn out along one direction that reaches the
  // rectangle's edge; the symbol's spreads both ways.
  struct Spread {
    double mass = 0, x = 0, y = 0, xx = 0, xy = 0, yy = 0;
    bool edge = false;
    double evenness() const {
      const double cx = x / mass, cy = y / mass;
      const double sxx = xx / mass - cx * cx, sxy = xy / mass - cx * cy, syy = yy / mass - cy * cy;
      const double half = (sxx + syy) / 2;
      const double root = std::sqrt(std::max(0.0, half * half - (sxx * syy - sxy * sxy)));
      return half + root <= 0 ? 0.0 : std::max(0.0, half - root) / (half + root);
    }
  };
  constexpr double LineEvenness = 0.25;  // the smaller spread of a line's ink under this share of the larger
  constexpr double SymbolEvenness = 0.4;
  std::vector<char> side(g.ink.size(), -1);
  Vec3 c0{}, c1{};
  int lineSide = -1;
  // Two inks by two-means, on the ink itself (its strength tells a dark
  // outline from a black line of nearly its hue) or on its hue alone (a
  // line's anti-aliased edge is its hue, fainter); either way started from
  // the strongest pixel and the one least like it. The first split that
  // shows a line through a symbol is taken.
  for (const bool byInk : {true, false}) {
    const auto apart = [&](const Vec3& a, const Vec3& b) {
      return byInk ? distance2(a, b) : 1 - dot(unit(a), unit(b));
    };
    const std::vector<std::size_t>& voters = byInk ? strong : counted;
    std::size_t second = first;
    for (const std::size_t i : voters) {
      if (apart(g.ink[i], g.ink[first]) > apart(g.ink[second], g.ink[first])) second = i;
    }
    std::array<Vec3, 2> mean{g.ink[first], g.ink[second]};
    bool split = true;
    for (int round = 0; round < 8 && split; ++round) {
      std::array<Vec3, 2> sum{};
      std::array<int, 2> members{0, 0};
      for (const std::size_t i : voters) {
        const std::size_t k = apart(g.ink[i], mean[1]) < apart(g.ink[i], mean[0]) ? 1 : 0;
        for (std::size_t c = 0; c < 3; ++c) sum[k][c] += g.ink[i][c];
        ++members[k];
      }
      split = members[0] > 0 && members[1] > 0;
      for (std::size_t k = 0; k < 2 && split; ++k) {
        for (std::size_t c = 0; c < 3; ++c) mean[k][c] = sum[k][c] / static_cast<float>(members[k]);
      }
    }
    if (!split) continue;
    c0 = unit(mean[0]);
    c1 = unit(mean[1]);
    if (dot(c0, c1) >= ApartCosine) continue;
    // Every counted pixel goes with the ink whose colour it has, fainter or not.
    std::array<Spread, 2> spread{};
    for (const std::size_t i : counted) {
      const Vec3 d = unit(g.ink[i]);
      side[i] = dot(d, c1) > dot(d, c0) ? 1 : 0;
      Spread& m = spread[static_cast<std::size_t>(side[i])];
      const double w = InkLength(g.ink[i]);
      const int x = static_cast<int>(i) % g.width;
      const int y = static_cast<int>(i) / g.width;
      m.mass += w;
      m.x += w * x;
      m.y += w * y;
      m.xx += w * x * x;
      m.xy += w * x * y;
      m.yy += w * y * y;
      m.edge = m.edge || x == 0 || y == 0 || x == g.width - 1 || y == g.height - 1;
    }
    if (spread[0].mass <= 0 || spread[1].mass <= 0) continue;
    const double e0 = spread[0].evenness();
    const double e1 = spread[1].evenness();
    if (spread[1].edge && e1 < LineEvenness && e0 > SymbolEvenness && spread[1].mass <= spread[0].mass)
      lineSide = 1;
    if (spread[0].edge && e0 < LineEvenness && e1 > SymbolEvenness && spread[0].mass <= spread[1].mass)
      lineSide = 0;
    if (lineSide >= 0) break;
  }
  if (lineSide < 0) return;
  const Vec3 symbol = lineSide == 1 ? c0 : c1;
  const Vec3 line = lineSide == 1 ? c1 : c0;
  // ink = a symbol + b line, a and b not negative: the symbol's part stays.
  // Only on the line and next to it: elsewhere the symbol's own darker ink
  // (an outline) would lose its part along the line's colour.
  const float ss = dot(symbol, symbol), ll = dot(line, line), sl = dot(symbol, line);
  const float det = ss * ll - sl * sl;
  std::vector<char> nearLine(g.ink.size(), 0);
  for (const std::size_t i : counted) {
    if (side[i] != lineSide) continue;
    const int x = static_cast<int>(i) % g.width;
    const int y = static_cast<int>(i) / g.width;
    for (int ny = std::max(0, y - 1); ny <= std::min(g.height - 1, y + 1); ++ny) {
      for (int nx = std::max(0, x - 1); nx <= std::min(g.width - 1, x + 1); ++nx)
        nearLine[static_cast<std::size_t>(ny * g.width + nx)] = 1;
    }
  }
  for (std::size_t i = 0; i < g.ink.size(); ++i) {
    Vec3& v = g.ink[i];
    if (!nearLine[i] || InkLength(v) <= 0) continue;
    const float vs = dot(v, symbol), vl = dot(v, line);
    float a = (vs * ll - vl * sl) / det;
    const float b = (vl * ss - vs * sl) / det;
    if (b <= 0) continue;
    if (a < 0) a = 0;
    for (std::size_t k = 0; k < 3; ++k) v[k] = std::max(0.0f, a * symbol[k]);
  }
  // Where the line crossed the symbol, the symbol's ink under it is lost: a
  // pixel of the line with symbol ink just beyond it on both sides, across or
  // down, takes their mean.
  // The first pixel beyond the line in a direction, when it holds symbol ink.
  const auto beyond = [&](int x, int y, int dx, int dy) -> const Vec3* {
    for (int r = 1; r <= LineReach; ++r) {
      const int nx = x + r * dx;
      const int ny = y + r * dy;
      if (nx < 0 || ny < 0 || nx >= g.width || ny >= g.height) return nullptr;
      const std::size_t k = static_cast<std::size_t>(ny * g.width + nx);
      if (nearLine[k]) continue;
      return InkLength(g.ink[k]) >= 0.25f * strongest ? &g.ink[k] : nullptr;
    }
    return nullptr;
  };
  std::vector<Vec3> filled = g.ink;
  for (std::size_t i = 0; i < g.ink.size(); ++i) {
    if (!nearLine[i]) continue;
    const int x = static_cast<int>(i) % g.width;
    const int y = static_cast<int>(i) / g.width;
    for (const auto& [dx, dy] : {std::pair{1, 0}, std::pair{0, 1}}) {
      const Vec3* a = beyond(x, y, -dx, -dy);
      const Vec3* b = beyond(x, y, dx, dy);
      if (a == nullptr || b == nullptr) continue;
      for (std::size_t c = 0; c < 3; ++c) filled[i][c] = std::max(g.ink[i][c], ((*a)[c] + (*b)[c]) / 2);
      break;
    }
  }
  g.ink = std::move(filled);
}
