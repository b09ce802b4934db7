#include <algorithm>
#include <cmath>

#include "devset/DevRenderParts.h"

namespace devset {

namespace {

// The centre of the pixel that position `v` falls in, kept inside [from, to).
double PixelCentre(double v, double from, double to) {
  return std::floor(std::clamp(v, from, to - 0.5)) + 0.5;
}

}  // namespace

double AxisTick(const Area& area, const Axis& axis, int k, bool xAxis) {
  if (xAxis) return PixelCentre(area.left + k * area.width() / axis.ticks, area.left, area.right);
  return PixelCentre(area.bottom - k * area.height() / axis.ticks, area.top, area.bottom);
}

void DrawFrameGridTicks(FloatPicture& picture, const PictureRecipe& recipe, const Area& area,
                        std::mt19937& random) {
  const double L = area.left;
  const double T = area.top;
  const double R = area.right;
  const double B = area.bottom;
  const double w = area.width();
  const double h = area.height();
  if (recipe.grid) {
    StrokeLayer grid(picture.width, picture.height, recipe.drawing);
    const bool dashed = random() % 2 == 0;
    for (int k = 1; k < 10; ++k) {
      const double x = L + k * w / 10.0 + 0.5;
      for (double y = T; y < B; y += dashed ? 8 : h) grid.line(x, y, x, std::min(B, y + (dashed ? 4 : h)), 1);
    }
    for (int k = 1; k < 8; ++k) {
      const double y = T + k * h / 8.0 + 0.5;
      for (double x = L; x < R; x += dashed ? 8 : w) grid.line(x, y, std::min(R, x + (dashed ? 4 : w)), y, 1);
    }
    grid.paint(picture, {200, 200, 200});
  }
  StrokeLayer ink(picture.width, picture.height, recipe.drawing);
  if (recipe.frame) {
    const double fw = random() % 2 == 0 ? 1.0 : 2.0;
    ink.rect(L, T, R, T + fw);
    ink.rect(L, B - fw, R, B);
    ink.rect(L, T, L + fw, B);
    ink.rect(R - fw, T, R, B);
  }
  if (recipe.ticks) {
    for (int k = 1; k < 50; ++k) {
      const double x = L + k * w / 50.0 + 0.5;
      const double length = k % 5 == 0 ? 9 : 4;
      ink.line(x, T, x, T + length, 1);
      ink.line(x, B, x, B - length, 1);
    }
    for (int k = 1; k < 40; ++k) {
      const double y = T + k * h / 40.0 + 0.5;
      const double length = k % 5 == 0 ? 9 : 4;
      ink.line(L, y, L + length, y, 1);
      ink.line(R, y, R - length, y, 1);
    }
  }
  // Labelled axes tick outwards, along the bottom and the left edge.
  const double outward = 5;
  for (int k = 0; k <= recipe.xAxis.ticks && recipe.xAxis.ticks > 0; ++k) {
    const double x = AxisTick(area, recipe.xAxis, k, true);
    ink.line(x, B, x, B + outward, 1);
  }
  for (int k = 0; k <= recipe.yAxis.ticks && recipe.yAxis.ticks > 0; ++k) {
    const double y = AxisTick(area, recipe.yAxis, k, false);
    ink.line(L - outward, y, L, y, 1);
  }
  ink.paint(picture, recipe.frameColour);
}

std::vector<double> SolidGridLines(const PictureRecipe& recipe, const Area& area, bool vertical) {
  std::vector<double> lines;
  const int count = vertical ? recipe.solidGrid.columns : recipe.solidGrid.rows;
  for (int k = 0; k <= count && count > 0; ++k) {
    if (vertical) {
      lines.push_back(PixelCentre(area.left + k * area.width() / count, area.left, area.right));
    } else {
      lines.push_back(PixelCentre(area.top + k * area.height() / count, area.top, area.bottom));
    }
  }
  return lines;
}

void DrawSolidGrid(FloatPicture& picture, const PictureRecipe& recipe, const Area& area) {
  const SolidGrid& g = recipe.solidGrid;
  const double half = g.width / 2;
  for (const double x : SolidGridLines(recipe, area, true))
    FillBox(picture, x - half, area.top, x + half, area.bottom, g.colour, recipe.drawing);
  for (const double y : SolidGridLines(recipe, area, false)) {
    // Where a horizontal line crosses a vertical one the pixels are painted
    // once: the row is filled piecewise between the vertical lines.
    double from = area.left;
    for (const double x : SolidGridLines(recipe, area, true)) {
      FillBox(picture, from, y - half, x - half, y + half, g.colour, recipe.drawing);
      from = x + half;
    }
    FillBox(picture, from, y - half, area.right, y + half, g.colour, recipe.drawing);
  }
}

}  // namespace devset
