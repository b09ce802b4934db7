#include "devset/DevRecipeParts.h"
#include "devset/DevSetGroups.h"

namespace devset {

namespace {

constexpr Rgb Black{0, 0, 0};
constexpr Rgb Blue{31, 119, 180};
constexpr Rgb Red{214, 39, 40};
constexpr Rgb Navy{0, 0, 139};
constexpr Rgb Green{44, 160, 44};
constexpr Rgb Cream{236, 230, 212};

// A spectrum of `channels` channels across the picture, one symbol each,
// `scatter` pixels off its curve.
PictureRecipe Dense(const char* name, unsigned seed, int width, int height, int channels, Marker marker,
                    double scatter) {
  PictureRecipe s;
  s.name = name;
  s.group = "dense";
  s.seed = seed;
  s.width = width;
  s.height = height;
  s.target.marker = marker;
  s.target.spacing = static_cast<double>(width) / channels;
  s.target.scatter = scatter;
  s.unitMargin = 2;
  return s;
}

void Fit(PictureRecipe& s, int where, Rgb colour, double width) {
  s.fitCurve = where;
  s.curveColour = colour;
  s.curveWidth = width;
}

}  // namespace

std::vector<PictureRecipe> DensePictures() {
  std::vector<PictureRecipe> set;
  // Symbols 5.6 channels wide.
  set.push_back(Dense("dense_512_filled_circles_11", 701, 1000, 650, 512,
                      MakeMarker(Shape::Circle, true, 11, Black), 1.5));
  {
    PictureRecipe s = Dense("dense_256_open_circles_fit", 702, 1000, 650, 256,
                            MakeMarker(Shape::Circle, false, 10, Blue), 3);
    Fit(s, 2, Red, 1.5);
    set.push_back(s);
  }
  {
    PictureRecipe s = Dense("dense_1024_squares_fit_under", 703, 1200, 800, 1024,
                            MakeMarker(Shape::Square, true, 7, Black), 0.6);
    Fit(s, 1, Black, 1.2);
    set.push_back(s);
  }
  set.push_back(Dense("dense_2048_small_circles", 704, 1200, 800, 2048,
                      MakeMarker(Shape::Circle, true, 4.5, Navy), 1.0));
  set.push_back(
      Dense("dense_768_open_squares", 705, 1100, 700, 768, MakeMarker(Shape::Square, false, 9, Black), 4));
  {
    // The fit in the symbols' own colour, over them.
    PictureRecipe s =
        Dense("dense_384_fit_same_colour", 706, 960, 640, 384, MakeMarker(Shape::Circle, true, 8, Blue), 2);
    Fit(s, 2, Blue, 1.5);
    set.push_back(s);
  }
  set.push_back(Dense("dense_512_open_wide_scatter", 707, 1024, 700, 512,
                      MakeMarker(Shape::Circle, false, 14, Black), 6));
  set.push_back(
      Dense("dense_256_squares_two_deep", 708, 800, 560, 256, MakeMarker(Shape::Square, true, 6.5, Red), 2));
  set.push_back(Dense("dense_1536_circles_tight", 709, 1152, 768, 1536,
                      MakeMarker(Shape::Circle, true, 6, Black), 0.3));
  {
    // Labelled axes and a noisy tinted scan.
    PictureRecipe s = Dense("dense_640_circles_scanned", 710, 1000, 700, 640,
                            MakeMarker(Shape::Circle, true, 8, Black), 2.5);
    s.margins = {70, 15, 20, 50};
    s.target.spacing = (s.width - s.margins.left - s.margins.right) / 640;
    s.ticks = false;
    s.xAxis.ticks = 8;
    s.xAxis.step = 80;
    s.yAxis.ticks = 5;
    s.yAxis.from = 0.8;
    s.yAxis.step = 0.05;
    s.yAxis.decimals = 2;
    s.axisFont = {Face::Sans, Style::Regular, 13};
    s.paper = Cream;
    s.lamp = 0.15;
    s.noise = 3;
    set.push_back(s);
  }
  set.push_back(Dense("dense_2048_open_circles", 711, 1200, 800, 2048,
                      MakeMarker(Shape::Circle, false, 4, Green), 1.5));
  {
    PictureRecipe s = Dense("dense_320_open_squares_under", 712, 960, 640, 320,
                            MakeMarker(Shape::Square, false, 12, Black, 1.2), 1);
    Fit(s, 1, Red, 1.2);
    set.push_back(s);
  }
  return set;
}

std::vector<PictureRecipe> SpectrumPictures() {
  std::vector<PictureRecipe> set;
  const auto spectrum = [&](const char* name, unsigned seed, int width, int height, int channels,
                            Marker marker, double scatter) {
    PictureRecipe s = Dense(name, seed, width, height, channels, marker, scatter);
    s.group = "spectra";
    return s;
  };
  // 3.8 deep on a small picture.
  set.push_back(
      spectrum("spectra_256_filled_600", 801, 600, 420, 256, MakeMarker(Shape::Circle, true, 9, Black), 1.5));
  {
    // 5 deep, open, under a fit in another colour.
    PictureRecipe s = spectrum("spectra_512_open_fit", 802, 1000, 650, 512,
                               MakeMarker(Shape::Circle, false, 10, Black), 1.5);
    Fit(s, 2, Red, 1.5);
    set.push_back(s);
  }
  {
    // Squares over a fit of their own colour.
    PictureRecipe s = spectrum("spectra_1024_squares_2000", 803, 2000, 1200, 1024,
                               MakeMarker(Shape::Square, true, 8, Navy), 1);
    Fit(s, 1, Navy, 1.2);
    set.push_back(s);
  }
  // 6.8 deep, the widest picture.
  set.push_back(spectrum("spectra_2048_filled_3000", 804, 3000, 1600, 2048,
                         MakeMarker(Shape::Circle, true, 10, Black), 1.5));
  {
    // A second spectrum of open squares on the same channels.
    PictureRecipe s =
        spectrum("spectra_512_second", 805, 1200, 800, 512, MakeMarker(Shape::Circle, true, 9, Black), 1.5);
    s.target.baseline = 0.2;
    s.target.depth = 0.25;
    s.hasOther = true;
    s.otherOnSameChannels = true;
    s.other.marker = MakeMarker(Shape::Square, false, 9, Black);
    s.other.baseline = 0.6;
    s.other.depth = 0.3;
    s.other.scatter = 1.5;
    set.push_back(s);
  }
  {
    // Stretches without points.
    PictureRecipe s =
        spectrum("spectra_512_gaps", 806, 1000, 650, 512, MakeMarker(Shape::Circle, true, 8, Blue), 1.5);
    s.target.gaps = {{0.2, 0.26}, {0.61, 0.64}};
    set.push_back(s);
  }
  {
    // A tinted, blurred, noisy scan.
    PictureRecipe s =
        spectrum("spectra_768_scanned", 807, 1500, 900, 768, MakeMarker(Shape::Circle, true, 9, Black), 1.5);
    s.paper = Cream;
    s.lamp = 0.15;
    s.blur = 0.5;
    s.noise = 3;
    set.push_back(s);
  }
  {
    // Stored as one bit per pixel.
    PictureRecipe s =
        spectrum("spectra_384_one_bit", 808, 1000, 650, 384, MakeMarker(Shape::Circle, true, 9, Black), 1.5);
    s.oneBit = true;
    set.push_back(s);
  }
  return set;
}

PictureRecipe LargeDenseRecipe() {
  PictureRecipe s =
      Dense("large_dense_3000x2000", 202, 3000, 2000, 512, MakeMarker(Shape::Circle, true, 18, Black), 5);
  Fit(s, 2, Red, 2);
  return s;
}

PictureRecipe LargeChannelsRecipe() {
  PictureRecipe s =
      Dense("large_channels_3000x2000", 203, 3000, 2000, 1024, MakeMarker(Shape::Circle, true, 12, Black), 3);
  Fit(s, 2, Red, 2);
  return s;
}

}  // namespace devset
