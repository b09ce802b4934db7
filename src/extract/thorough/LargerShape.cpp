#include "extract/thorough/LargerShape.h"

#include <algorithm>
#include <cmath>

namespace {

// Ink of a shape: its amount, centre and second moments.
struct Moments {
  double mass = 0;
  double x = 0;
  double y = 0;
  double xx = 0;
  double xy = 0;
  double yy = 0;

  void add(double ink, double px, double py) {
    mass += ink;
    x += ink * px;
    y += ink * py;
    xx += ink * px * px;
    xy += ink * px * py;
    yy += ink * py * py;
  }
  double centreX() const { return x / mass; }
  double centreY() const { return y / mass; }
  // Second central moments per unit of ink.
  double spreadXX() const { return xx / mass - centreX() * centreX(); }
  double spreadXY() const { return xy / mass - centreX() * centreY(); }
  double spreadYY() const { return yy / mass - centreY() * centreY(); }
};

// The smaller principal value of a 2 x 2 symmetric matrix over the larger:
// 1 for a spread even in every direction, near 0 along a line, 0 when either
// is not positive.
double Evenness(double xx, double xy, double yy) {
  const double half = (xx + yy) / 2;
  const double root = std::sqrt(std::max(0.0, half * half - (xx * yy - xy * xy)));
  const double larger = half + root;
  const double smaller = half - root;
  return larger <= 0 || smaller <= 0 ? 0.0 : smaller / larger;
}

float SquaredLength(std::uint32_t ink) {
  const float r = static_cast<float>(InkRed(ink));
  const float g = static_cast<float>(InkGreen(ink));
  const float b = static_cast<float>(InkBlue(ink));
  return r * r + g * g + b * b;
}

// Beyond the template's grid, the shape of a symbol is followed this far.
constexpr int Margin = 3;

}  // namespace

ColourInk::ColourInk(const InkPicture& picture, const ThoroughTemplate& unit, const ThoroughTuning& tuning,
                     const ExplainedInk* explained)
    : picture_(picture),
      unit_(unit),
      explained_(explained),
      ratio2_(tuning.otherColour * tuning.otherColour) {}

float ColourInk::at(int x, int y) const {
  if (x < 0 || y < 0 || x >= picture_.width() || y >= picture_.height()) return -1;
  std::uint32_t v = picture_.at(x, y);
  if (v & InkPicture::Unjudged) return 0;
  if (explained_ != nullptr) {
    const std::uint32_t e = explained_->at(x, y);
    if (e != 0) {
      if (SquaredLength(e) >= 0.25f * unit_.maxLength * unit_.maxLength) return -1;
      v = LessExplained(v, e);
    }
  }
  if (v == 0) return 0;
  const float r = static_cast<float>(InkRed(v));
  const float g = static_cast<float>(InkGreen(v));
  const float b = static_cast<float>(InkBlue(v));
  const std::array<float, 3>& d = unit_.meanDirection;
  const float a = r * d[0] + g * d[1] + b * d[2];
  if (a <= 0 || r * r + g * g + b * b - a * a > ratio2_ * a * a) {
    // Strong ink of another colour is another object (a symbol of another
    // series drawn across this one): no shape touching it stands alone.
    return r * r + g * g + b * b >= 0.25f * unit_.maxLength * unit_.maxLength ? -1.0f : 0.0f;
  }
  return std::min(a, unit_.maxLength);
}

ShapeExcess MeasureShapeExcess(const InkPicture& picture, const ThoroughTemplate& unit,
                               const ThoroughTuning& tuning, int x, int y, const ExplainedInk* explained,
                               float inkShare) {
  ShapeExcess result;
  if (unit.empty() || unit.twoLevel) return result;  // a two-level symbol's strokes vary by a pixel
  const int w = unit.gridWidth() + 2 * Margin;
  const int h = unit.gridHeight() + 2 * Margin;
  const int left = x - 1 - Margin;
  const int top = y - 1 - Margin;
  if (left < 0 || top < 0 || left + w > picture.width() || top + h > picture.height()) return result;
  const ColourInk colour(picture, unit, tuning, explained);
  const float least = (inkShare < 0 ? tuning.shapeInk : inkShare) * unit.maxLength;
  // The ink of a window pixel, looked up when the shape reaches it.
  constexpr float Unknown = -2;
  std::vector<float> known(static_cast<std::size_t>(w * h), Unknown);
  const auto ink = [&](int k) {
    float& v = known[static_cast<std::size_t>(k)];
    if (v == Unknown) v = colour.at(left + k % w, top + k / w);
    return v;
  };
  enum : char { Unvisited, InShape, Around };
  std::vector<char> state(static_cast<std::size_t>(w * h), Unvisited);
  std::vector<int> stack;
  for (const TemplatePixel& p : unit.phases[0].ink) {
    if (p.length < 0.5f * unit.maxLength) continue;
    const int k = (p.dy + 1 + Margin) * w + p.dx + 1 + Margin;
    if (state[static_cast<std::size_t>(k)] != Unvisited || ink(k) < least) continue;
    state[static_cast<std::size_t>(k)] = InShape;
    stack.push_back(k);
  }
  // The eight-connected ink, with the fainter pixels around it.
  Moments shape;
  while (!stack.empty()) {
    const int k = stack.back();
    stack.pop_back();
    const int i = k % w;
    const int j = k / w;
    shape.add(ink(k), i, j);
    // A shape reaching the margin's edge goes on beyond the symbol.
    if (i == 0 || j == 0 || i == w - 1 || j == h - 1) return result;
    for (int nj = j - 1; nj <= j + 1; ++nj) {
      for (int ni = i - 1; ni <= i + 1; ++ni) {
        const std::size_t n = static_cast<std::size_t>(nj * w + ni);
        if (state[n] != Unvisited) continue;
        const float a = ink(static_cast<int>(n));
        if (a < 0) return result;  // touches a neighbour
        if (a >= least) {
          state[n] = InShape;
          stack.push_back(static_cast<int>(n));
        } else {
          state[n] = Around;
          shape.add(a, ni, nj);
        }
      }
    }
  }
  if (shape.mass <= 0) return result;
  Moments own;
  for (const TemplatePixel& p : unit.phases[0].ink) {
    own.add(std::min(p.length, unit.maxLength), p.dx + 1 + Margin, p.dy + 1 + Margin);
  }
  result.judged = true;
  result.centreX = left + shape.centreX();
  result.centreY = top + shape.centreY();
  const double more = shape.mass / own.mass - 1;
  if (more <= 0) return result;
  const double evenness = Evenness(shape.spreadXX() - own.spreadXX(), shape.spreadXY() - own.spreadXY(),
                                   shape.spreadYY() - own.spreadYY());
  result.excess = static_cast<float>(more * evenness);
  result.evenness = static_cast<float>(evenness);
  return result;
}
