#include "extract/thorough/ThoroughTemplate.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "extract/thorough/CrossingLine.h"
#include "extract/thorough/InkGrid.h"
#include "extract/thorough/InkPicture.h"

namespace {

// Specks whose ink is under this share of the whole are dropped.
constexpr float SpeckShare = 0.03f;
// Ink at or above this share of the strongest pixel is a wall for the hole's
// flood and counts as full strength for a two-level template.
constexpr float WallShare = 0.25f;
constexpr float FullShare = 0.8f;
constexpr float BetweenShare = 0.15f;
constexpr float TwoLevelBetween = 0.05f;
// Pixels under this share of the strongest are inkless for the surround.
constexpr float InklessShare = 0.05f;

InkGrid UnitInk(const Bitmap& unit, const PaperModel& paper, std::optional<std::array<int, 2>> position) {
  InkGrid g{unit.width(), unit.height(), {}};
  g.ink.resize(static_cast<std::size_t>(g.width) * static_cast<std::size_t>(g.height));
  const std::array<float, 3> typical = paper.typicalPaper();
  std::vector<float> row;
  for (int y = 0; y < g.height; ++y) {
    if (position) paper.paperRow((*position)[1] + y, row);
    for (int x = 0; x < g.width; ++x) {
      const float* p = position ? row.data() + 3 * ((*position)[0] + x) : typical.data();
      const std::uint32_t ink = InkAgainstPaper(unit.pixel(x, y), p, paper.noiseFloor());
      g.at(x, y) = {static_cast<float>(InkRed(ink)), static_cast<float>(InkGreen(ink)),
                    static_cast<float>(InkBlue(ink))};
    }
  }
  return g;
}

// Keeps the 8-connected parts of the ink that hold at least SpeckShare of it.
void DropSpecks(InkGrid& g) {
  const std::size_t n = g.ink.size();
  std::vector<int> label(n, -1);
  std::vector<float> sums;
  std::vector<int> stack;
  float total = 0;
  for (int y = 0; y < g.height; ++y) {
    for (int x = 0; x < g.width; ++x) {
      const std::size_t i = static_cast<std::size_t>(y * g.width + x);
      if (label[i] >= 0 || InkLength(g.ink[i]) <= 0) continue;
      const int id = static_cast<int>(sums.size());
      sums.push_back(0);
      label[i] = id;
      stack.push_back(static_cast<int>(i));
      while (!stack.empty()) {
        const int k = stack.back();
        stack.pop_back();
        const float len = InkLength(g.ink[static_cast<std::size_t>(k)]);
        sums[static_cast<std::size_t>(id)] += len;
        total += len;
        const int kx = k % g.width;
        const int ky = k / g.width;
        for (int ny = ky - 1; ny <= ky + 1; ++ny) {
          for (int nx = kx - 1; nx <= kx + 1; ++nx) {
            if (nx < 0 || ny < 0 || nx >= g.width || ny >= g.height) continue;
            const std::size_t j = static_cast<std::size_t>(ny * g.width + nx);
            if (label[j] >= 0 || InkLength(g.ink[j]) <= 0) continue;
            label[j] = id;
            stack.push_back(static_cast<int>(j));
          }
        }
      }
    }
  }
  for (std::size_t i = 0; i < n; ++i) {
    if (label[i] >= 0 && sums[static_cast<std::size_t>(label[i])] < SpeckShare * total) g.ink[i] = {0, 0, 0};
  }
}

InkGrid Trimmed(const InkGrid& g) {
  int minX = g.width, minY = g.height, maxX = -1, maxY = -1;
  for (int y = 0; y < g.height; ++y) {
    for (int x = 0; x < g.width; ++x) {
      if (InkLength(g.at(x, y)) <= 0) continue;
      minX = std::min(minX, x);
      maxX = std::max(maxX, x);
      minY = std::min(minY, y);
      maxY = std::max(maxY, y);
    }
  }
  InkGrid t;
  if (maxX < 0) return t;
  t.width = maxX - minX + 1;
  t.height = maxY - minY + 1;
  t.ink.resize(static_cast<std::size_t>(t.width) * static_cast<std::size_t>(t.height));
  for (int y = 0; y < t.height; ++y) {
    for (int x = 0; x < t.width; ++x) t.at(x, y) = g.at(minX + x, minY + y);
  }
  return t;
}

// The trimmed ink shifted by (sx, sy) pixels with bilinear weights, on a grid
// one pixel larger on every side.
InkGrid Shifted(const InkGrid& base, float sx, float sy) {
  InkGrid s{base.width + 2, base.height + 2, {}};
  s.ink.resize(static_cast<std::size_t>(s.width) * static_cast<std::size_t>(s.height));
  // Value at x is the base at x - s: between floor(x - s) and the next.
  const int ix = static_cast<int>(std::floor(-sx));
  const int iy = static_cast<int>(std::floor(-sy));
  const float fx = -sx - static_cast<float>(ix);
  const float fy = -sy - static_cast<float>(iy);
  for (int y = 0; y < s.height; ++y) {
    for (int x = 0; x < s.width; ++x) {
      const int bx = x - 1 + ix;
      const int by = y - 1 + iy;
      const Vec3 a = base.value(bx, by), b = base.value(bx + 1, by);
      const Vec3 c = base.value(bx, by + 1), d = base.value(bx + 1, by + 1);
      Vec3& out = s.at(x, y);
      for (int k = 0; k < 3; ++k) {
        const std::size_t kk = static_cast<std::size_t>(k);
        out[kk] = (a[kk] * (1 - fx) + b[kk] * fx) * (1 - fy) + (c[kk] * (1 - fx) + d[kk] * fx) * fy;
      }
    }
  }
  return s;
}

// Pixels not reachable from outside without crossing a wall (4-connected).
std::vector<char> Enclosed(const std::vector<float>& lengths, int width, int height, float wall) {
  const int w = width + 2;
  const int h = height + 2;
  std::vector<char> reached(static_cast<std::size_t>(w * h), 0);
  const auto isWall = [&](int x, int y) {
    if (x < 1 || y < 1 || x > width || y > height) return false;
    return lengths[static_cast<std::size_t>((y - 1) * width + (x - 1))] >= wall;
  };
  std::vector<int> stack{0};
  reached[0] = 1;
  while (!stack.empty()) {
    const int k = stack.back();
    stack.pop_back();
    const int kx = k % w;
    const int ky = k / w;
    const int nx[4] = {kx - 1, kx + 1, kx, kx};
    const int ny[4] = {ky, ky, ky - 1, ky + 1};
    for (int i = 0; i < 4; ++i) {
      if (nx[i] < 0 || ny[i] < 0 || nx[i] >= w || ny[i] >= h) continue;
      const std::size_t j = static_cast<std::size_t>(ny[i] * w + nx[i]);
      if (reached[j] || isWall(nx[i], ny[i])) continue;
      reached[j] = 1;
      stack.push_back(static_cast<int>(j));
    }
  }
  std::vector<char> enclosed(static_cast<std::size_t>(width * height), 0);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (!reached[static_cast<std::size_t>((y + 1) * w + x + 1)] && !isWall(x + 1, y + 1)) {
        enclosed[static_cast<std::size_t>(y * width + x)] = 1;
      }
    }
  }
  return enclosed;
}

// A scrambled order of positions, so that the first pixels of a template
// sample the whole shape.
std::uint32_t Scramble(int x, int y) {
  std::uint32_t h = static_cast<std::uint32_t>(x) * 0x9E3779B1u ^ static_cast<std::uint32_t>(y) * 0x85EBCA77u;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  return h;
}

}  // namespace

PhaseTemplate PhaseFromInk(const std::vector<std::array<float, 3>>& ink, int gridWidth, int gridHeight,
                           float sx, float sy, float maxLength, bool twoLevel) {
  PhaseTemplate p;
  p.shiftX = sx;
  p.shiftY = sy;
  const InkGrid s{gridWidth, gridHeight, ink};
  const int w = s.width;
  const int h = s.height;
  p.grid.resize(static_cast<std::size_t>(w * h));
  for (std::size_t i = 0; i < p.grid.size(); ++i) p.grid[i] = InkLength(s.ink[i]);
  const std::vector<char> hole = Enclosed(p.grid, w, h, WallShare * maxLength);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const std::size_t i = static_cast<std::size_t>(y * w + x);
      const float len = p.grid[i];
      if (hole[i]) {
        p.hole.push_back({x - 1, y - 1, len});
      } else if (len < InklessShare * maxLength) {
        bool nextToInk = false;
        for (int ny = std::max(0, y - 1); ny <= std::min(h - 1, y + 1); ++ny) {
          for (int nx = std::max(0, x - 1); nx <= std::min(w - 1, x + 1); ++nx) {
            nextToInk = nextToInk || p.grid[static_cast<std::size_t>(ny * w + nx)] >= WallShare * maxLength;
          }
        }
        // A two-level symbol's strokes may be a pixel wider: the pixels next
        // to its ink are not judged.
        if (!twoLevel || !nextToInk) p.surround.push_back({x - 1, y - 1, len});
      }
      if (len < 0.5f) continue;
      TemplatePixel t;
      t.dx = x - 1;
      t.dy = y - 1;
      t.length = len;
      const auto weak = [&](int nx, int ny) {
        return nx < 0 || ny < 0 || nx >= w || ny >= h ||
               p.grid[static_cast<std::size_t>(ny * w + nx)] < 0.5f * maxLength;
      };
      t.edge = weak(x - 1, y) || weak(x + 1, y) || weak(x, y - 1) || weak(x, y + 1);
      for (int k = 0; k < 3; ++k)
        t.direction[static_cast<std::size_t>(k)] = s.ink[i][static_cast<std::size_t>(k)] / len;
      const auto channel = [&](int k) {
        return std::clamp(static_cast<int>(std::lround(s.ink[i][static_cast<std::size_t>(k)])), 0, 255);
      };
      t.packed = PackInk(channel(0), channel(1), channel(2));
      p.totalLength += len;
      p.ink.push_back(t);
    }
  }
  std::stable_sort(p.ink.begin(), p.ink.end(), [&](const TemplatePixel& a, const TemplatePixel& b) {
    const bool strongA = a.length >= 0.5f * maxLength;
    const bool strongB = b.length >= 0.5f * maxLength;
    if (strongA != strongB) return strongA;
    return Scramble(a.dx, a.dy) < Scramble(b.dx, b.dy);
  });
  p.gradientX.assign(p.grid.size(), 0);
  p.gradientY.assign(p.grid.size(), 0);
  const auto at = [&](int x, int y) {
    if (x < 0 || y < 0 || x >= w || y >= h) return 0.0f;
    return p.grid[static_cast<std::size_t>(y * w + x)];
  };
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      p.gradientX[static_cast<std::size_t>(y * w + x)] = (at(x + 1, y) - at(x - 1, y)) / 2;
      p.gradientY[static_cast<std::size_t>(y * w + x)] = (at(x, y + 1) - at(x, y - 1)) / 2;
    }
  }
  return p;
}

namespace {

PhaseTemplate MakePhase(const InkGrid& base, float sx, float sy, float maxLength, bool twoLevel) {
  const InkGrid shifted = Shifted(base, sx, sy);
  return PhaseFromInk(shifted.ink, shifted.width, shifted.height, sx, sy, maxLength, twoLevel);
}

}  // namespace

std::optional<std::array<int, 2>> LocateUnit(const Bitmap& picture, const Bitmap& unit) {
  if (unit.empty() || unit.width() > picture.width() || unit.height() > picture.height()) return std::nullopt;
  // Probe with the unit's darkest pixel: it is rare in the picture.
  int probeX = 0, probeY = 0, darkest = 1 << 30;
  for (int y = 0; y < unit.height(); ++y) {
    for (int x = 0; x < unit.width(); ++x) {
      const Colour c = unit.pixel(x, y);
      const int sum = RedOf(c) + GreenOf(c) + BlueOf(c);
      if (sum < darkest) {
        darkest = sum;
        probeX = x;
        probeY = y;
      }
    }
  }
  const Colour probe = unit.pixel(probeX, probeY);
  for (int top = 0; top + unit.height() <= picture.height(); ++top) {
    const Colour* row = picture.row(top + probeY);
    for (int left = 0; left + unit.width() <= picture.width(); ++left) {
      if (row[left + probeX] != probe) continue;
      bool same = true;
      for (int y = 0; y < unit.height() && same; ++y) {
        const Colour* p = picture.row(top + y) + left;
        const Colour* u = unit.row(y);
        same = std::equal(u, u + unit.width(), p);
      }
      if (same) return std::array<int, 2>{left, top};
    }
  }
  return std::nullopt;
}

namespace {

ThoroughTemplate TemplateFromInk(const InkGrid& base) {
  ThoroughTemplate t;
  if (base.ink.empty()) return t;
  t.width = base.width;
  t.height = base.height;
  t.baseInk = base.ink;

  double sum = 0, sx = 0, sy = 0;
  Vec3 direction{0, 0, 0};
  for (int y = 0; y < base.height; ++y) {
    for (int x = 0; x < base.width; ++x) {
      const Vec3& v = base.at(x, y);
      const float len = InkLength(v);
      sum += len;
      sx += static_cast<double>(len) * x;
      sy += static_cast<double>(len) * y;
      t.maxLength = std::max(t.maxLength, len);
      for (int k = 0; k < 3; ++k) direction[static_cast<std::size_t>(k)] += v[static_cast<std::size_t>(k)];
    }
  }
  t.centreX = sx / sum;
  t.centreY = sy / sum;
  const float dirLength = InkLength(direction);
  for (int k = 0; k < 3; ++k) {
    t.meanDirection[static_cast<std::size_t>(k)] = direction[static_cast<std::size_t>(k)] / dirLength;
  }
  // Drawn without anti-aliasing when nearly no pixel is between paper and
  // full strength.
  int inked = 0;
  int between = 0;
  for (const Vec3& v : base.ink) {
    const float len = InkLength(v);
    if (len <= 0) continue;
    ++inked;
    if (len >= BetweenShare * t.maxLength && len < FullShare * t.maxLength) ++between;
  }
  t.twoLevel = static_cast<float>(between) <= TwoLevelBetween * static_cast<float>(inked);

  if (t.twoLevel) {
    t.phases.push_back(MakePhase(base, 0, 0, t.maxLength, true));
  } else {
    t.phases.resize(PhaseSteps * PhaseSteps);
    for (int qy = LeastPhase; qy < LeastPhase + PhaseSteps; ++qy) {
      for (int qx = LeastPhase; qx < LeastPhase + PhaseSteps; ++qx) {
        t.phases[static_cast<std::size_t>(PhaseIndex(qx, qy))] =
            MakePhase(base, static_cast<float>(qx) / PhaseSteps, static_cast<float>(qy) / PhaseSteps,
                      t.maxLength, false);
      }
    }
  }
  return t;
}

}  // namespace

ThoroughTemplate BuildThoroughTemplate(const Bitmap& unit, const PaperModel& paper,
                                       std::optional<std::array<int, 2>> unitPosition) {
  if (unit.empty()) return {};
  InkGrid ink = UnitInk(unit, paper, unitPosition);
  DropSpecks(ink);
  UnmixCrossingLine(ink);
  DropSpecks(ink);
  ThoroughTemplate t = TemplateFromInk(Trimmed(ink));
  // Edge ink: a tenth of the strongest or more on the rectangle's rim.
  for (int y = 0; y < ink.height && !t.empty(); ++y) {
    for (int x = 0; x < ink.width; ++x) {
      if (x != 0 && y != 0 && x != ink.width - 1 && y != ink.height - 1) continue;
      if (InkLength(ink.at(x, y)) >= 0.1f * t.maxLength) t.touchesEdge = true;
    }
  }
  return t;
}

ThoroughTemplate WithoutPixels(const ThoroughTemplate& t, const std::vector<char>& keep,
                               const std::vector<std::array<float, 3>>* instead) {
  InkGrid ink{t.width, t.height, t.baseInk};
  for (std::size_t i = 0; i < ink.ink.size() && i < keep.size(); ++i) {
    if (!keep[i]) ink.ink[i] = instead != nullptr && i < instead->size() ? (*instead)[i] : Vec3{0, 0, 0};
  }
  DropSpecks(ink);
  return TemplateFromInk(Trimmed(ink));
}
