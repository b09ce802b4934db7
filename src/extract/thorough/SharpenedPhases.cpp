#include "extract/thorough/SharpenedPhases.h"

#include <algorithm>
#include <cmath>

namespace {

// Sightings' pixels within this of where a phase pixel falls take part.
constexpr double Reach = 0.25;
// The weight of the interpolated unit among them.
constexpr float PriorWeight = 0.3f;

using Vec3 = std::array<float, 3>;

// The trimmed unit's ink at a real position, bilinear, none outside.
Vec3 BaseAt(const ThoroughTemplate& unit, double u, double v) {
  const int ix = static_cast<int>(std::floor(u));
  const int iy = static_cast<int>(std::floor(v));
  const float fx = static_cast<float>(u - ix);
  const float fy = static_cast<float>(v - iy);
  const auto at = [&](int x, int y) -> Vec3 {
    if (x < 0 || y < 0 || x >= unit.width || y >= unit.height) return {0, 0, 0};
    return unit.baseInk[static_cast<std::size_t>(y * unit.width + x)];
  };
  const Vec3 a = at(ix, iy), b = at(ix + 1, iy), c = at(ix, iy + 1), d = at(ix + 1, iy + 1);
  Vec3 out{};
  for (std::size_t k = 0; k < 3; ++k)
    out[k] = (a[k] * (1 - fx) + b[k] * fx) * (1 - fy) + (c[k] * (1 - fx) + d[k] * fx) * fy;
  return out;
}

struct Sample {
  float weight;
  Vec3 ink;
};

// The sample at the weighted median of the ink's strength.
Vec3 WeightedMedian(std::vector<Sample>& samples) {
  float total = 0;
  for (const Sample& s : samples) total += s.weight;
  const auto strength = [](const Sample& s) { return s.ink[0] + s.ink[1] + s.ink[2]; };
  std::sort(samples.begin(), samples.end(),
            [&](const Sample& a, const Sample& b) { return strength(a) < strength(b); });
  float seen = 0;
  for (const Sample& s : samples) {
    seen += s.weight;
    if (seen >= total / 2) return s.ink;
  }
  return samples.back().ink;
}

}  // namespace

ThoroughTemplate WithPhasesFromSightings(const ThoroughTemplate& unit, const InkPicture& picture,
                                         const std::vector<Sighting>& sightings, float otherColour,
                                         const WorkLanes& lanes) {
  const std::array<float, 3>& d = unit.meanDirection;
  const float ratio2 = otherColour * otherColour;
  if (unit.phases.size() <= 1 || sightings.size() < FewestSightings) return unit;
  ThoroughTemplate out = unit;
  const int gw = unit.gridWidth();
  const int gh = unit.gridHeight();

  // A sighting's pixels fall at the same fraction of a pixel from where
  // every pixel of a phase falls: those that fall within reach, with their
  // offset from the placement point and their weight.
  struct Near {
    int x, y;
    float weight;
  };
  // Each phase on its own, on both lanes.
  lanes.each(PhaseSteps * PhaseSteps, [&](int k, int) {
    const int qx = LeastPhase + k % PhaseSteps;
    const int qy = LeastPhase + k / PhaseSteps;
    std::vector<Vec3> grid(static_cast<std::size_t>(gw * gh));
    std::vector<Sample> samples;
    std::vector<Near> near;
    const double sx = static_cast<double>(qx) / PhaseSteps;
    const double sy = static_cast<double>(qy) / PhaseSteps;
    near.clear();
    for (const Sighting& s : sightings) {
      const double px = s.x - sx;
      const double py = s.y - sy;
      const int ix = static_cast<int>(std::lround(px));
      const int iy = static_cast<int>(std::lround(py));
      const double dx = std::abs(ix - px);
      const double dy = std::abs(iy - py);
      if (dx < Reach && dy < Reach)
        near.push_back({ix, iy, static_cast<float>((1 - dx / Reach) * (1 - dy / Reach))});
    }
    // With no sighting near, the phase stays the interpolated unit.
    if (near.empty()) return;
    for (int gj = 0; gj < gh; ++gj) {
      for (int gi = 0; gi < gw; ++gi) {
        // Where this grid pixel falls on the trimmed unit.
        const double u = gi - 1 - sx;
        const double v = gj - 1 - sy;
        samples.clear();
        samples.push_back({PriorWeight, BaseAt(unit, u, v)});
        for (const Near& n : near) {
          const int ix = n.x + gi - 1;
          const int iy = n.y + gj - 1;
          if (ix < 0 || iy < 0 || ix >= picture.width() || iy >= picture.height()) continue;
          const std::uint32_t ink = picture.at(ix, iy);
          if (ink & InkPicture::Unjudged) continue;
          const float r = static_cast<float>(InkRed(ink));
          const float g = static_cast<float>(InkGreen(ink));
          const float b = static_cast<float>(InkBlue(ink));
          const float a = r * d[0] + g * d[1] + b * d[2];
          if (ink != 0 && (a <= 0 || r * r + g * g + b * b - a * a > ratio2 * a * a)) continue;
          samples.push_back({n.weight, {r, g, b}});
        }
        grid[static_cast<std::size_t>(gj * gw + gi)] = WeightedMedian(samples);
      }
    }
    PhaseTemplate phase =
        PhaseFromInk(grid, gw, gh, static_cast<float>(sx), static_cast<float>(sy), unit.maxLength, false);
    // Where the drawn phase's ink centre lies: the sightings' positions
    // were measured with the interpolated phases.
    double mass = 0, mx = 0, my = 0;
    for (int gj = 0; gj < gh; ++gj) {
      for (int gi = 0; gi < gw; ++gi) {
        const double len = phase.grid[static_cast<std::size_t>(gj * gw + gi)];
        mass += len;
        mx += len * (gi - 1);
        my += len * (gj - 1);
      }
    }
    if (mass > 0) {
      phase.centreErrorX = mx / mass - (unit.centreX + sx);
      phase.centreErrorY = my / mass - (unit.centreY + sy);
    }
    out.phases[static_cast<std::size_t>(PhaseIndex(qx, qy))] = std::move(phase);
  });
  return out;
}
