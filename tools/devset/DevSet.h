#pragma once

#include <string>
#include <vector>

#include "image/Bitmap.h"
#include "image/Rect.h"

// A development set of realistic plot scans with their truth: plots rendered
// the way plotting programs draw them (anti-aliased or aliased markers at
// sub-pixel positions, frames, grids, fit curves, a second series, text),
// then put through what scanning and storing does to them (paper tint, lamp
// gradient, resampling, blur, noise, JPEG, 1-bit).
namespace devset {

enum class Shape { Circle, Square, Triangle, Diamond };

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
};

// Where a series' points lie.
enum class Layout {
  Spectrum,  // evenly spaced across, on a transmission curve with dips
  Scatter,   // random positions
};

struct Series {
  Marker marker;
  Layout layout = Layout::Spectrum;
  double spacing = 12;     // pixels between neighbouring points across (Spectrum)
  int count = 100;         // points (Scatter)
  double baseline = 0.25;  // share of the height from the top for the curve's baseline
  double depth = 0.45;     // deepest dip as a share of the height
  double scatter = 2.5;    // random vertical offset, pixels (standard deviation)
};

struct PictureRecipe {
  std::string name;
  unsigned seed = 1;
  int width = 1000;  // size as drawn, before resampling
  int height = 650;
  Drawing drawing = Drawing::Exact;
  Series target;
  bool hasOther = false;
  Series other;
  bool frame = true;
  bool grid = false;
  bool ticks = true;
  bool text = false;
  int fitCurve = 0;  // 0 none, 1 drawn under the points, 2 drawn over them
  Rgb curveColour{0, 0, 0};
  double curveWidth = 1.2;
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
};

struct DevPicture {
  PictureRecipe recipe;
  Bitmap picture;
  Rect unit{};  // inclusive rectangle around one isolated target symbol
  std::vector<TruthPoint> truth;
};

DevPicture RenderPicture(const PictureRecipe& recipe);

// The development set: at least thirty varied pictures.
std::vector<PictureRecipe> DevelopmentSet();

// 3000 x 2000 plots for timing: a clean one and a tinted scan of it.
PictureRecipe LargeRecipe();
PictureRecipe LargeTintedRecipe();

}  // namespace devset
