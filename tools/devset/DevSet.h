#pragma once

#include <string>
#include <utility>
#include <vector>

#include "state/Bitmap.h"
#include "state/Rect.h"

// A development set of realistic plot scans with their truth: plots rendered
// the way plotting programs draw them (anti-aliased or aliased markers at
// sub-pixel positions, frames, grids, fit curves, a second series, legends,
// text in real fonts), then put through what scanning and storing does to
// them (paper tint, lamp gradient, resampling, blur, noise, JPEG, 1-bit).
namespace devset {

// TriangleDown points down; Plus is two solid bars `size` long and `stroke`
// thick, whether filled or not.
enum class Shape { Circle, Square, Triangle, Diamond, TriangleDown, Plus };

// How markers and lines are turned into pixels.
enum class Drawing {
  Exact,    // area coverage from 8 x 8 samples per pixel
  Coarse,   // 4 x 4 samples per pixel (16 grey levels)
  Aliased,  // one sample at the pixel's centre
};

struct Rgb {
  double r = 0;
  double g = 0;
  double b = 0;
};

struct Marker {
  Shape shape = Shape::Circle;
  bool filled = true;
  double size = 8;    // width across, in pixels
  double stroke = 1;  // outline width, in pixels
  Rgb colour{0, 0, 0};
  // A filled marker painted in `colour` and then ringed by an outline of
  // width `stroke` in `edge`, as office charts draw them.
  bool edged = false;
  Rgb edge{0, 0, 0};
};

// Where a series' points lie.
enum class Layout {
  Spectrum,  // evenly spaced across, on a transmission curve with dips
  Scatter,   // random positions
  Row,       // `count` points evenly spaced across on one line at `baseline`
};

struct Series {
  Marker marker;
  Layout layout = Layout::Spectrum;
  double spacing = 12;     // pixels between neighbouring points across (Spectrum)
  int count = 100;         // points (Scatter, Row)
  double baseline = 0.25;  // share of the height from the top for the curve's baseline (and the Row)
  double depth = 0.45;     // deepest dip as a share of the height
  double scatter = 2.5;    // random vertical offset, pixels (standard deviation; Spectrum, Row, trend)
  // Scatter only; all off by default.
  double padding = 0;         // distance kept free inside the plot area's edges, pixels
  int clusters = 0;           // Gaussian clusters ...
  double clustered = 0;       // ... holding this share of the points
  double clusterSpread = 40;  // standard deviation of a cluster, pixels
  double minDistance = 0;     // no two centres closer than this, pixels
  // The points rise across the plot by this share of its height, `scatter`
  // pixels about the line (standard deviation).
  double trend = 0;
  // Spectrum only: stretches of the plot (shares of its width, from, to)
  // where the channels have no point.
  std::vector<std::pair<double, double>> gaps;
  std::string label;  // the series' name in the legend
};

enum class Face { Sans, Serif, Mono, Narrow };
enum class Style { Regular, Bold, Italic, BoldItalic };

// A face of the Liberation fonts at a size in pixels (the em).
struct Font {
  Face face = Face::Sans;
  Style style = Style::Regular;
  double size = 12;
};

// One line of text whose baseline starts at (x, y), as shares of the picture.
struct TextLine {
  std::string text;
  Font font;
  double x = 0;
  double y = 0;
};

// Prose wrapped to `width` (share of the picture's width), `lines` lines,
// its top-left corner at (x, y) as shares of the picture.
struct Paragraph {
  Font font;
  double x = 0;
  double y = 0;
  double width = 0.4;
  int lines = 5;
  double leading = 1.25;  // baseline distance as a multiple of the font size
};

// Labelled ticks along the bottom (x) or left (y) edge of the plot area:
// `ticks` intervals, the first labelled `from` and every next one `step` more.
struct Axis {
  int ticks = 0;  // 0: none
  double from = 0;
  double step = 1;
  int decimals = 0;
  bool labelled = true;
  std::string title;
};

// Solid grid lines across the plot area.
struct SolidGrid {
  int columns = 0;  // vertical lines at the borders of this many columns (0: none)
  int rows = 0;     // horizontal lines likewise
  Rgb colour{0, 0, 0};
  double width = 1;
};

// Room on each side of the plot area.
struct Margins {
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;
};

// A box in one corner of the plot area with one sample marker and the label
// of every series.
struct Legend {
  bool on = false;
  int corner = 1;  // 0 top left, 1 top right, 2 bottom left, 3 bottom right
  bool filled = true;
  Rgb fill{255, 255, 255};
  Rgb border{0, 0, 0};
  Font font{Face::Sans, Style::Regular, 12};
};

struct PictureRecipe {
  std::string name;
  std::string group = "classic";
  unsigned seed = 1;
  int width = 1000;  // size as drawn, before resampling
  int height = 650;
  Drawing drawing = Drawing::Exact;
  Series target;
  bool hasOther = false;
  Series other;
  // The other series is a second spectrum on the target's channels: a point
  // at every target point's column, on its own curve.
  bool otherOnSameChannels = false;
  bool frame = true;
  bool grid = false;
  bool ticks = true;
  bool text = false;
  int fitCurve = 0;  // 0 none, 1 drawn under the points, 2 drawn over them
  Rgb curveColour{0, 0, 0};
  double curveWidth = 1.2;
  // The fit is the least-squares line through the target's points rather
  // than the spectrum's curve.
  bool trendLine = false;
  // The plot area (frame, ticks, grid, points) lies `margins` pixels plus
  // `marginShares` of the picture's width or height in from its edges; the
  // rest holds labels, text or white margin. Labels need pixels, columns of
  // text a share of the page.
  Margins margins;
  Margins marginShares;
  bool areaFilled = false;
  Rgb areaFill{255, 255, 255};
  Rgb frameColour{0, 0, 0};  // frame and the inward ticks
  SolidGrid solidGrid;
  Axis xAxis;
  Axis yAxis;
  Font axisFont{Face::Sans, Style::Regular, 12};
  Legend legend;
  std::vector<TextLine> lines;
  std::vector<Paragraph> paragraphs;
  Rgb textColour{20, 20, 20};
  // What the scan and the storage did.
  Rgb paper{255, 255, 255};
  double lamp = 0;      // brightness lost towards one corner, 0..1
  double scale = 1;     // resampling factor
  double blur = 0;      // Gaussian sigma, pixels
  double noise = 0;     // per-channel standard deviation
  int jpegQuality = 0;  // 0: none
  bool oneBit = false;
  int unitMargin = 2;  // largest margin of the user's unit rectangle
};

// A symbol of the target series: its true centre and the ink-weighted centre
// of its drawn pixels (as drawn alone), in pixel-index coordinates of the
// final picture (pixel column x spans x - 0.5 .. x + 0.5).
struct TruthPoint {
  double x = 0;
  double y = 0;
  double inkX = 0;
  double inkY = 0;
  // A symbol that may be found or not, such as the sample in the legend:
  // finding it is neither a miss nor a false point.
  bool optional = false;
  // The share of its ink that no other symbol of the picture covers.
  double visible = 1;
  // Most of its top or of its bottom row of ink is not covered by another
  // symbol: its height on the page can be read.
  bool rimVisible = true;
};

struct DevPicture {
  PictureRecipe recipe;
  Bitmap picture;
  Rect unit{};  // inclusive rectangle around one isolated target symbol
  std::vector<TruthPoint> truth;
  // The share of the target's symbols whose ink overlaps another symbol's.
  double overlap = 0;
};

DevPicture RenderPicture(const PictureRecipe& recipe);

// The development set: every group, the classic pictures first.
std::vector<PictureRecipe> DevelopmentSet();
// One group of it: "classic", "office", "text", "jpeg", "dense", "scatter" or
// "spectra" (dense spectra whose truth is one point per channel).
std::vector<PictureRecipe> DevelopmentSet(const std::string& group);
std::vector<std::string> DevelopmentGroups();

// 3000 x 2000 plots for timing: a clean one and a tinted scan of it, and a
// dense spectrum of 512 channels whose 18 pixel symbols overlap.
PictureRecipe LargeRecipe();
PictureRecipe LargeTintedRecipe();
PictureRecipe LargeDenseRecipe();
// A 3000 x 2000 spectrum of 1024 channels whose 12 pixel symbols overlap.
PictureRecipe LargeChannelsRecipe();

}  // namespace devset
