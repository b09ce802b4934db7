#include "devset/DevSetGroups.h"

namespace devset {

namespace {

constexpr Rgb Black{0, 0, 0};
constexpr Rgb Navy{0, 0, 139};
constexpr Rgb Red{214, 39, 40};
constexpr Rgb Blue{31, 119, 180};
constexpr Rgb Green{44, 160, 44};
constexpr Rgb Cream{236, 230, 212};
constexpr Rgb Grey{226, 226, 222};
constexpr Rgb Bluish{222, 230, 238};

Marker MakeMarker(Shape shape, bool filled, double size, Rgb colour, double stroke = 1) {
  Marker m;
  m.shape = shape;
  m.filled = filled;
  m.size = size;
  m.stroke = stroke;
  m.colour = colour;
  return m;
}

// A figure on a page: the plot area inside the picture, with room for
// labels and text around it.
PictureRecipe Page(const char* name, const char* group, unsigned seed, int width, int height, Marker marker,
                   double spacing) {
  PictureRecipe s;
  s.name = name;
  s.group = group;
  s.seed = seed;
  s.width = width;
  s.height = height;
  s.ticks = false;
  s.target.marker = marker;
  s.target.spacing = spacing;
  s.unitMargin = 3;
  return s;
}

void Margins(PictureRecipe& s, double left, double top, double right, double bottom) {
  s.marginLeft = left;
  s.marginTop = top;
  s.marginRight = right;
  s.marginBottom = bottom;
}

Axis Ticks(int ticks, double from, double step, int decimals, const char* title = "") {
  Axis a;
  a.ticks = ticks;
  a.from = from;
  a.step = step;
  a.decimals = decimals;
  a.title = title;
  return a;
}

Paragraph Prose(Font font, double x, double y, double width, int lines) {
  Paragraph p;
  p.font = font;
  p.x = x;
  p.y = y;
  p.width = width;
  p.lines = lines;
  return p;
}

TextLine Line(const char* text, Font font, double x, double y) {
  TextLine t;
  t.text = text;
  t.font = font;
  t.x = x;
  t.y = y;
  return t;
}

}  // namespace

std::vector<PictureRecipe> TextPictures() {
  std::vector<PictureRecipe> set;
  {
    // A figure with labelled axes, a column of prose beside it, its caption
    // and more prose below, and a footnote in small type.
    PictureRecipe s = Page("text_figure_open_circles", "text", 501, 1000, 760,
                           MakeMarker(Shape::Circle, false, 9, Black), 8);
    Margins(s, 80, 30, 300, 250);
    s.xAxis = Ticks(6, -6, 2, 0, "Velocity (mm/s)");
    s.yAxis = Ticks(4, 0.92, 0.02, 2, "Relative transmission");
    s.axisFont = {Face::Sans, Style::Regular, 13};
    s.paragraphs.push_back(Prose({Face::Serif, Style::Regular, 11}, 0.725, 0.04, 0.26, 24));
    s.lines.push_back(Line("Fig. 3. Mössbauer spectrum of the annealed sample at 295 K.",
                           {Face::Serif, Style::Bold, 15}, 0.06, 0.775));
    s.paragraphs.push_back(Prose({Face::Serif, Style::Regular, 12}, 0.06, 0.8, 0.88, 6));
    s.lines.push_back(
        Line("¹ Measured with a 25 µm α-Fe foil as reference.", {Face::Sans, Style::Regular, 8}, 0.06, 0.97));
    set.push_back(s);
  }
  {
    // Filled dots the size of the letters of the text below and inside the
    // plot, where the spectrum does not reach.
    PictureRecipe s =
        Page("text_letter_sized_dots", "text", 502, 900, 700, MakeMarker(Shape::Circle, true, 7, Black), 9);
    Margins(s, 60, 20, 20, 300);
    s.yAxis = Ticks(5, 0, 20, 0);
    s.xAxis = Ticks(8, 0, 100, 0);
    s.axisFont = {Face::Sans, Style::Regular, 12};
    s.paragraphs.push_back(Prose({Face::Sans, Style::Regular, 11}, 0.3, 0.45, 0.4, 3));
    s.paragraphs.push_back(Prose({Face::Sans, Style::Regular, 12}, 0.07, 0.63, 0.41, 14));
    s.paragraphs.push_back(Prose({Face::Sans, Style::Regular, 12}, 0.52, 0.63, 0.41, 14));
    set.push_back(s);
  }
  {
    // Large red squares under a title, with large labels and an italic caption.
    PictureRecipe s = Page("text_title_large_squares", "text", 503, 1100, 800,
                           MakeMarker(Shape::Square, true, 14, Red), 17);
    Margins(s, 100, 70, 40, 200);
    s.lines.push_back(
        Line("Transmission of the reference absorber", {Face::Sans, Style::Bold, 26}, 0.09, 0.06));
    s.xAxis = Ticks(5, 0, 100, 0, "Channel");
    s.yAxis = Ticks(4, 0.6, 0.1, 1, "Counts (normalised)");
    s.axisFont = {Face::Sans, Style::Regular, 16};
    s.lines.push_back(Line("Figure 1: the spectrum after folding and background removal.",
                           {Face::Sans, Style::Italic, 16}, 0.09, 0.865));
    s.paragraphs.push_back(Prose({Face::Sans, Style::Regular, 13}, 0.09, 0.885, 0.85, 4));
    set.push_back(s);
  }
  {
    // Narrow type over the lower part of the plot and a label inside it.
    PictureRecipe s = Page("text_narrow_triangles_inside", "text", 504, 1000, 700,
                           MakeMarker(Shape::Triangle, false, 10, Green, 1.2), 13);
    Margins(s, 60, 20, 20, 60);
    s.xAxis = Ticks(10, 0, 50, 0);
    s.yAxis = Ticks(6, 0, 5, 0);
    s.axisFont = {Face::Narrow, Style::Regular, 12};
    s.paragraphs.push_back(Prose({Face::Narrow, Style::Regular, 12}, 0.1, 0.74, 0.8, 5));
    s.lines.push_back(Line("T = 4.2 K", {Face::Narrow, Style::Bold, 18}, 0.78, 0.09));
    set.push_back(s);
  }
  {
    // Typewriter text around navy diamonds.
    PictureRecipe s =
        Page("text_mono_diamonds", "text", 505, 960, 720, MakeMarker(Shape::Diamond, true, 8, Navy), 11);
    Margins(s, 70, 20, 280, 220);
    s.xAxis = Ticks(4, 0, 250, 0, "channel");
    s.yAxis = Ticks(5, 0, 2, 0, "counts / 1000");
    s.axisFont = {Face::Mono, Style::Regular, 11};
    s.paragraphs.push_back(Prose({Face::Mono, Style::Regular, 10}, 0.74, 0.03, 0.25, 30));
    s.lines.push_back(Line("FIGURE 4  Raw counts of run 17", {Face::Mono, Style::Bold, 12}, 0.07, 0.8));
    s.paragraphs.push_back(Prose({Face::Mono, Style::Regular, 10}, 0.07, 0.82, 0.88, 8));
    set.push_back(s);
  }
  {
    // Small open circles among italic prose whose letters are as large.
    PictureRecipe s = Page("text_italic_small_circles", "text", 506, 900, 650,
                           MakeMarker(Shape::Circle, false, 6, Black), 7);
    Margins(s, 60, 15, 15, 220);
    s.xAxis = Ticks(6, 0, 2, 0);
    s.yAxis = Ticks(4, 0, 25, 0);
    s.axisFont = {Face::Serif, Style::Regular, 10};
    s.paragraphs.push_back(Prose({Face::Serif, Style::Italic, 10}, 0.07, 0.7, 0.42, 13));
    s.paragraphs.push_back(Prose({Face::Serif, Style::Italic, 10}, 0.52, 0.7, 0.42, 13));
    set.push_back(s);
  }
  {
    // Everything aliased, the text too.
    PictureRecipe s = Page("text_aliased_filled_circles", "text", 507, 1000, 700,
                           MakeMarker(Shape::Circle, true, 9, Black), 12);
    s.drawing = Drawing::Aliased;
    Margins(s, 70, 20, 290, 130);
    s.xAxis = Ticks(5, 0, 20, 0, "Energy (keV)");
    s.yAxis = Ticks(5, 0, 0.2, 1, "Yield");
    s.axisFont = {Face::Sans, Style::Regular, 12};
    s.lines.push_back(Line("Fig. 2  Yield against energy", {Face::Sans, Style::Bold, 14}, 0.07, 0.9));
    s.paragraphs.push_back(Prose({Face::Sans, Style::Regular, 12}, 0.73, 0.04, 0.25, 26));
    set.push_back(s);
  }
  {
    // Large blue dots scattered with red open squares, a legend, a heading
    // and a caption.
    PictureRecipe s = Page("text_scatter_legend_dots", "text", 508, 1000, 760,
                           MakeMarker(Shape::Circle, true, 16, Blue), 12);
    Margins(s, 80, 20, 30, 200);
    s.target.layout = Layout::Scatter;
    s.target.count = 45;
    s.target.padding = 14;
    s.target.minDistance = 14;
    s.target.label = "annealed";
    s.hasOther = true;
    s.other.marker = MakeMarker(Shape::Square, false, 12, Red, 1.5);
    s.other.layout = Layout::Scatter;
    s.other.count = 40;
    s.other.padding = 12;
    s.other.label = "as prepared";
    s.legend.on = true;
    s.legend.corner = 1;
    s.legend.font = {Face::Serif, Style::Regular, 14};
    s.xAxis = Ticks(5, 10, 10, 0, "Grain size (nm)");
    s.yAxis = Ticks(5, 0, 0.5, 1, "Coercivity (T)");
    s.axisFont = {Face::Sans, Style::Regular, 14};
    s.lines.push_back(Line("Results", {Face::Serif, Style::Bold, 28}, 0.08, 0.86));
    s.lines.push_back(
        Line("Coercivity of both series against grain size.", {Face::Sans, Style::Regular, 18}, 0.08, 0.92));
    s.paragraphs.push_back(Prose({Face::Serif, Style::Regular, 11}, 0.08, 0.94, 0.85, 2));
    set.push_back(s);
  }
  return set;
}

std::vector<PictureRecipe> JpegPictures() {
  std::vector<PictureRecipe> set;
  {
    // Ten black disks in a row above a paragraph, scanned noisily.
    PictureRecipe s = Page("jpeg_ten_disks_paragraph", "jpeg", 601, 800, 520,
                           MakeMarker(Shape::Circle, true, 16, Black), 0);
    s.frame = false;
    s.target.layout = Layout::Row;
    s.target.count = 10;
    s.target.baseline = 0.16;
    s.target.scatter = 0;
    s.paragraphs.push_back(Prose({Face::Serif, Style::Regular, 15}, 0.06, 0.3, 0.88, 13));
    s.paper = {245, 242, 235};
    s.lamp = 0.1;
    s.blur = 0.5;
    s.noise = 6;
    s.jpegQuality = 60;
    set.push_back(s);
  }
  {
    // A labelled spectrum on tinted paper.
    PictureRecipe s =
        Page("jpeg_tinted_labelled", "jpeg", 602, 1000, 700, MakeMarker(Shape::Circle, true, 9, Black), 12);
    Margins(s, 80, 20, 20, 130);
    s.xAxis = Ticks(8, -8, 2, 0, "v (mm/s)");
    s.yAxis = Ticks(5, 0.95, 0.01, 2, "Transmission");
    s.axisFont = {Face::Sans, Style::Regular, 13};
    s.lines.push_back(Line("Figure 5. Spectrum at 80 K.", {Face::Serif, Style::Regular, 15}, 0.08, 0.95));
    s.paper = Cream;
    s.lamp = 0.2;
    s.noise = 5;
    s.jpegQuality = 55;
    set.push_back(s);
  }
  {
    // Blurred open squares on grey paper, heavily compressed.
    PictureRecipe s = Page("jpeg_grey_open_squares", "jpeg", 603, 1000, 700,
                           MakeMarker(Shape::Square, false, 11, Navy, 1.3), 15);
    Margins(s, 70, 20, 20, 110);
    s.xAxis = Ticks(5, 0, 200, 0);
    s.yAxis = Ticks(4, 0, 25, 0);
    s.axisFont = {Face::Serif, Style::Regular, 12};
    s.lines.push_back(
        Line("Fig. 7. Open squares: the second measurement.", {Face::Serif, Style::Regular, 14}, 0.07, 0.94));
    s.paper = Grey;
    s.blur = 0.6;
    s.noise = 7;
    s.jpegQuality = 50;
    set.push_back(s);
  }
  {
    // Scattered triangles and circles with a legend on bluish paper.
    PictureRecipe s = Page("jpeg_bluish_triangles_legend", "jpeg", 604, 900, 650,
                           MakeMarker(Shape::Triangle, true, 10, Black), 12);
    Margins(s, 70, 15, 15, 60);
    s.target.layout = Layout::Scatter;
    s.target.count = 90;
    s.target.padding = 10;
    s.target.label = "sample";
    s.hasOther = true;
    s.other.marker = MakeMarker(Shape::Circle, true, 9, Red);
    s.other.layout = Layout::Scatter;
    s.other.count = 70;
    s.other.padding = 10;
    s.other.label = "blank";
    s.legend.on = true;
    s.legend.corner = 1;
    s.xAxis = Ticks(5, 0, 1, 0);
    s.yAxis = Ticks(5, 0, 1, 0);
    s.axisFont = {Face::Sans, Style::Regular, 12};
    s.paper = Bluish;
    s.lamp = 0.15;
    s.noise = 4;
    s.jpegQuality = 75;
    set.push_back(s);
  }
  {
    // Twelve open circles in a row between a caption and prose.
    PictureRecipe s = Page("jpeg_twelve_open_circles_row", "jpeg", 605, 900, 560,
                           MakeMarker(Shape::Circle, false, 14, Black, 1.5), 0);
    s.frame = false;
    s.target.layout = Layout::Row;
    s.target.count = 12;
    s.target.baseline = 0.2;
    s.target.scatter = 0.3;
    s.lines.push_back(
        Line("Table 1. Symbols used in the figures.", {Face::Sans, Style::Bold, 14}, 0.05, 0.07));
    s.paragraphs.push_back(Prose({Face::Sans, Style::Regular, 12}, 0.05, 0.34, 0.9, 16));
    s.paper = {240, 238, 232};
    s.noise = 8;
    s.jpegQuality = 65;
    set.push_back(s);
  }
  return set;
}

}  // namespace devset
