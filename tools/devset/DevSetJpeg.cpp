#include "devset/DevRecipeParts.h"
#include "devset/DevSetGroups.h"

namespace devset {

namespace {

constexpr Rgb Black{0, 0, 0};
constexpr Rgb Navy{0, 0, 139};
constexpr Rgb Red{214, 39, 40};
constexpr Rgb Cream{236, 230, 212};
constexpr Rgb Grey{226, 226, 222};
constexpr Rgb Bluish{222, 230, 238};

}  // namespace

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
    Room(s, {80, 20, 20, 60}, {0, 0, 0, 0.1});
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
    Room(s, {70, 20, 20, 40}, {0, 0, 0, 0.1});
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
    Room(s, {70, 15, 15, 60});
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
