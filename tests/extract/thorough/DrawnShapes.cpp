#include "extract/thorough/DrawnShapes.h"

#include <algorithm>
#include <cmath>

void Draw(Bitmap& picture, Shape shape, double cx, double cy, double radius, Colour colour) {
  for (int y = static_cast<int>(cy - radius) - 2; y <= static_cast<int>(cy + radius) + 2; ++y) {
    for (int x = static_cast<int>(cx - radius) - 2; x <= static_cast<int>(cx + radius) + 2; ++x) {
      if (!picture.contains(x, y)) continue;
      int hits = 0;
      for (int j = 0; j < 4; ++j)
        for (int i = 0; i < 4; ++i) {
          const double dx = x - 0.5 + (i + 0.5) / 4 - cx;
          const double dy = y - 0.5 + (j + 0.5) / 4 - cy;
          const double r = std::hypot(dx, dy);
          const bool in = shape == Shape::Disc   ? r <= radius
                          : shape == Shape::Ring ? r <= radius && r >= radius - 1.5
                                                 : std::max(std::abs(dx), std::abs(dy)) <= radius;
          hits += in ? 1 : 0;
        }
      if (hits == 0) continue;
      const Colour under = picture.pixel(x, y);
      const auto mix = [&](int u, int c) { return u + (c - u) * hits / 16; };
      picture.setPixel(x, y,
                       MakeColour(mix(RedOf(under), RedOf(colour)), mix(GreenOf(under), GreenOf(colour)),
                                  mix(BlueOf(under), BlueOf(colour))));
    }
  }
}
