#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <random>

#include "devset/DevCanvas.h"
#include "devset/DevRenderParts.h"
#include "devset/DevSet.h"
#include "devset/DevShare.h"
#include "devset/DevText.h"

namespace devset {

namespace {

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

// Distance from a point to a box, 0 inside.
double Distance(Placed p, const Box& b) {
  const double dx = std::max({b.left - p.x, 0.0, p.x - b.right});
  const double dy = std::max({b.top - p.y, 0.0, p.y - b.bottom});
  return std::hypot(dx, dy);
}

// Text in the dot font, placed near the bottom, where the spectrum's dips do
// not reach.
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

void DrawCurve(FloatPicture& picture, const PictureRecipe& recipe, const std::vector<Placed>& points) {
  StrokeLayer layer(picture.width, picture.height, recipe.drawing);
  for (std::size_t i = 1; i < points.size(); ++i) {
    layer.line(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y, recipe.curveWidth);
  }
  layer.paint(picture, recipe.curveColour);
}

void DrawMarkers(FloatPicture& picture, const Marker& marker, const std::vector<Placed>& points,
                 Drawing drawing) {
  for (const Placed& p : points) DrawMarker(picture, marker, p.x, p.y, drawing);
}

bool NeedsFonts(const PictureRecipe& r) {
  const auto labelled = [](const Axis& a) { return a.ticks > 0 && (a.labelled || !a.title.empty()); };
  return r.legend.on || !r.lines.empty() || !r.paragraphs.empty() || labelled(r.xAxis) || labelled(r.yAxis);
}

// Leaves out the points whose marker would touch one of the boxes: the data
// that a legend or a text laid over the plot hides.
void LeaveOut(std::vector<Placed>& points, const Marker& marker, const std::vector<Box>& boxes) {
  const double reach = marker.size / 2 + marker.stroke + 2;
  std::erase_if(points, [&](const Placed& p) {
    const Box own{p.x - reach, p.y - reach, p.x + reach, p.y + reach};
    return std::any_of(boxes.begin(), boxes.end(), [&](const Box& b) { return Overlaps(own, b); });
  });
}

// Pixel-index coordinate after resampling by `scale`.
double Rescaled(double indexCoordinate, double scale) {
  return (indexCoordinate + 0.5) * scale - 0.5;
}

// Everything drawn near the target's symbols, for choosing the unit.
struct Surroundings {
  const std::vector<Placed>& targets;
  const std::vector<Placed>& others;
  const std::vector<Placed>& samples;
  const std::vector<Placed>& curve;
  const std::vector<Box>& boxes;
  std::vector<double> gridX;
  std::vector<double> gridY;
};

// The target symbol farthest from any other ink, wholly inside the plot.
std::size_t ChooseUnit(const PictureRecipe& recipe, const Area& area, const Surroundings& s) {
  const double size = recipe.target.marker.size;
  double bestGap = -std::numeric_limits<double>::infinity();
  std::size_t best = 0;
  for (std::size_t i = 0; i < s.targets.size(); ++i) {
    const Placed p = s.targets[i];
    const double edge = size + 6;
    if (p.x < area.left + edge || p.y < area.top + edge || p.x > area.right - edge ||
        p.y > area.bottom - edge)
      continue;
    double gap = 1e9;
    for (std::size_t j = 0; j < s.targets.size(); ++j) {
      if (j != i) gap = std::min(gap, Distance(p, s.targets[j]) - size);
    }
    for (const Placed& o : s.others)
      gap = std::min(gap, Distance(p, o) - (size + recipe.other.marker.size) / 2);
    for (const Placed& o : s.samples) gap = std::min(gap, Distance(p, o) - size);
    for (const Placed& c : s.curve) gap = std::min(gap, Distance(p, c) - size / 2 - recipe.curveWidth);
    if (recipe.grid) {
      for (int k = 1; k < 10; ++k) {
        gap = std::min(gap, std::abs(p.x - (area.left + k * area.width() / 10.0 + 0.5)) - size / 2 - 1);
      }
      for (int k = 1; k < 8; ++k) {
        gap = std::min(gap, std::abs(p.y - (area.top + k * area.height() / 8.0 + 0.5)) - size / 2 - 1);
      }
    }
    const double line = recipe.solidGrid.width / 2;
    for (const double x : s.gridX) gap = std::min(gap, std::abs(p.x - x) - size / 2 - line);
    for (const double y : s.gridY) gap = std::min(gap, std::abs(p.y - y) - size / 2 - line);
    for (const Box& b : s.boxes) gap = std::min(gap, Distance(p, b) - size);
    if (gap > bestGap) {
      bestGap = gap;
      best = i;
    }
  }
  return best;
}

}  // namespace

DevPicture RenderPicture(const PictureRecipe& recipe) {
  std::mt19937 random(recipe.seed);
  const int w = recipe.width;
  const int h = recipe.height;
  const Area area = PlotArea(recipe);
  const SpectrumCurve curve(recipe.target, area, random);
  std::vector<Placed> targets = PlaceSeries(recipe.target, curve, area, 0, random);
  std::vector<Placed> others;
  if (recipe.hasOther) {
    const SpectrumCurve otherCurve(recipe.other, area, random);
    if (recipe.otherOnSameChannels) {
      std::normal_distribution<double> scatter(0.0, std::max(recipe.other.scatter, 1e-9));
      for (const Placed& t : targets) {
        const double y = otherCurve(t.x) + scatter(random);
        if (y >= area.top && y < area.bottom) others.push_back({t.x, y});
      }
    } else {
      others = PlaceSeries(recipe.other, otherCurve, area, recipe.other.spacing / 2, random);
    }
  }

  // Text and legend are laid out first, so that the points they would cover
  // are left out. Their words come from a generator of their own.
  std::unique_ptr<FontLibrary> fonts = NeedsFonts(recipe) ? std::make_unique<FontLibrary>() : nullptr;
  std::vector<TextPiece> pieces;
  LegendLayout legend;
  if (fonts) {
    std::mt19937 prose(recipe.seed * 2654435761u + 12345u);
    pieces = LayOutText(*fonts, recipe, area, prose);
    std::vector<Box> covered;
    for (const TextPiece& p : pieces) covered.push_back(p.box);
    if (recipe.legend.on) {
      legend = LayOutLegend(*fonts, recipe, area);
      covered.push_back(legend.box);
    }
    LeaveOut(targets, recipe.target.marker, covered);
    LeaveOut(others, recipe.other.marker, covered);
  }
  std::vector<Placed> curvePoints;
  if (recipe.fitCurve != 0)
    curvePoints = recipe.trendLine ? TrendPoints(targets, area) : CurvePoints(curve, area);

  FloatPicture drawn(w, h, {255, 255, 255});
  if (recipe.areaFilled)
    FillBox(drawn, area.left, area.top, area.right, area.bottom, recipe.areaFill, recipe.drawing);
  DrawSolidGrid(drawn, recipe, area);
  DrawFrameGridTicks(drawn, recipe, area, random);
  std::vector<Box> textBoxes = DrawText(drawn, recipe);
  if (fonts) {
    for (const Box& b : DrawPieces(drawn, *fonts, pieces, recipe.textColour, recipe.drawing))
      textBoxes.push_back(b);
  }
  if (recipe.fitCurve == 1) DrawCurve(drawn, recipe, curvePoints);
  const bool othersOnTop = recipe.seed % 2 == 1;
  if (!othersOnTop) DrawMarkers(drawn, recipe.other.marker, others, recipe.drawing);
  DrawMarkers(drawn, recipe.target.marker, targets, recipe.drawing);
  if (othersOnTop) DrawMarkers(drawn, recipe.other.marker, others, recipe.drawing);
  if (recipe.fitCurve == 2) DrawCurve(drawn, recipe, curvePoints);
  if (recipe.legend.on) {
    DrawLegend(drawn, *fonts, recipe, legend);
    textBoxes.push_back(legend.box);
  }

  DevPicture out;
  out.recipe = recipe;
  out.picture = Scan(std::move(drawn), recipe, random);
  const double s = recipe.scale;
  // The target's symbols, then the sample in the legend, which may be found or not.
  std::vector<Placed> truePoints = targets;
  if (!legend.samples.empty()) truePoints.push_back(legend.samples.front());
  for (std::size_t i = 0; i < truePoints.size(); ++i) {
    const Placed p = truePoints[i];
    const Placed ink = InkCentre(CoverMarker(recipe.target.marker, p.x, p.y, recipe.drawing));
    TruthPoint t;
    t.x = Rescaled(p.x - 0.5, s);
    t.y = Rescaled(p.y - 0.5, s);
    t.inkX = Rescaled(ink.x, s);
    t.inkY = Rescaled(ink.y, s);
    t.optional = i >= targets.size();
    out.truth.push_back(t);
  }

  // How much of every target symbol the other symbols cover.
  std::vector<MarkAt> marks;
  for (const Placed& p : truePoints) marks.push_back({recipe.target.marker, p.x, p.y});
  for (const Placed& p : others) marks.push_back({recipe.other.marker, p.x, p.y});
  for (std::size_t k = 1; k < legend.samples.size(); ++k)
    marks.push_back({recipe.other.marker, legend.samples[k].x, legend.samples[k].y});
  std::vector<char> rims;
  const std::vector<double> visible = VisibleShares(marks, recipe.drawing, w, h, &rims);
  int overlapping = 0;
  for (std::size_t i = 0; i < out.truth.size(); ++i) {
    out.truth[i].visible = visible[i];
    out.truth[i].rimVisible = rims[i] != 0;
    if (i < targets.size() && visible[i] < 1) ++overlapping;
  }
  out.overlap = targets.empty() ? 0 : static_cast<double>(overlapping) / static_cast<double>(targets.size());

  const std::vector<Placed> samples = legend.samples;
  const Surroundings around{targets,
                            others,
                            samples,
                            curvePoints,
                            textBoxes,
                            SolidGridLines(recipe, area, true),
                            SolidGridLines(recipe, area, false)};
  const std::size_t best = ChooseUnit(recipe, area, around);
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
