#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

#include "devset/DevCanvas.h"
#include "devset/DevSet.h"

namespace devset {

namespace {

struct Placed {
  double x = 0;  // continuous coordinates as drawn
  double y = 0;
};

// A transmission-like curve: a baseline with six Lorentzian dips, in pixels
// from the top.
class SpectrumCurve {
 public:
  SpectrumCurve(const Series& s, int width, int height, std::mt19937& random) : width_(width) {
    std::uniform_real_distribution<double> jitter(-0.03, 0.03);
    const double centres[6] = {0.15, 0.3, 0.44, 0.56, 0.7, 0.85};
    const double depths[6] = {1.0, 0.66, 0.33, 0.33, 0.66, 1.0};
    for (int k = 0; k < 6; ++k) {
      centres_[k] = centres[k] + jitter(random);
      depths_[k] = depths[k];
    }
    halfWidth_ = 0.012 + std::uniform_real_distribution<double>(0, 0.01)(random);
    double peak = 0;
    for (int x = 0; x < width; ++x) peak = std::max(peak, shape(x));
    top_ = s.baseline * height;
    scale_ = s.depth * height / std::max(peak, 1e-9);
  }
  double operator()(double x) const { return top_ + scale_ * shape(x); }

 private:
  double shape(double x) const {
    double sum = 0;
    for (int k = 0; k < 6; ++k) {
      const double t = (x / width_ - centres_[k]) / halfWidth_;
      sum += depths_[k] / (1 + t * t);
    }
    return sum;
  }
  int width_;
  double centres_[6]{};
  double depths_[6]{};
  double halfWidth_ = 0.015;
  double top_ = 0;
  double scale_ = 1;
};

std::vector<Placed> PlaceSeries(const Series& s, const SpectrumCurve& curve, int width, int height,
                                double shift, std::mt19937& random) {
  std::vector<Placed> points;
  std::normal_distribution<double> scatter(0.0, s.scatter);
  if (s.layout == Layout::Spectrum) {
    const double start = std::uniform_real_distribution<double>(0, s.spacing)(random) * 0.999 + shift;
    for (double x = std::fmod(start, s.spacing); x < width; x += s.spacing) {
      const double y = curve(x) + scatter(random);
      if (y >= 0 && y < height) points.push_back({x, y});
    }
  } else {
    std::uniform_real_distribution<double> across(0, width);
    std::uniform_real_distribution<double> down(0, height);
    for (int i = 0; i < s.count; ++i) points.push_back({across(random), down(random)});
  }
  return points;
}

// The ink-weighted centre of a coverage, in pixel-index coordinates.
Placed InkCentre(const Coverage& c) {
  double sum = 0, sx = 0, sy = 0;
  for (int y = c.top; y < c.top + c.height; ++y) {
    for (int x = c.left; x < c.left + c.width; ++x) {
      const double a = c.at(x, y);
      sum += a;
      sx += a * x;
      sy += a * y;
    }
  }
  return sum > 0 ? Placed{sx / sum, sy / sum} : Placed{};
}

// Continuous box of the pixels a coverage touches.
struct Box {
  double left = 0, top = 0, right = 0, bottom = 0;
};

Box InkBox(const Coverage& c) {
  Box b{1e18, 1e18, -1e18, -1e18};
  for (int y = c.top; y < c.top + c.height; ++y) {
    for (int x = c.left; x < c.left + c.width; ++x) {
      if (c.at(x, y) <= 0) continue;
      b.left = std::min(b.left, static_cast<double>(x));
      b.top = std::min(b.top, static_cast<double>(y));
      b.right = std::max(b.right, x + 1.0);
      b.bottom = std::max(b.bottom, y + 1.0);
    }
  }
  return b;
}

double Distance(Placed a, Placed b) {
  return std::hypot(a.x - b.x, a.y - b.y);
}

void DrawFrameGridTicks(FloatPicture& picture, const PictureRecipe& recipe, std::mt19937& random) {
  const int w = picture.width;
  const int h = picture.height;
  if (recipe.grid) {
    StrokeLayer grid(w, h, recipe.drawing);
    const bool dashed = random() % 2 == 0;
    for (int k = 1; k < 10; ++k) {
      const double x = k * w / 10.0 + 0.5;
      for (double y = 0; y < h; y += dashed ? 8 : h)
        grid.line(x, y, x, std::min<double>(h, y + (dashed ? 4 : h)), 1);
    }
    for (int k = 1; k < 8; ++k) {
      const double y = k * h / 8.0 + 0.5;
      for (double x = 0; x < w; x += dashed ? 8 : w)
        grid.line(x, y, std::min<double>(w, x + (dashed ? 4 : w)), y, 1);
    }
    grid.paint(picture, {200, 200, 200});
  }
  StrokeLayer ink(w, h, recipe.drawing);
  if (recipe.frame) {
    const double fw = random() % 2 == 0 ? 1.0 : 2.0;
    ink.rect(0, 0, w, fw);
    ink.rect(0, h - fw, w, h);
    ink.rect(0, 0, fw, h);
    ink.rect(w - fw, 0, w, h);
  }
  if (recipe.ticks) {
    for (int k = 1; k < 50; ++k) {
      const double x = k * w / 50.0 + 0.5;
      const double length = k % 5 == 0 ? 9 : 4;
      ink.line(x, 0, x, length, 1);
      ink.line(x, h, x, h - length, 1);
    }
    for (int k = 1; k < 40; ++k) {
      const double y = k * h / 40.0 + 0.5;
      const double length = k % 5 == 0 ? 9 : 4;
      ink.line(0, y, length, y, 1);
      ink.line(w, y, w - length, y, 1);
    }
  }
  ink.paint(picture, {0, 0, 0});
}

// Text placed near the bottom, where the spectrum's dips do not reach.
std::vector<Box> DrawText(FloatPicture& picture, const PictureRecipe& recipe) {
  std::vector<Box> boxes;
  if (!recipe.text) return boxes;
  StrokeLayer layer(picture.width, picture.height, recipe.drawing);
  const char* lines[] = {"T = 295 K", "57Fe", "v = 10 mm/s"};
  double y = picture.height * 0.86;
  for (const char* line : lines) {
    const double x = picture.width * 0.62;
    Text(layer, line, x, y, 2);
    boxes.push_back({x, y, x + 12.0 * static_cast<double>(std::char_traits<char>::length(line)), y + 14});
    y += 18;
  }
  layer.paint(picture, {20, 20, 20});
  return boxes;
}

std::vector<Placed> CurvePoints(const SpectrumCurve& curve, int width) {
  std::vector<Placed> points;
  for (double x = 0; x <= width; x += 1.0) points.push_back({x, curve(x)});
  return points;
}

void DrawCurve(FloatPicture& picture, const PictureRecipe& recipe, const std::vector<Placed>& points) {
  StrokeLayer layer(picture.width, picture.height, recipe.drawing);
  for (std::size_t i = 1; i < points.size(); ++i) {
    layer.line(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y, recipe.curveWidth);
  }
  layer.paint(picture, recipe.curveColour);
}

void DrawMarkers(FloatPicture& picture, const Marker& marker, const std::vector<Placed>& points,
                 Drawing drawing) {
  for (const Placed& p : points) Paint(picture, CoverMarker(marker, p.x, p.y, drawing), marker.colour);
}

// What the scan did, in order: paper, scanning resolution, optics, lamp,
// sensor noise, storage.
Bitmap Scan(FloatPicture picture, const PictureRecipe& recipe, std::mt19937& random) {
  for (std::size_t i = 0; i < picture.r.size(); ++i) {
    picture.r[i] = static_cast<float>(picture.r[i] * recipe.paper.r / 255);
    picture.g[i] = static_cast<float>(picture.g[i] * recipe.paper.g / 255);
    picture.b[i] = static_cast<float>(picture.b[i] * recipe.paper.b / 255);
  }
  if (recipe.scale != 1) picture = Resample(picture, recipe.scale);
  Blur(picture, recipe.blur);
  const int w = picture.width;
  const int h = picture.height;
  if (recipe.lamp > 0) {
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const double u = static_cast<double>(x) / w;
        const double v = static_cast<double>(y) / h;
        const double f = 1 - recipe.lamp * (u * u + v * v) / 2;
        const std::size_t i = picture.index(x, y);
        picture.r[i] = static_cast<float>(picture.r[i] * f);
        picture.g[i] = static_cast<float>(picture.g[i] * f);
        picture.b[i] = static_cast<float>(picture.b[i] * f);
      }
    }
  }
  if (recipe.noise > 0) {
    std::normal_distribution<double> noise(0.0, recipe.noise);
    for (std::size_t i = 0; i < picture.r.size(); ++i) {
      picture.r[i] = static_cast<float>(picture.r[i] + noise(random));
      picture.g[i] = static_cast<float>(picture.g[i] + noise(random));
      picture.b[i] = static_cast<float>(picture.b[i] + noise(random));
    }
  }
  if (recipe.jpegQuality > 0) JpegRoundTrip(picture, recipe.jpegQuality);
  Bitmap out(w, h);
  const auto level = [](float v) { return static_cast<int>(std::lround(std::clamp(v, 0.0f, 255.0f))); };
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const std::size_t i = picture.index(x, y);
      int r = level(picture.r[i]), g = level(picture.g[i]), b = level(picture.b[i]);
      if (recipe.oneBit) r = g = b = (r + g + b) / 3 < 150 ? 0 : 255;
      out.setPixel(x, y, MakeColour(r, g, b));
    }
  }
  return out;
}

// Pixel-index coordinate after resampling by `scale`.
double Rescaled(double indexCoordinate, double scale) {
  return (indexCoordinate + 0.5) * scale - 0.5;
}

}  // namespace

DevPicture RenderPicture(const PictureRecipe& recipe) {
  std::mt19937 random(recipe.seed);
  const int w = recipe.width;
  const int h = recipe.height;
  const SpectrumCurve curve(recipe.target, w, h, random);
  const std::vector<Placed> targets = PlaceSeries(recipe.target, curve, w, h, 0, random);
  std::vector<Placed> others;
  if (recipe.hasOther) {
    const SpectrumCurve otherCurve(recipe.other, w, h, random);
    others = PlaceSeries(recipe.other, otherCurve, w, h, recipe.other.spacing / 2, random);
  }
  const std::vector<Placed> curvePoints =
      recipe.fitCurve != 0 ? CurvePoints(curve, w) : std::vector<Placed>{};

  FloatPicture drawn(w, h, {255, 255, 255});
  DrawFrameGridTicks(drawn, recipe, random);
  const std::vector<Box> textBoxes = DrawText(drawn, recipe);
  if (recipe.fitCurve == 1) DrawCurve(drawn, recipe, curvePoints);
  const bool othersOnTop = recipe.seed % 2 == 1;
  if (!othersOnTop) DrawMarkers(drawn, recipe.other.marker, others, recipe.drawing);
  DrawMarkers(drawn, recipe.target.marker, targets, recipe.drawing);
  if (othersOnTop) DrawMarkers(drawn, recipe.other.marker, others, recipe.drawing);
  if (recipe.fitCurve == 2) DrawCurve(drawn, recipe, curvePoints);

  DevPicture out;
  out.recipe = recipe;
  out.picture = Scan(std::move(drawn), recipe, random);
  const double s = recipe.scale;
  for (const Placed& p : targets) {
    const Placed ink = InkCentre(CoverMarker(recipe.target.marker, p.x, p.y, recipe.drawing));
    out.truth.push_back(
        {Rescaled(p.x - 0.5, s), Rescaled(p.y - 0.5, s), Rescaled(ink.x, s), Rescaled(ink.y, s)});
  }

  // The unit: the target symbol farthest from any other ink, wholly inside.
  const double size = recipe.target.marker.size;
  double bestGap = -std::numeric_limits<double>::infinity();
  std::size_t best = 0;
  for (std::size_t i = 0; i < targets.size(); ++i) {
    const Placed p = targets[i];
    const double edge = size + 6;
    if (p.x < edge || p.y < edge || p.x > w - edge || p.y > h - edge) continue;
    double gap = 1e9;
    for (std::size_t j = 0; j < targets.size(); ++j) {
      if (j != i) gap = std::min(gap, Distance(p, targets[j]) - size);
    }
    for (const Placed& o : others)
      gap = std::min(gap, Distance(p, o) - (size + recipe.other.marker.size) / 2);
    for (const Placed& c : curvePoints) gap = std::min(gap, Distance(p, c) - size / 2 - recipe.curveWidth);
    if (recipe.grid) {
      for (int k = 1; k < 10; ++k) gap = std::min(gap, std::abs(p.x - (k * w / 10.0 + 0.5)) - size / 2 - 1);
      for (int k = 1; k < 8; ++k) gap = std::min(gap, std::abs(p.y - (k * h / 8.0 + 0.5)) - size / 2 - 1);
    }
    for (const Box& b : textBoxes) {
      const double dx = std::max({b.left - p.x, 0.0, p.x - b.right});
      const double dy = std::max({b.top - p.y, 0.0, p.y - b.bottom});
      gap = std::min(gap, std::hypot(dx, dy) - size);
    }
    if (gap > bestGap) {
      bestGap = gap;
      best = i;
    }
  }
  if (!targets.empty()) {
    const Box box =
        InkBox(CoverMarker(recipe.target.marker, targets[best].x, targets[best].y, recipe.drawing));
    const int spread = static_cast<int>(std::ceil(2 * recipe.blur));
    std::uniform_int_distribution<int> margin(0, std::max(0, recipe.unitMargin));
    const int W = out.picture.width();
    const int H = out.picture.height();
    out.unit.Left = std::max(0, static_cast<int>(std::floor(box.left * s)) - spread - margin(random));
    out.unit.Top = std::max(0, static_cast<int>(std::floor(box.top * s)) - spread - margin(random));
    out.unit.Right =
        std::min(W - 1, static_cast<int>(std::ceil(box.right * s)) - 1 + spread + margin(random));
    out.unit.Bottom =
        std::min(H - 1, static_cast<int>(std::ceil(box.bottom * s)) - 1 + spread + margin(random));
  }
  return out;
}

}  // namespace devset
