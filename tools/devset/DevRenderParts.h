#pragma once

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "devset/DevCanvas.h"
#include "devset/DevGeometry.h"
#include "devset/DevSet.h"
#include "devset/DevText.h"

// The steps of rendering a development picture, shared by RenderPicture.
namespace devset {

// The plot area of a recipe on its picture.
Area PlotArea(const PictureRecipe& recipe);

// A transmission-like curve across the plot area: a baseline with six
// Lorentzian dips, in pixels from the top.
class SpectrumCurve {
 public:
  SpectrumCurve(const Series& s, const Area& area, std::mt19937& random);
  double operator()(double x) const { return top_ + scale_ * shape(x); }

 private:
  double shape(double x) const;
  double left_;
  double width_;
  double centres_[6]{};
  double depths_[6]{};
  double halfWidth_ = 0.015;
  double top_ = 0;
  double scale_ = 1;
};

// The centres of a series' points.
std::vector<Placed> PlaceSeries(const Series& s, const SpectrumCurve& curve, const Area& area, double shift,
                                std::mt19937& random);
// A fit drawn as a polyline: the spectrum's curve, or the least-squares line
// through `points`, one vertex per pixel across the plot area.
std::vector<Placed> CurvePoints(const SpectrumCurve& curve, const Area& area);
std::vector<Placed> TrendPoints(const std::vector<Placed>& points, const Area& area);

// The grey dashed or solid grid, the frame and the inward ticks of the
// classic pictures, and the outward ticks of labelled axes.
void DrawFrameGridTicks(FloatPicture& picture, const PictureRecipe& recipe, const Area& area,
                        std::mt19937& random);
// Centres of the solid grid's lines across (x positions of vertical lines)
// or down (y positions of horizontal ones).
std::vector<double> SolidGridLines(const PictureRecipe& recipe, const Area& area, bool vertical);
void DrawSolidGrid(FloatPicture& picture, const PictureRecipe& recipe, const Area& area);
// Where the outward tick k of an axis lies, the centre of its pixel column
// (x axis) or row (y axis).
double AxisTick(const Area& area, const Axis& axis, int k, bool xAxis);

// A line of text as laid out, with the box it takes.
struct TextPiece {
  std::string text;
  Font font;
  double x = 0;
  double y = 0;
  bool upright = false;
  Box box;
};

// The tick labels and axis titles, the recipe's lines and its paragraphs of
// prose (their words drawn from `prose`).
std::vector<TextPiece> LayOutText(FontLibrary& fonts, const PictureRecipe& recipe, const Area& area,
                                  std::mt19937& prose);
// Paints the pieces; returns the boxes of the pixels they inked.
std::vector<Box> DrawPieces(FloatPicture& picture, FontLibrary& fonts, const std::vector<TextPiece>& pieces,
                            Rgb colour, Drawing drawing);

// The legend: its box, the centres of its sample markers (the target's
// first, then the other series') and its labels.
struct LegendLayout {
  Box box;
  std::vector<Placed> samples;
  std::vector<TextPiece> labels;
};
LegendLayout LayOutLegend(FontLibrary& fonts, const PictureRecipe& recipe, const Area& area);
void DrawLegend(FloatPicture& picture, FontLibrary& fonts, const PictureRecipe& recipe,
                const LegendLayout& legend);

// Lines of prose wrapped to `width` pixels.
std::vector<std::string> ProseLines(FontLibrary& fonts, const Font& font, double width, int lines,
                                    std::mt19937& random);

// What the scan did, in order: paper, scanning resolution, optics, lamp,
// sensor noise, storage.
Bitmap Scan(FloatPicture picture, const PictureRecipe& recipe, std::mt19937& random);

}  // namespace devset
