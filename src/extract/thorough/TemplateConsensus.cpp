#include "extract/thorough/TemplateConsensus.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// Calls use(ink) for the ink every occurrence shows at trimmed template
// pixel (bx, by), where it lies in the picture and is to be judged.
template <typename Use>
void OccurrencesAt(const InkPicture& picture, const std::vector<std::array<int, 2>>& placements, int bx,
                   int by, Use&& use) {
  for (const auto& [x, y] : placements) {
    const int px = x + bx;
    const int py = y + by;
    if (px < 0 || py < 0 || px >= picture.width() || py >= picture.height()) continue;
    const std::uint32_t ink = picture.at(px, py);
    if (!(ink & InkPicture::Unjudged)) use(ink);
  }
}

}  // namespace

std::vector<char> ConfirmedPixels(const InkPicture& picture, const ThoroughTemplate& unit,
                                  const std::vector<std::array<int, 2>>& placements, float share) {
  std::vector<char> keep(static_cast<std::size_t>(unit.width) * static_cast<std::size_t>(unit.height), 1);
  for (int by = 0; by < unit.height; ++by) {
    for (int bx = 0; bx < unit.width; ++bx) {
      const std::size_t i = static_cast<std::size_t>(by * unit.width + bx);
      const std::array<float, 3>& v = unit.baseInk[i];
      const float length2 = v[0] * v[0] + v[1] * v[1] + v[2] * v[2];
      if (length2 <= 0) continue;
      int seen = 0;
      int confirmed = 0;
      OccurrencesAt(picture, placements, bx, by, [&](std::uint32_t ink) {
        ++seen;
        // Along the template's ink, as a share of its length: (I . v) / |v|^2.
        const float along =
            (static_cast<float>(InkRed(ink)) * v[0] + static_cast<float>(InkGreen(ink)) * v[1] +
             static_cast<float>(InkBlue(ink)) * v[2]) /
            length2;
        if (along >= 0.6f) ++confirmed;
      });
      if (seen > 0 && static_cast<float>(confirmed) < share * static_cast<float>(seen)) keep[i] = 0;
    }
  }
  return keep;
}

std::vector<std::array<float, 3>> MedianInk(const InkPicture& picture, const ThoroughTemplate& unit,
                                            const std::vector<std::array<int, 2>>& placements) {
  std::vector<std::array<float, 3>> out(
      static_cast<std::size_t>(unit.width) * static_cast<std::size_t>(unit.height), {0, 0, 0});
  std::array<std::vector<float>, 3> values;
  for (int by = 0; by < unit.height; ++by) {
    for (int bx = 0; bx < unit.width; ++bx) {
      for (auto& v : values) v.clear();
      OccurrencesAt(picture, placements, bx, by, [&](std::uint32_t ink) {
        values[0].push_back(static_cast<float>(InkRed(ink)));
        values[1].push_back(static_cast<float>(InkGreen(ink)));
        values[2].push_back(static_cast<float>(InkBlue(ink)));
      });
      if (values[0].empty()) continue;
      std::array<float, 3>& m = out[static_cast<std::size_t>(by * unit.width + bx)];
      for (std::size_t c = 0; c < 3; ++c) {
        auto middle = values[c].begin() + static_cast<std::ptrdiff_t>(values[c].size() / 2);
        std::nth_element(values[c].begin(), middle, values[c].end());
        m[c] = *middle;
      }
    }
  }
  return out;
}

std::optional<ThoroughTemplate> ConfirmedTemplate(const InkPicture& picture, const ThoroughTemplate& unit,
                                                  const std::vector<Occurrence>& candidates, float share) {
  constexpr std::size_t MostOccurrences = 64;
  constexpr std::size_t MostDistinct = 1024;
  constexpr std::size_t FewestOccurrences = 5;
  std::vector<const Occurrence*> order;
  for (const Occurrence& c : candidates) order.push_back(&c);
  std::stable_sort(order.begin(), order.end(),
                   [](const Occurrence* a, const Occurrence* b) { return a->score > b->score; });
  // Distinct symbols only: no two occurrences closer than the template's size.
  std::vector<std::array<int, 2>> placements;
  for (const Occurrence* c : order) {
    if (placements.size() >= MostDistinct) break;
    const int x = c->x;
    const int y = c->y;
    const bool distinct =
        std::none_of(placements.begin(), placements.end(), [&](const std::array<int, 2>& p) {
          return std::abs(p[0] - x) < unit.width && std::abs(p[1] - y) < unit.height;
        });
    if (distinct) placements.push_back({x, y});
  }
  // Spread over the ranks: the best occurrences are those most like the
  // unit, a line crossing them included (a fit curve of the same slope).
  if (placements.size() > MostOccurrences) {
    std::vector<std::array<int, 2>> spread;
    for (std::size_t k = 0; k < MostOccurrences; ++k)
      spread.push_back(placements[k * placements.size() / MostOccurrences]);
    placements = std::move(spread);
  }
  if (placements.size() < FewestOccurrences) return std::nullopt;
  const std::vector<char> keep = ConfirmedPixels(picture, unit, placements, share);
  float dropped = 0;
  float total = 0;
  for (std::size_t i = 0; i < keep.size(); ++i) {
    const auto& v = unit.baseInk[i];
    const float length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    total += length;
    if (!keep[i]) dropped += length;
  }
  if (dropped < 0.02f * total) return std::nullopt;
  const std::vector<std::array<float, 3>> instead = MedianInk(picture, unit, placements);
  ThoroughTemplate cleaned = WithoutPixels(unit, keep, &instead);
  if (cleaned.empty()) return std::nullopt;
  return cleaned;
}
