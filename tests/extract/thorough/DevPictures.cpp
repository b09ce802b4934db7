#include "extract/thorough/DevPictures.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

devset::DevPicture SmallDevPicture(const std::string& name, int width, int height) {
  for (devset::PictureRecipe recipe : devset::DevelopmentSet()) {
    if (recipe.name != name) continue;
    recipe.width = width;
    recipe.height = height;
    return devset::RenderPicture(recipe);
  }
  throw std::invalid_argument("no development picture " + name);
}

Bitmap UnitOf(const devset::DevPicture& p) {
  Bitmap unit(p.unit.Right - p.unit.Left + 1, p.unit.Bottom - p.unit.Top + 1);
  unit.copyRect(0, 0, p.picture, {p.unit.Left, p.unit.Top, p.unit.Right + 1, p.unit.Bottom + 1});
  return unit;
}

MatchFigures CompareWithTruth(const devset::DevPicture& p, const std::vector<ThoroughPoint>& found,
                              double radius) {
  struct Pair {
    double distance;
    std::size_t truth;
    std::size_t found;
  };
  // A true point that may be found or not (the legend's sample) counts
  // neither way.
  std::vector<Pair> pairs;
  for (std::size_t t = 0; t < p.truth.size(); ++t) {
    for (std::size_t f = 0; f < found.size(); ++f) {
      const double d = std::hypot(found[f].x - p.truth[t].inkX, found[f].y - p.truth[t].inkY);
      if (d <= radius) pairs.push_back({d, t, f});
    }
  }
  std::sort(pairs.begin(), pairs.end(), [](const Pair& a, const Pair& b) { return a.distance < b.distance; });
  std::vector<char> usedTruth(p.truth.size(), 0);
  std::vector<char> usedFound(found.size(), 0);
  int matched = 0;
  int optionalFound = 0;
  double squares = 0;
  for (const Pair& pair : pairs) {
    if (usedTruth[pair.truth] || usedFound[pair.found]) continue;
    usedTruth[pair.truth] = usedFound[pair.found] = 1;
    if (p.truth[pair.truth].optional) {
      ++optionalFound;
      continue;
    }
    ++matched;
    squares += pair.distance * pair.distance;
  }
  const auto required = static_cast<double>(
      std::count_if(p.truth.begin(), p.truth.end(), [](const devset::TruthPoint& t) { return !t.optional; }));
  const double counted = static_cast<double>(found.size()) - optionalFound;
  MatchFigures m;
  m.recall = required == 0 ? 1 : matched / required;
  m.precision = counted <= 0 ? 1 : matched / counted;
  m.rms = matched > 0 ? std::sqrt(squares / matched) : 0;
  return m;
}
