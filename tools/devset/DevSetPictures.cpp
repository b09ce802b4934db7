#include "devset/DevRecipeParts.h"
#include "devset/DevSet.h"
#include "devset/DevSetGroups.h"

namespace devset {

namespace {

const Rgb Black{0, 0, 0};
const Rgb Blue{31, 119, 180};
const Rgb Red{214, 39, 40};
const Rgb Green{44, 160, 44};
const Rgb Navy{0, 0, 139};
const Rgb Magenta{200, 0, 200};
const Rgb Orange{255, 127, 14};
const Rgb Purple{148, 103, 189};
const Rgb DarkGrey{60, 60, 60};
const Rgb Cream{236, 230, 212};
const Rgb Grey{226, 226, 222};
const Rgb Bluish{222, 230, 238};

PictureRecipe Base(const char* name, unsigned seed, Marker marker, double spacing) {
  PictureRecipe s;
  s.name = name;
  s.seed = seed;
  s.target.marker = marker;
  s.target.spacing = spacing;
  return s;
}

}  // namespace

std::vector<PictureRecipe> ClassicPictures() {
  std::vector<PictureRecipe> set;
  auto add = [&set](PictureRecipe s) { set.push_back(std::move(s)); };

  add(Base("clean_filled_circles", 101, MakeMarker(Shape::Circle, true, 8, Black), 11));
  add(Base("clean_open_circles", 102, MakeMarker(Shape::Circle, false, 10, Blue), 13));
  add(Base("clean_filled_squares", 103, MakeMarker(Shape::Square, true, 8, Red), 12));
  add(Base("clean_filled_triangles", 104, MakeMarker(Shape::Triangle, true, 10, Green), 13));
  add(Base("clean_open_diamonds", 105, MakeMarker(Shape::Diamond, false, 11, Magenta), 14));
  add(Base("small_circles", 106, MakeMarker(Shape::Circle, true, 5, Black), 7));
  add(Base("large_open_squares", 107, MakeMarker(Shape::Square, false, 15, Navy, 1.5), 19));
  {
    PictureRecipe s = Base("grid_dashed_circles", 108, MakeMarker(Shape::Circle, true, 8, Blue), 12);
    s.grid = true;
    add(s);
  }
  {
    PictureRecipe s = Base("fit_over_blue_circles", 109, MakeMarker(Shape::Circle, true, 8, Blue), 11);
    s.fitCurve = 2;
    s.curveColour = Red;
    s.curveWidth = 1.5;
    add(s);
  }
  {
    PictureRecipe s = Base("fit_under_red_open_circles", 110, MakeMarker(Shape::Circle, false, 10, Red), 13);
    s.fitCurve = 1;
    s.curveColour = Black;
    add(s);
  }
  {
    PictureRecipe s = Base("two_colours", 111, MakeMarker(Shape::Circle, true, 8, Blue), 12);
    s.hasOther = true;
    s.other.marker = MakeMarker(Shape::Circle, true, 8, Red);
    s.other.spacing = 12;
    s.other.baseline = 0.2;
    s.other.depth = 0.5;
    add(s);
  }
  {
    PictureRecipe s = Base("filled_vs_open_same_colour", 112, MakeMarker(Shape::Circle, true, 9, Black), 13);
    s.hasOther = true;
    s.other.marker = MakeMarker(Shape::Circle, false, 9, Black);
    s.other.spacing = 13;
    s.other.baseline = 0.3;
    s.other.depth = 0.4;
    add(s);
  }
  {
    PictureRecipe s = Base("squares_vs_circles", 113, MakeMarker(Shape::Square, true, 8, Black), 12);
    s.hasOther = true;
    s.other.marker = MakeMarker(Shape::Circle, true, 9, Black);
    s.other.spacing = 12;
    s.other.baseline = 0.15;
    s.other.depth = 0.55;
    add(s);
  }
  add(Base("dense_touching", 114, MakeMarker(Shape::Circle, true, 8, Navy), 7.5));
  {
    PictureRecipe s = Base("dense_overlapping", 115, MakeMarker(Shape::Circle, false, 10, Black), 6.5);
    s.target.scatter = 1.5;
    add(s);
  }
  {
    PictureRecipe s = Base("tinted_lamp_noise", 116, MakeMarker(Shape::Circle, true, 8, Black), 12);
    s.paper = Cream;
    s.lamp = 0.25;
    s.noise = 3;
    add(s);
  }
  {
    PictureRecipe s = Base("tinted_jpeg", 117, MakeMarker(Shape::Square, false, 10, Blue), 14);
    s.paper = Grey;
    s.lamp = 0.15;
    s.noise = 2;
    s.jpegQuality = 80;
    add(s);
  }
  {
    PictureRecipe s = Base("blurred", 118, MakeMarker(Shape::Diamond, true, 10, Black), 14);
    s.blur = 0.8;
    add(s);
  }
  {
    PictureRecipe s = Base("jpeg_white", 119, MakeMarker(Shape::Circle, true, 8, Red), 12);
    s.jpegQuality = 70;
    s.grid = true;
    add(s);
  }
  {
    PictureRecipe s = Base("one_bit", 120, MakeMarker(Shape::Circle, true, 9, Black), 13);
    s.oneBit = true;
    s.fitCurve = 1;
    add(s);
  }
  {
    PictureRecipe s = Base("aliased_squares", 121, MakeMarker(Shape::Square, true, 7, Blue), 11);
    s.drawing = Drawing::Aliased;
    add(s);
  }
  {
    PictureRecipe s = Base("scale_073", 122, MakeMarker(Shape::Circle, true, 11, Black), 15);
    s.scale = 0.73;
    s.width = 1300;
    s.height = 850;
    add(s);
  }
  {
    PictureRecipe s = Base("scale_137", 123, MakeMarker(Shape::Triangle, false, 8, Green, 1.2), 12);
    s.scale = 1.37;
    s.width = 760;
    s.height = 480;
    add(s);
  }
  {
    PictureRecipe s =
        Base("coarse_open_triangles", 124, MakeMarker(Shape::Triangle, false, 11, Purple, 1.3), 15);
    s.drawing = Drawing::Coarse;
    add(s);
  }
  {
    PictureRecipe s = Base("text_and_frame", 125, MakeMarker(Shape::Square, true, 8, DarkGrey), 12);
    s.text = true;
    s.grid = true;
    add(s);
  }
  {
    PictureRecipe s = Base("scatter_plot", 126, MakeMarker(Shape::Circle, true, 8, Green), 12);
    s.target.layout = Layout::Scatter;
    s.target.count = 220;
    s.unitMargin = 4;
    add(s);
  }
  {
    PictureRecipe s = Base("everything", 127, MakeMarker(Shape::Circle, true, 9, Navy), 12);
    s.paper = Cream;
    s.lamp = 0.2;
    s.noise = 2.5;
    s.jpegQuality = 85;
    s.grid = true;
    s.fitCurve = 2;
    s.curveColour = Red;
    s.hasOther = true;
    s.other.marker = MakeMarker(Shape::Square, false, 9, Green);
    s.other.spacing = 16;
    s.other.baseline = 0.2;
    s.other.depth = 0.3;
    add(s);
  }
  {
    PictureRecipe s = Base("vignetted_diamonds", 128, MakeMarker(Shape::Diamond, true, 9, Red), 13);
    s.paper = Bluish;
    s.lamp = 0.45;
    s.noise = 2;
    add(s);
  }
  {
    PictureRecipe s = Base("orange_on_cream", 129, MakeMarker(Shape::Circle, true, 9, Orange), 13);
    s.paper = Cream;
    s.noise = 2;
    add(s);
  }
  {
    PictureRecipe s = Base("tiny_with_fit", 130, MakeMarker(Shape::Circle, true, 4.5, Black), 8);
    s.fitCurve = 2;
    s.curveColour = Blue;
    s.curveWidth = 1;
    add(s);
  }
  add(Base("thick_open_circles", 131, MakeMarker(Shape::Circle, false, 12, Black, 2.2), 16));
  {
    PictureRecipe s = Base("stacked_dense_colours", 132, MakeMarker(Shape::Square, true, 7, Red), 7.5);
    s.target.baseline = 0.15;
    s.target.depth = 0.3;
    s.hasOther = true;
    s.other.marker = MakeMarker(Shape::Square, true, 7, Blue);
    s.other.spacing = 7.5;
    s.other.baseline = 0.55;
    s.other.depth = 0.3;
    add(s);
  }
  {
    PictureRecipe s = Base("low_resolution_scan", 133, MakeMarker(Shape::Circle, true, 12, Black), 17);
    s.scale = 0.61;
    s.width = 1500;
    s.height = 1000;
    s.blur = 0.5;
    s.noise = 2;
    s.paper = Grey;
    add(s);
  }
  {
    PictureRecipe s = Base("fax_scaled", 134, MakeMarker(Shape::Square, false, 12, Black, 1.6), 17);
    s.scale = 0.85;
    s.oneBit = true;
    add(s);
  }
  {
    PictureRecipe s = Base("open_triangles_grid_fit", 135, MakeMarker(Shape::Triangle, false, 10, Black), 14);
    s.grid = true;
    s.fitCurve = 2;
    s.curveColour = Black;
    add(s);
  }
  {
    PictureRecipe s =
        Base("diamonds_vs_squares_colours", 136, MakeMarker(Shape::Diamond, true, 10, Blue), 13);
    s.hasOther = true;
    s.other.marker = MakeMarker(Shape::Square, true, 9, Orange);
    s.other.spacing = 13;
    s.other.baseline = 0.28;
    s.other.depth = 0.45;
    s.fitCurve = 1;
    s.curveColour = Blue;
    add(s);
  }
  {
    // Another series of the same shape and colour, drawn a little larger.
    PictureRecipe s = Base("circles_vs_larger_circles", 137, MakeMarker(Shape::Circle, true, 8, Navy), 12);
    s.hasOther = true;
    s.other.marker = MakeMarker(Shape::Circle, true, 10, Navy);
    s.other.spacing = 12;
    s.other.baseline = 0.2;
    s.other.depth = 0.5;
    add(s);
  }
  {
    PictureRecipe s = Base("circles_vs_squares_black", 138, MakeMarker(Shape::Circle, true, 9, Black), 13);
    s.hasOther = true;
    s.other.marker = MakeMarker(Shape::Square, true, 9, Black);
    s.other.spacing = 13;
    s.other.baseline = 0.25;
    s.other.depth = 0.45;
    s.fitCurve = 1;
    s.curveColour = Black;
    add(s);
  }
  return set;
}

std::vector<std::string> DevelopmentGroups() {
  return {"classic", "office", "text", "jpeg", "dense", "scatter", "spectra"};
}

std::vector<PictureRecipe> DevelopmentSet(const std::string& group) {
  if (group == "classic") return ClassicPictures();
  if (group == "office") return OfficePictures();
  if (group == "text") return TextPictures();
  if (group == "jpeg") return JpegPictures();
  if (group == "dense") return DensePictures();
  if (group == "scatter") return ScatterPictures();
  if (group == "spectra") return SpectrumPictures();
  return {};
}

std::vector<PictureRecipe> DevelopmentSet() {
  std::vector<PictureRecipe> set;
  for (const std::string& group : DevelopmentGroups()) {
    for (PictureRecipe& recipe : DevelopmentSet(group)) set.push_back(std::move(recipe));
  }
  return set;
}

PictureRecipe LargeRecipe() {
  PictureRecipe s = Base("large_3000x2000", 201, MakeMarker(Shape::Circle, true, 11, Black), 5);
  s.width = 3000;
  s.height = 2000;
  s.grid = true;
  s.fitCurve = 2;
  s.curveColour = Red;
  s.target.scatter = 8;
  return s;
}

PictureRecipe LargeTintedRecipe() {
  PictureRecipe s = LargeRecipe();
  s.name = "large_3000x2000_tinted";
  s.paper = Cream;
  s.lamp = 0.2;
  s.noise = 2.5;
  return s;
}

}  // namespace devset
