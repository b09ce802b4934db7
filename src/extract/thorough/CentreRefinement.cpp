#include "extract/thorough/CentreRefinement.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr int Rounds = 4;
constexpr double MaxStep = 0.5;
constexpr double MaxShift = 1.0;

double Sample(const std::vector<float>& grid, int w, int h, double x, double y) {
  const int ix = static_cast<int>(std::floor(x));
  const int iy = static_cast<int>(std::floor(y));
  const double fx = x - ix;
  const double fy = y - iy;
  const auto at = [&](int i, int j) -> double {
    if (i < 0 || j < 0 || i >= w || j >= h) return 0.0;
    return grid[static_cast<std::size_t>(j * w + i)];
  };
  return (at(ix, iy) * (1 - fx) + at(ix + 1, iy) * fx) * (1 - fy) +
         (at(ix, iy + 1) * (1 - fx) + at(ix + 1, iy + 1) * fx) * fy;
}

// Solves the symmetric 3 x 3 system m v = r; false when it is singular.
bool Solve3(double m[3][3], double r[3], double v[3]) {
  const double det = m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                     m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                     m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
  if (!(std::abs(det) > 1e-9)) return false;
  for (int k = 0; k < 3; ++k) {
    double c[3][3];
    for (int i = 0; i < 3; ++i) {
      for (int j = 0; j < 3; ++j) c[i][j] = j == k ? r[i] : m[i][j];
    }
    v[k] = (c[0][0] * (c[1][1] * c[2][2] - c[1][2] * c[2][1]) -
            c[0][1] * (c[1][0] * c[2][2] - c[1][2] * c[2][0]) +
            c[0][2] * (c[1][0] * c[2][1] - c[1][1] * c[2][0])) /
           det;
  }
  return true;
}

}  // namespace

CentreShift RefineCentre(const InkPicture& picture, const ThoroughTemplate& unit, const PhaseTemplate& phase,
                         int x, int y, const ExplainedInk& others, const ThoroughTuning& tuning) {
  const int w = unit.gridWidth();
  const int h = unit.gridHeight();
  // Each grid pixel's colour: the template's where it has ink, else its mean.
  std::vector<std::array<float, 3>> direction(static_cast<std::size_t>(w * h), unit.meanDirection);
  for (const TemplatePixel& p : phase.ink)
    direction[static_cast<std::size_t>((p.dy + 1) * w + p.dx + 1)] = p.direction;

  // The observed ink along the template's colour; negative: takes no part.
  std::vector<double> observed(static_cast<std::size_t>(w * h), -1.0);
  const float ratio2 = tuning.otherColour * tuning.otherColour;
  for (int j = 0; j < h; ++j) {
    for (int i = 0; i < w; ++i) {
      const int px = x - 1 + i;
      const int py = y - 1 + j;
      if (px < 0 || py < 0 || px >= picture.width() || py >= picture.height()) continue;
      std::uint32_t ink = picture.at(px, py);
      if (ink & InkPicture::Unjudged) continue;
      const std::uint32_t e = others.at(px, py);
      ink = PackInk(std::max(0, InkRed(ink) - InkRed(e)), std::max(0, InkGreen(ink) - InkGreen(e)),
                    std::max(0, InkBlue(ink) - InkBlue(e)));
      const std::array<float, 3>& d = direction[static_cast<std::size_t>(j * w + i)];
      const float r = static_cast<float>(InkRed(ink));
      const float g = static_cast<float>(InkGreen(ink));
      const float b = static_cast<float>(InkBlue(ink));
      const float a = r * d[0] + g * d[1] + b * d[2];
      const float across2 = r * r + g * g + b * b - a * a;
      if (ink != 0 && (a <= 0 || across2 > ratio2 * a * a)) continue;
      observed[static_cast<std::size_t>(j * w + i)] = std::max(0.0f, a);
    }
  }

  CentreShift shift;
  double gain = 1;
  const double tolerance = 0.25 * unit.maxLength;
  for (int round = 0; round < Rounds; ++round) {
    double m[3][3] = {};
    double r[3] = {};
    for (int j = 0; j < h; ++j) {
      for (int i = 0; i < w; ++i) {
        const double a = observed[static_cast<std::size_t>(j * w + i)];
        if (a < 0) continue;
        const double sx = i - shift.dx;
        const double sy = j - shift.dy;
        const double t = Sample(phase.grid, w, h, sx, sy);
        const double gx = Sample(phase.gradientX, w, h, sx, sy);
        const double gy = Sample(phase.gradientY, w, h, sx, sy);
        // Pixels far from the model (a line through the symbol) count less.
        const double residual = std::abs(a - gain * t);
        const double weight = round == 0 || residual <= tolerance ? 1.0 : tolerance / residual;
        const double row[3] = {t, -gx, -gy};
        for (int p = 0; p < 3; ++p) {
          r[p] += weight * row[p] * a;
          for (int q = 0; q < 3; ++q) m[p][q] += weight * row[p] * row[q];
        }
      }
    }
    double v[3];
    if (!Solve3(m, r, v) || !(v[0] > 0)) break;
    gain = v[0];
    const double stepX = std::clamp(v[1] / v[0], -MaxStep, MaxStep);
    const double stepY = std::clamp(v[2] / v[0], -MaxStep, MaxStep);
    shift.dx = std::clamp(shift.dx + stepX, -MaxShift, MaxShift);
    shift.dy = std::clamp(shift.dy + stepY, -MaxShift, MaxShift);
    if (std::abs(stepX) < 0.005 && std::abs(stepY) < 0.005) break;
  }
  return shift;
}
