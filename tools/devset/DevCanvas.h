#pragma once

#include <cstdint>
#include <functional>
#include <unordered_map>
#include <vector>

#include "devset/DevSet.h"

namespace devset {

// A picture of real-valued colours (0 to 255 per channel) that plots are
// drawn on before they are turned into a bitmap.
struct FloatPicture {
  int width = 0;
  int height = 0;
  std::vector<float> r, g, b;

  FloatPicture() = default;
  FloatPicture(int w, int h, Rgb fill);
  std::size_t index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
  }
  // Paints colour c over pixel (x, y) with the share `alpha` of its area.
  void blend(int x, int y, Rgb c, double alpha);
};

// Samples per pixel side for a way of drawing.
int SamplesPerSide(Drawing drawing);

// The share of each pixel that a shape covers, over the box of pixels it
// touches. `inside` is asked at sample points in continuous coordinates
// (pixel column x spans x .. x + 1).
struct Coverage {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::vector<double> alpha;
  double at(int x, int y) const {
    return alpha[static_cast<std::size_t>(y - top) * static_cast<std::size_t>(width) +
                 static_cast<std::size_t>(x - left)];
  }
};

Coverage CoverShape(double minX, double minY, double maxX, double maxY, int samples,
                    const std::function<bool(double, double)>& inside);

// Signed distance from (dx, dy) (relative to the marker's centre) to the
// outline of a marker shape of the given size; negative inside. For a Plus,
// the distance from the centre lines of its bars.
double ShapeDistance(Shape shape, double size, double dx, double dy);

// Whether (dx, dy), relative to the marker's centre, is inked by the marker
// (fill, outline or both).
bool InsideMarker(const Marker& marker, double dx, double dy);

// The coverage of one marker centred at (cx, cy) in continuous coordinates.
Coverage CoverMarker(const Marker& marker, double cx, double cy, Drawing drawing);

// Paints a coverage in one colour.
void Paint(FloatPicture& picture, const Coverage& coverage, Rgb colour);

// Paints one marker: in its colour, or for an edged marker its fill and then
// its outline ring in the edge colour.
void DrawMarker(FloatPicture& picture, const Marker& marker, double cx, double cy, Drawing drawing);

// Fills a box (continuous coordinates) in one colour, its edge pixels by the
// share they lie inside (by their centre when aliased).
void FillBox(FloatPicture& picture, double x0, double y0, double x1, double y1, Rgb colour, Drawing drawing);

// Lines and glyph squares that are painted together, so that where they meet
// no pixel is painted twice: every primitive sets the sample bits it covers,
// and the layer is painted once at the end.
class StrokeLayer {
 public:
  StrokeLayer(int width, int height, Drawing drawing);
  void line(double x0, double y0, double x1, double y1, double lineWidth);
  void rect(double x0, double y0, double x1, double y1);
  void paint(FloatPicture& picture, Rgb colour) const;

 private:
  void cover(double minX, double minY, double maxX, double maxY,
             const std::function<bool(double, double)>& in);

  int width_;
  int height_;
  int samples_;
  std::unordered_map<std::int64_t, std::uint64_t> bits_;
};

// Text in a 5 x 7 dot font, `pixel` picture pixels per dot, top-left at (x, y).
void Text(StrokeLayer& layer, const char* text, double x, double y, double pixel);

// What scanning and storing do to a picture.
FloatPicture Resample(const FloatPicture& in, double scale);
void Blur(FloatPicture& picture, double sigma);
void JpegRoundTrip(FloatPicture& picture, int quality);

}  // namespace devset
