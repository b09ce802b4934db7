#include <algorithm>
#include <cmath>
#include <cstdio>

#include "devset/DevRenderParts.h"

namespace devset {

namespace {

std::string TickLabel(const Axis& axis, int k) {
  char text[64];
  const double value = axis.from + k * axis.step + 0.0;
  std::snprintf(text, sizeof text, "%.*f", axis.decimals, std::abs(value) < 1e-12 ? 0.0 : value);
  return text;
}

// Distance from the plot area's edge to the near side of the tick labels.
constexpr double LabelGap = 5 + 4;

TextPiece Piece(FontLibrary& fonts, std::string text, const Font& font, double x, double y,
                bool upright = false) {
  TextPiece p;
  p.box = fonts.layoutBox(text, font, x, y, upright);
  p.text = std::move(text);
  p.font = font;
  p.x = x;
  p.y = y;
  p.upright = upright;
  return p;
}

void LayOutAxes(FontLibrary& fonts, const PictureRecipe& recipe, const Area& area,
                std::vector<TextPiece>& out) {
  const Font& font = recipe.axisFont;
  const Axis& xa = recipe.xAxis;
  const Axis& ya = recipe.yAxis;
  // Capital height, to centre labels on their ticks.
  const double cap = 0.72 * font.size;
  double below = area.bottom + LabelGap;
  if (xa.ticks > 0 && xa.labelled) {
    for (int k = 0; k <= xa.ticks; ++k) {
      const std::string label = TickLabel(xa, k);
      const double x = AxisTick(area, xa, k, true) - fonts.width(label, font) / 2;
      out.push_back(Piece(fonts, label, font, x, below + cap));
    }
    below += cap + fonts.descent(font);
  }
  if (xa.ticks > 0 && !xa.title.empty()) {
    const double x = (area.left + area.right) / 2 - fonts.width(xa.title, font) / 2;
    out.push_back(Piece(fonts, xa.title, font, x, below + 0.6 * font.size + cap));
  }
  double widest = 0;
  if (ya.ticks > 0 && ya.labelled) {
    for (int k = 0; k <= ya.ticks; ++k) {
      const std::string label = TickLabel(ya, k);
      const double width = fonts.width(label, font);
      widest = std::max(widest, width);
      out.push_back(
          Piece(fonts, label, font, area.left - LabelGap - width, AxisTick(area, ya, k, false) + cap / 2));
    }
  }
  if (ya.ticks > 0 && !ya.title.empty()) {
    const double x = area.left - LabelGap - widest - 0.6 * font.size - fonts.descent(font);
    const double y = (area.top + area.bottom) / 2 + fonts.width(ya.title, font) / 2;
    out.push_back(Piece(fonts, ya.title, font, x, y, true));
  }
}

}  // namespace

std::vector<TextPiece> LayOutText(FontLibrary& fonts, const PictureRecipe& recipe, const Area& area,
                                  std::mt19937& prose) {
  std::vector<TextPiece> out;
  LayOutAxes(fonts, recipe, area, out);
  const double w = recipe.width;
  const double h = recipe.height;
  for (const TextLine& line : recipe.lines)
    out.push_back(Piece(fonts, line.text, line.font, line.x * w, line.y * h));
  // A paragraph ends early where it would run into text laid out before it
  // or off the page, as happens when the page is drawn smaller.
  for (const Paragraph& p : recipe.paragraphs) {
    const double step = p.leading * p.font.size;
    double baseline = p.y * h + fonts.ascent(p.font);
    const std::size_t before = out.size();
    for (const std::string& text : ProseLines(fonts, p.font, p.width * w, p.lines, prose)) {
      TextPiece line = Piece(fonts, text, p.font, p.x * w, baseline);
      const bool blocked =
          line.box.bottom > h || std::any_of(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(before),
                                             [&](const TextPiece& o) { return Overlaps(line.box, o.box); });
      if (blocked) break;
      out.push_back(std::move(line));
      baseline += step;
    }
  }
  return out;
}

std::vector<Box> DrawPieces(FloatPicture& picture, FontLibrary& fonts, const std::vector<TextPiece>& pieces,
                            Rgb colour, Drawing drawing) {
  std::vector<Box> boxes;
  for (const TextPiece& p : pieces)
    boxes.push_back(fonts.draw(picture, p.text, p.font, p.x, p.y, colour, drawing, p.upright));
  return boxes;
}

LegendLayout LayOutLegend(FontLibrary& fonts, const PictureRecipe& recipe, const Area& area) {
  LegendLayout out;
  std::vector<const Series*> series{&recipe.target};
  if (recipe.hasOther) series.push_back(&recipe.other);
  const Font& font = recipe.legend.font;
  double marker = 0;
  double labels = 0;
  std::vector<std::string> names;
  for (std::size_t k = 0; k < series.size(); ++k) {
    names.push_back(series[k]->label.empty() ? "Series " + std::to_string(k + 1) : series[k]->label);
    marker = std::max(marker, series[k]->marker.size + 2 * series[k]->marker.stroke);
    labels = std::max(labels, fonts.width(names.back(), font));
  }
  const double pad = 6;
  const double row = std::max(1.3 * font.size, marker + 6);
  const double sample = marker + 8;
  const double width = std::ceil(pad + sample + labels + pad + 2);
  const double height = std::ceil(pad + row * static_cast<double>(series.size()) + pad - 4);
  const double inset = 10;
  const int corner = recipe.legend.corner;
  const double left = std::floor(corner % 2 == 1 ? area.right - inset - width : area.left + inset);
  const double top = std::floor(corner >= 2 ? area.bottom - inset - height : area.top + inset);
  out.box = {left, top, left + width, top + height};
  for (std::size_t k = 0; k < series.size(); ++k) {
    const double centreY = top + pad - 2 + (static_cast<double>(k) + 0.5) * row;
    out.samples.push_back({left + pad + sample / 2, centreY});
    out.labels.push_back(Piece(fonts, names[k], font, left + pad + sample, centreY + 0.36 * font.size));
  }
  return out;
}

void DrawLegend(FloatPicture& picture, FontLibrary& fonts, const PictureRecipe& recipe,
                const LegendLayout& legend) {
  const Box& b = legend.box;
  const Drawing d = recipe.drawing;
  if (recipe.legend.filled) FillBox(picture, b.left, b.top, b.right, b.bottom, recipe.legend.fill, d);
  const Rgb edge = recipe.legend.border;
  FillBox(picture, b.left, b.top, b.right, b.top + 1, edge, d);
  FillBox(picture, b.left, b.bottom - 1, b.right, b.bottom, edge, d);
  FillBox(picture, b.left, b.top + 1, b.left + 1, b.bottom - 1, edge, d);
  FillBox(picture, b.right - 1, b.top + 1, b.right, b.bottom - 1, edge, d);
  for (std::size_t k = 0; k < legend.samples.size(); ++k) {
    const Marker& m = k == 0 ? recipe.target.marker : recipe.other.marker;
    DrawMarker(picture, m, legend.samples[k].x, legend.samples[k].y, d);
  }
  DrawPieces(picture, fonts, legend.labels, recipe.textColour, d);
}

}  // namespace devset
