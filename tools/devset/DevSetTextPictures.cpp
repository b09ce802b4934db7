#include "devset/DevRecipeParts.h"
#include "devset/DevSetGroups.h"

namespace devset {

namespace {

constexpr Rgb Black{0, 0, 0};
constexpr Rgb Navy{0, 0, 139};
constexpr Rgb Red{214, 39, 40};
constexpr Rgb Blue{31, 119, 180};
constexpr Rgb Green{44, 160, 44};

}  // namespace

std::vector<PictureRecipe> TextPictures() {
  std::vector<PictureRecipe> set;
  {
    // A figure with labelled axes, a column of prose beside it, its caption
    // and more prose below, and a footnote in small type.
    PictureRecipe s = Page("text_figure_open_circles", "text", 501, 1000, 760,
                           MakeMarker(Shape::Circle, false, 9, Black), 8);
    Room(s, {80, 30, 0, 60}, {0, 0, 0.3, 0.25});
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
    Room(s, {60, 20, 20, 30}, {0, 0, 0, 0.386});
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
    Room(s, {100, 70, 40, 60}, {0, 0, 0, 0.175});
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
    Room(s, {60, 20, 20, 60});
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
    Room(s, {70, 20, 0, 60}, {0, 0, 0.29, 0.22});
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
    Room(s, {60, 15, 15, 30}, {0, 0, 0, 0.29});
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
    Room(s, {70, 20, 0, 60}, {0, 0, 0.29, 0.1});
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
    Room(s, {80, 20, 30, 60}, {0, 0, 0, 0.18});
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

}  // namespace devset
