#include "extract/UnmatchedInk.h"

#include <algorithm>
#include <cmath>

#include "extract/QuietObserver.h"
#include "extract/thorough/Positions.h"
#include "extract/thorough/SearchState.h"

namespace {

// Ink left unexplained counts from this share of the template's strongest.
constexpr float LeastLeft = 1.0f / 3.0f;

std::size_t Pixel(int x, int y, int width) {
  return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
}

std::vector<char> ByThoroughModel(const AppState& state, std::size_t count) {
  const int w = state.WorkImage.width();
  const int h = state.WorkImage.height();
  std::vector<char> left(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), 0);
  QuietObserver observer;
  const ThoroughOptions options;
  SearchState s(state.WorkImage, state.UnitImagePicture, observer, options);
  if (s.unit.empty()) return left;
  ExplainedInk explained;
  explained.reset(0, 0, w, h);
  for (std::size_t i = 0; i < count; ++i) {
    const PictureCentre c = state.FoundCentres[i];
    const Position at{static_cast<int>(std::lround((c.x - s.unit.centreX) * PhaseSteps)),
                      static_cast<int>(std::lround((c.y - s.unit.centreY) * PhaseSteps))};
    const Placement p = PlacementOf(at);
    explained.add(s.unit.phases[static_cast<std::size_t>(p.phase)], p.x, p.y);
  }
  const float least = LeastLeft * s.unit.maxLength;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const std::uint32_t ink = s.ink.at(x, y);
      if (ink == 0 || (ink & InkPicture::Unjudged)) continue;
      const std::uint32_t rest = LessExplained(ink & 0xFFFFFFu, explained.ink[Pixel(x, y, w)]);
      const float r = static_cast<float>(InkRed(rest));
      const float g = static_cast<float>(InkGreen(rest));
      const float b = static_cast<float>(InkBlue(rest));
      if (std::sqrt(r * r + g * g + b * b) >= least) left[Pixel(x, y, w)] = 1;
    }
  }
  return left;
}

std::vector<char> OutsidePlacements(const AppState& state, std::size_t count) {
  const int w = state.WorkImage.width();
  const int h = state.WorkImage.height();
  std::vector<char> covered(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), 0);
  const int tw = state.UnitTemplate.width();
  const int th = state.UnitTemplate.height();
  for (std::size_t i = 0; i < count; ++i) {
    // A point's centre is its placement's corner plus the template's centre.
    const int left = static_cast<int>(std::lround(state.FoundCentres[i].x)) - state.TemplateCentreX;
    const int top = static_cast<int>(std::lround(state.FoundCentres[i].y)) - state.TemplateCentreY;
    for (int y = std::max(0, top); y < std::min(h, top + th); ++y)
      for (int x = std::max(0, left); x < std::min(w, left + tw); ++x) covered[Pixel(x, y, w)] = 1;
  }
  std::vector<char> left(covered.size(), 0);
  for (int y = 0; y < h; ++y) {
    const Colour* row = state.WorkImage.row(y);
    for (int x = 0; x < w; ++x)
      left[Pixel(x, y, w)] = row[x] != WhiteColour && !covered[Pixel(x, y, w)] ? 1 : 0;
  }
  return left;
}

}  // namespace

std::vector<char> UnmatchedInk(const AppState& state) {
  const std::size_t count = static_cast<std::size_t>(std::max(0, state.DataPointCount));
  if (state.WorkImage.empty() || count == 0 || state.FoundCentres.size() < count) return {};
  if (state.ThoroughMatching || state.OnePointPerChannel) return ByThoroughModel(state, count);
  return OutsidePlacements(state, count);
}
