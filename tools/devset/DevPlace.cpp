#include <algorithm>
#include <cmath>
#include <cstdint>
#include <unordered_map>

#include "devset/DevRenderParts.h"

namespace devset {

Area PlotArea(const PictureRecipe& recipe) {
  const Margins& m = recipe.margins;
  const Margins& share = recipe.marginShares;
  const double w = recipe.width;
  const double h = recipe.height;
  return {m.left + share.left * w, m.top + share.top * h, w - m.right - share.right * w,
          h - m.bottom - share.bottom * h};
}

SpectrumCurve::SpectrumCurve(const Series& s, const Area& area, std::mt19937& random)
    : left_(area.left), width_(area.width()) {
  std::uniform_real_distribution<double> jitter(-0.03, 0.03);
  const double centres[6] = {0.15, 0.3, 0.44, 0.56, 0.7, 0.85};
  const double depths[6] = {1.0, 0.66, 0.33, 0.33, 0.66, 1.0};
  for (int k = 0; k < 6; ++k) {
    centres_[k] = centres[k] + jitter(random);
    depths_[k] = depths[k];
  }
  halfWidth_ = 0.012 + std::uniform_real_distribution<double>(0, 0.01)(random);
  double peak = 0;
  for (int k = 0; k < width_; ++k) peak = std::max(peak, shape(left_ + k));
  top_ = area.top + s.baseline * area.height();
  scale_ = s.depth * area.height() / std::max(peak, 1e-9);
}

double SpectrumCurve::shape(double x) const {
  double sum = 0;
  for (int k = 0; k < 6; ++k) {
    const double t = ((x - left_) / width_ - centres_[k]) / halfWidth_;
    sum += depths_[k] / (1 + t * t);
  }
  return sum;
}

namespace {

// Scattered points kept inside the padded plot area, some gathered in
// Gaussian clusters or spread about a rising line, none closer than the
// series' smallest distance. A point
// that finds no place in many draws is left out.
std::vector<Placed> PlaceScattered(const Series& s, const Area& area, std::mt19937& random) {
  const double x0 = area.left + s.padding;
  const double x1 = std::max(x0 + 1, area.right - s.padding);
  const double y0 = area.top + s.padding;
  const double y1 = std::max(y0 + 1, area.bottom - s.padding);
  std::uniform_real_distribution<double> across(x0, x1);
  std::uniform_real_distribution<double> down(y0, y1);
  std::uniform_real_distribution<double> unit(0, 1);
  std::normal_distribution<double> spread(0.0, std::max(s.clusterSpread, 1e-9));
  std::normal_distribution<double> trendScatter(0.0, std::max(s.scatter, 1e-9));
  std::vector<Placed> centres;
  for (int c = 0; c < s.clusters; ++c) {
    const double inX = std::min(s.clusterSpread, (x1 - x0) / 3);
    const double inY = std::min(s.clusterSpread, (y1 - y0) / 3);
    centres.push_back({std::uniform_real_distribution<double>(x0 + inX, x1 - inX)(random),
                       std::uniform_real_distribution<double>(y0 + inY, y1 - inY)(random)});
  }
  // Accepted points by cell of the smallest distance, to test only neighbours.
  const double cell = std::max(s.minDistance, 1.0);
  std::unordered_map<std::int64_t, std::vector<Placed>> cells;
  const auto key = [cell](double x, double y) {
    return static_cast<std::int64_t>(std::floor(y / cell)) * 1000003 +
           static_cast<std::int64_t>(std::floor(x / cell));
  };
  const auto roomFor = [&](Placed p) {
    if (s.minDistance <= 0) return true;
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; ++dx) {
        const auto found = cells.find(key(p.x + dx * cell, p.y + dy * cell));
        if (found == cells.end()) continue;
        for (const Placed& q : found->second) {
          if (std::hypot(p.x - q.x, p.y - q.y) < s.minDistance) return false;
        }
      }
    }
    return true;
  };
  std::vector<Placed> points;
  for (int i = 0; i < s.count; ++i) {
    for (int attempt = 0; attempt < 200; ++attempt) {
      Placed p{};
      if (!centres.empty() && unit(random) < s.clustered) {
        const Placed& c = centres[random() % centres.size()];
        p = {c.x + spread(random), c.y + spread(random)};
        if (p.x < x0 || p.x > x1 || p.y < y0 || p.y > y1) continue;
      } else if (s.trend != 0) {
        const double x = across(random);
        const double rise = s.trend * ((x - x0) / (x1 - x0) - 0.5);
        p = {x, (y0 + y1) / 2 - rise * (y1 - y0) + trendScatter(random)};
        if (p.y < y0 || p.y > y1) continue;
      } else {
        p = {across(random), down(random)};
      }
      if (!roomFor(p)) continue;
      points.push_back(p);
      if (s.minDistance > 0) cells[key(p.x, p.y)].push_back(p);
      break;
    }
  }
  return points;
}

}  // namespace

std::vector<Placed> PlaceSeries(const Series& s, const SpectrumCurve& curve, const Area& area, double shift,
                                std::mt19937& random) {
  std::vector<Placed> points;
  std::normal_distribution<double> scatter(0.0, std::max(s.scatter, 1e-9));
  const auto offset = [&]() { return s.scatter > 0 ? scatter(random) : 0.0; };
  switch (s.layout) {
    case Layout::Spectrum: {
      const double start = std::uniform_real_distribution<double>(0, s.spacing)(random) * 0.999 + shift;
      for (double u = std::fmod(start, s.spacing); u < area.width(); u += s.spacing) {
        const double x = area.left + u;
        const double y = curve(x) + offset();
        const double share = u / area.width();
        if (std::any_of(s.gaps.begin(), s.gaps.end(), [&](const std::pair<double, double>& g) {
              return share >= g.first && share < g.second;
            }))
          continue;
        if (y >= area.top && y < area.bottom) points.push_back({x, y});
      }
      break;
    }
    case Layout::Scatter: {
      if (s.padding > 0 || s.clusters > 0 || s.minDistance > 0 || s.trend != 0)
        return PlaceScattered(s, area, random);
      std::uniform_real_distribution<double> across(area.left, area.right);
      std::uniform_real_distribution<double> down(area.top, area.bottom);
      for (int i = 0; i < s.count; ++i) points.push_back({across(random), down(random)});
      break;
    }
    case Layout::Row: {
      const double y = area.top + s.baseline * area.height();
      for (int i = 0; i < s.count; ++i)
        points.push_back({area.left + (i + 0.5) * area.width() / s.count, y + offset()});
      break;
    }
  }
  return points;
}

std::vector<Placed> CurvePoints(const SpectrumCurve& curve, const Area& area) {
  std::vector<Placed> points;
  for (double x = area.left; x <= area.right; x += 1.0) points.push_back({x, curve(x)});
  return points;
}

std::vector<Placed> TrendPoints(const std::vector<Placed>& points, const Area& area) {
  if (points.size() < 2) return {};
  double mx = 0, my = 0;
  for (const Placed& p : points) {
    mx += p.x;
    my += p.y;
  }
  mx /= static_cast<double>(points.size());
  my /= static_cast<double>(points.size());
  double sxx = 0, sxy = 0;
  for (const Placed& p : points) {
    sxx += (p.x - mx) * (p.x - mx);
    sxy += (p.x - mx) * (p.y - my);
  }
  const double slope = sxx > 0 ? sxy / sxx : 0;
  std::vector<Placed> line;
  for (double x = area.left; x <= area.right; x += 1.0) {
    const double y = my + slope * (x - mx);
    if (y >= area.top && y <= area.bottom) line.push_back({x, y});
  }
  return line;
}

}  // namespace devset
