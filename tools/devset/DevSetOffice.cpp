#include "devset/DevRecipeParts.h"
#include "devset/DevSetGroups.h"

namespace devset {

namespace {

constexpr Rgb Black{0, 0, 0};
constexpr Rgb White{255, 255, 255};
constexpr Rgb LightGrey{217, 217, 217};
constexpr Rgb DarkGrey{89, 89, 89};

// A chart copied out of an office program: the plot area filled in one
// colour over the whole picture but for a few pixels of white the user
// left when cropping, and a legend.
PictureRecipe Chart(const char* name, unsigned seed, int width, int height, Rgb fill, double margin) {
  PictureRecipe s;
  s.name = name;
  s.group = "office";
  s.seed = seed;
  s.width = width;
  s.height = height;
  s.ticks = false;
  s.frame = false;
  s.margins = {margin, margin, margin, margin};
  s.areaFilled = true;
  s.areaFill = fill;
  s.legend.on = true;
  s.textColour = Black;
  s.unitMargin = 3;
  return s;
}

// A series on a spectrum of about `points` points across the plot area.
Series Spectrum(Marker marker, const PictureRecipe& chart, int points, double baseline, double depth,
                double scatter, const char* label) {
  Series s;
  s.marker = marker;
  s.spacing = (chart.width - chart.margins.left - chart.margins.right) / points;
  s.baseline = baseline;
  s.depth = depth;
  s.scatter = scatter;
  s.label = label;
  return s;
}

Series Scattered(Marker marker, int count, const char* label) {
  Series s;
  s.marker = marker;
  s.layout = Layout::Scatter;
  s.count = count;
  s.padding = marker.size + 4;
  s.label = label;
  return s;
}

SolidGrid Grid(int columns, int rows, Rgb colour, double width = 1) {
  SolidGrid g;
  g.columns = columns;
  g.rows = rows;
  g.colour = colour;
  g.width = width;
  return g;
}

}  // namespace

std::vector<PictureRecipe> OfficePictures() {
  std::vector<PictureRecipe> set;
  {
    // Purple diamonds with a black outline, crossed by yellow triangles.
    PictureRecipe s = Chart("office_purple_diamonds", 401, 900, 600, LightGrey, 4);
    s.solidGrid = Grid(10, 8, Black);
    s.target = Spectrum(Edged(Shape::Diamond, 11, {112, 48, 160}, Black), s, 60, 0.3, 0.45, 2, "Sample A");
    s.hasOther = true;
    s.other = Spectrum(Edged(Shape::Triangle, 11, {255, 192, 0}, Black), s, 60, 0.22, 0.5, 2, "Sample B");
    s.legend.corner = 3;
    set.push_back(s);
  }
  {
    // A scatter chart with a trend line and a legend in the plot's colour.
    PictureRecipe s = Chart("office_red_squares_trend", 402, 800, 560, {220, 230, 241}, 3);
    s.solidGrid = Grid(0, 6, DarkGrey);
    s.target = Scattered(Edged(Shape::Square, 9, {192, 0, 0}, Black), 70, "Measured");
    s.target.trend = 0.6;
    s.target.scatter = 45;
    s.hasOther = true;
    s.other = Scattered(Edged(Shape::Triangle, 10, {237, 125, 49}, Black), 50, "Reference");
    s.other.trend = 0.3;
    s.other.scatter = 60;
    s.fitCurve = 2;
    s.trendLine = true;
    s.curveWidth = 1.5;
    s.legend.corner = 1;
    s.legend.fill = s.areaFill;
    set.push_back(s);
  }
  {
    // The grey chart of older office programs, drawn without anti-aliasing.
    PictureRecipe s = Chart("office_navy_diamonds_aliased", 403, 880, 600, {192, 192, 192}, 5);
    s.drawing = Drawing::Aliased;
    s.frame = true;
    s.frameColour = {128, 128, 128};
    s.solidGrid = Grid(0, 8, Black);
    s.target = Spectrum(Edged(Shape::Diamond, 8, {0, 0, 128}, Black), s, 80, 0.3, 0.42, 1.5, "Series1");
    s.hasOther = true;
    s.other = Spectrum(Edged(Shape::Square, 8, {255, 0, 255}, {0, 0, 128}), s, 80, 0.25, 0.5, 1.5, "Series2");
    s.legend.corner = 3;
    s.legend.font = {Face::Sans, Style::Regular, 11};
    set.push_back(s);
  }
  {
    // Orange circles ringed in white on pale grey, a fit under them.
    PictureRecipe s = Chart("office_orange_circles_fit", 404, 960, 640, {242, 242, 242}, 0);
    s.solidGrid = Grid(10, 8, LightGrey);
    s.target =
        Spectrum(Edged(Shape::Circle, 12, {237, 125, 49}, White, 1.5), s, 55, 0.28, 0.45, 2.5, "Run 1");
    s.hasOther = true;
    s.other = Spectrum(Edged(Shape::Square, 9, {165, 165, 165}, Black), s, 55, 0.2, 0.55, 2.5, "Run 2");
    s.fitCurve = 1;
    s.curveColour = DarkGrey;
    s.curveWidth = 2;
    s.legend.corner = 3;
    s.legend.font = {Face::Sans, Style::Regular, 14};
    set.push_back(s);
  }
  {
    // Large green triangles among blue circles.
    PictureRecipe s = Chart("office_green_triangles_large", 405, 1000, 700, LightGrey, 6);
    s.solidGrid = Grid(10, 7, Black);
    s.target = Scattered(Edged(Shape::Triangle, 16, {112, 173, 71}, Black, 1.5), 40, "Green");
    s.hasOther = true;
    s.other = Scattered(Edged(Shape::Circle, 12, {68, 114, 196}, Black), 40, "Blue");
    s.legend.corner = 0;
    s.legend.font = {Face::Sans, Style::Bold, 13};
    set.push_back(s);
  }
  {
    // Gold triangles pointing down, crossed by red squares.
    PictureRecipe s = Chart("office_gold_down_triangles", 406, 900, 600, {219, 229, 241}, 4);
    s.solidGrid = Grid(12, 6, {128, 128, 128});
    s.target = Spectrum(Edged(Shape::TriangleDown, 11, {255, 192, 0}, Black), s, 68, 0.32, 0.4, 2, "Gold");
    s.hasOther = true;
    s.other = Spectrum(Edged(Shape::Square, 9, {255, 0, 0}, Black), s, 68, 0.2, 0.5, 2, "Red");
    s.legend.corner = 3;
    set.push_back(s);
  }
  {
    // Grey plot with white grid lines and labelled axes in the white around it.
    PictureRecipe s = Chart("office_blue_squares_labelled", 407, 940, 620, LightGrey, 8);
    s.margins = {52, 8, 22, 34};
    s.solidGrid = Grid(5, 5, White);
    s.xAxis = {5, 0, 200, 0, true, ""};
    s.yAxis = {5, 0, 0.2, 1, true, ""};
    s.axisFont = {Face::Sans, Style::Regular, 11};
    s.target = Spectrum(Edged(Shape::Square, 8, {68, 114, 196}, {32, 56, 100}), s, 80, 0.3, 0.45, 1.5, "Fe");
    s.hasOther = true;
    s.other = Spectrum(Edged(Shape::Diamond, 9, {192, 80, 77}, {120, 30, 30}), s, 80, 0.22, 0.5, 1.5, "Co");
    s.fitCurve = 2;
    s.curveWidth = 1;
    s.legend.corner = 1;
    s.legend.fill = s.areaFill;
    set.push_back(s);
  }
  {
    // Black plus signs among yellow circles on a bluish plot.
    PictureRecipe s = Chart("office_black_plus_circles", 408, 900, 620, {204, 222, 240}, 3);
    s.solidGrid = Grid(9, 6, DarkGrey);
    Marker plus;
    plus.shape = Shape::Plus;
    plus.size = 11;
    plus.stroke = 2;
    s.target = Spectrum(plus, s, 60, 0.3, 0.45, 2, "Plus");
    s.hasOther = true;
    s.other = Spectrum(Edged(Shape::Circle, 10, {255, 192, 0}, Black), s, 60, 0.24, 0.5, 2, "Circle");
    s.legend.corner = 1;
    set.push_back(s);
  }
  return set;
}

}  // namespace devset
