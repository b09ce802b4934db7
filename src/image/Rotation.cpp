#include "image/Rotation.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "image/PictureLimits.h"
#include "threads/WorkLanes.h"

namespace {

constexpr long double PiExtended = 3.14159265358979323846264338327950288L;
constexpr double HalfPi = 1.5707963267948966;

// Nearest integer, halves to the even neighbour (the default rounding mode).
int RoundHalfEven(double v) {
  return static_cast<int>(std::nearbyint(v));
}

// A square picture kept column by column, so that the column-wise pass reads
// and writes memory in order.
class ColumnGrid {
 public:
  explicit ColumnGrid(int side)
      : side_(side), cells_(static_cast<std::size_t>(side) * static_cast<std::size_t>(side), WhiteColour) {}

  const Colour* column(int x) const { return cells_.data() + offset(x, 0); }
  Colour& at(int x, int y) { return cells_[offset(x, y)]; }
  bool isFree(int x, int y) const { return isInside(x, y) && IsWhite(cells_[offset(x, y)]); }

  // Copies `picture` in with its origin at (left, top); what falls outside
  // the grid is left out.
  void copyIn(const Bitmap& picture, int left, int top) {
    for (int y0 = 0; y0 < picture.height(); y0 += TileRows) {
      const int y1 = std::min(y0 + TileRows, picture.height());
      for (int x = 0; x < picture.width(); ++x) {
        for (int y = y0; y < y1; ++y) {
          if (isInside(left + x, top + y)) at(left + x, top + y) = picture.row(y)[x];
        }
      }
    }
  }

  // The grid as a picture of side x side.
  Bitmap toBitmap() const {
    Bitmap picture(side_, side_);
    for (int y0 = 0; y0 < side_; y0 += TileRows) {
      const int y1 = std::min(y0 + TileRows, side_);
      for (int x = 0; x < side_; ++x) {
        const Colour* in = column(x);
        for (int y = y0; y < y1; ++y) picture.row(y)[x] = in[y];
      }
    }
    return picture;
  }

 private:
  // Rows handled together when turning rows into columns and back: few
  // enough that their cache lines stay at hand while x advances.
  static constexpr int TileRows = 64;

  bool isInside(int x, int y) const { return x >= 0 && y >= 0 && x < side_ && y < side_; }
  std::size_t offset(int x, int y) const {
    return static_cast<std::size_t>(x) * static_cast<std::size_t>(side_) + static_cast<std::size_t>(y);
  }

  int side_;
  std::vector<Colour> cells_;
};

// Angle of the pixel seen from the centre, the vertical axis pointing up.
double PolarAngle(int x, int y, double dx, double dy, double cx, double cy) {
  if (dx == 0) return y < cy ? HalfPi : -HalfPi;
  const double quotient = dy / dx;
  long double angle = atanl(quotient);
  if (x < cx) angle += PiExtended;
  return static_cast<double>(angle);
}

}  // namespace

void TrimWhiteBorder(Bitmap& picture, int& w, int& h) {
  w = -1;
  h = -1;
  if (picture.empty()) return;
  const int width = picture.width();
  const int height = picture.height();
  int maxX = 0;
  int maxY = 0;
  int minX = width - 1;
  int minY = height - 1;
  for (int y = 0; y < height; ++y) {
    const Colour* row = picture.row(y);
    const Colour* end = row + width;
    const Colour* first = std::find_if(row, end, [](Colour c) { return !IsWhite(c); });
    if (first == end) continue;
    const Colour* last = end - 1;
    while (IsWhite(*last)) --last;
    minX = std::min(minX, static_cast<int>(first - row));
    maxX = std::max(maxX, static_cast<int>(last - row));
    minY = std::min(minY, y);
    maxY = std::max(maxY, y);
  }
  if (maxX >= minX) w = maxX - minX + 1;
  if (maxY >= minY) h = maxY - minY + 1;
  if (w < 0 || h < 0) return;
  Bitmap box(w, h);
  box.copyRect(0, 0, picture, {minX, minY, maxX + 1, maxY + 1});
  picture = std::move(box);
}

double DegreesToRadians(double degrees) {
  return static_cast<double>(static_cast<long double>(degrees) * PiExtended / 180.0L);
}

int RotationCanvasSide(int width, int height) {
  const auto evenWidth = static_cast<std::int64_t>(2 * (width / 2));
  const auto evenHeight = static_cast<std::int64_t>(2 * (height / 2));
  const double diagonal = std::sqrt(static_cast<double>(evenWidth * evenWidth + evenHeight * evenHeight));
  // Beyond any canvas that could be made; RotateOntoCanvas refuses it.
  if (diagonal >= static_cast<double>(std::numeric_limits<int>::max()))
    return std::numeric_limits<int>::max();
  return std::max(RoundHalfEven(diagonal), 1);
}

void RotateOntoCanvas(Bitmap& picture, double theta, const PassProgress& progress, bool useWorkerThread) {
  int w = 0;
  int h = 0;
  TrimWhiteBorder(picture, w, h);
  // An entirely white picture is its own canvas, and nothing on it moves.
  if (w < 0 || h < 0) {
    for (int x = 0; progress && x < picture.width(); ++x) progress(x + 1, picture.width());
    return;
  }

  // Should the turn fail from here on, the picture stays as trimmed.
  const int side = RotationCanvasSide(w, h);
  if (static_cast<std::int64_t>(side) * side > MaxCanvasPixels) {
    throw std::length_error("The picture is too large to turn: its canvas would be " + std::to_string(side) +
                            " x " + std::to_string(side) + " pixels, more than the " +
                            std::to_string(MaxCanvasPixels >> 20) + " megapixels Quorvix turns");
  }
  ColumnGrid source(side);
  ColumnGrid target(side);
  source.copyIn(picture, (side - w) / 2, (side - h) / 2);
  const double cx = side / 2;
  const double cy = side / 2;
  const double limit = 2.0 * side + 2.0;

  // Where each pixel of a column lands. The landing places are independent of
  // each other and cost most of the time (the extended-precision arctangent),
  // so two threads work them out a block of columns at a time; placing the
  // pixels stays in column order, since a taken place pushes a pixel aside.
  constexpr int BlockColumns = 32;
  constexpr std::int32_t Dropped = -1;
  struct Landing {
    std::int32_t x, y;
  };
  const auto landColumn = [&](int x, Landing* out) {
    const double dx = x - cx;
    const Colour* column = source.column(x);
    for (int y = 0; y < side; ++y) {
      out[y] = {Dropped, Dropped};
      if (IsWhite(column[y])) continue;
      const double dy = cy - y;
      const double r = std::sqrt(dx * dx + dy * dy);
      const double phi = PolarAngle(x, y, dx, dy, cx, cy) - theta;
      const double turnedX = cx + r * std::cos(phi);
      const double turnedY = cy - r * std::sin(phi);
      // Far outside (or not a number, after an absurd total angle): dropped.
      if (!(std::fabs(turnedX) < limit && std::fabs(turnedY) < limit)) continue;
      const int targetX = RoundHalfEven(turnedX);
      const int targetY = RoundHalfEven(turnedY);
      if (targetX < 0 || targetY < 0 || targetX > side - 1 || targetY > side - 1) continue;
      out[y] = {targetX, targetY};
    }
  };

  std::vector<Landing> landings(static_cast<std::size_t>(BlockColumns) * static_cast<std::size_t>(side));
  const auto isFree = [&target](int px, int py) { return target.isFree(px, py); };
  const WorkLanes lanes(useWorkerThread);
  for (int block = 0; block < side; block += BlockColumns) {
    const int end = std::min(block + BlockColumns, side);
    lanes.each(end - block, [&](int i, int) {
      landColumn(block + i, landings.data() + static_cast<std::size_t>(i) * static_cast<std::size_t>(side));
    });

    for (int x = block; x < end; ++x) {
      if (progress) progress(x + 1, side);
      const Colour* column = source.column(x);
      const Landing* landed = landings.data() + static_cast<std::size_t>(x - block) * side;
      for (int y = 0; y < side; ++y) {
        int targetX = landed[y].x;
        int targetY = landed[y].y;
        if (targetX == Dropped) continue;
        if (!isFree(targetX, targetY) && !MoveToFreeNeighbour(targetX, targetY, isFree)) continue;
        target.at(targetX, targetY) = column[y];
      }
    }
  }
  picture = target.toBitmap();
}
