#include <algorithm>
#include <cmath>

#include "devset/DevRenderParts.h"

namespace devset {

Bitmap Scan(FloatPicture picture, const PictureRecipe& recipe, std::mt19937& random) {
  for (std::size_t i = 0; i < picture.r.size(); ++i) {
    picture.r[i] = static_cast<float>(picture.r[i] * recipe.paper.r / 255);
    picture.g[i] = static_cast<float>(picture.g[i] * recipe.paper.g / 255);
    picture.b[i] = static_cast<float>(picture.b[i] * recipe.paper.b / 255);
  }
  if (recipe.scale != 1) picture = Resample(picture, recipe.scale);
  Blur(picture, recipe.blur);
  const int w = picture.width;
  const int h = picture.height;
  if (recipe.lamp > 0) {
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const double u = static_cast<double>(x) / w;
        const double v = static_cast<double>(y) / h;
        const double f = 1 - recipe.lamp * (u * u + v * v) / 2;
        const std::size_t i = picture.index(x, y);
        picture.r[i] = static_cast<float>(picture.r[i] * f);
        picture.g[i] = static_cast<float>(picture.g[i] * f);
        picture.b[i] = static_cast<float>(picture.b[i] * f);
      }
    }
  }
  if (recipe.noise > 0) {
    std::normal_distribution<double> noise(0.0, recipe.noise);
    for (std::size_t i = 0; i < picture.r.size(); ++i) {
      picture.r[i] = static_cast<float>(picture.r[i] + noise(random));
      picture.g[i] = static_cast<float>(picture.g[i] + noise(random));
      picture.b[i] = static_cast<float>(picture.b[i] + noise(random));
    }
  }
  if (recipe.jpegQuality > 0) JpegRoundTrip(picture, recipe.jpegQuality);
  Bitmap out(w, h);
  const auto level = [](float v) { return static_cast<int>(std::lround(std::clamp(v, 0.0f, 255.0f))); };
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const std::size_t i = picture.index(x, y);
      int r = level(picture.r[i]), g = level(picture.g[i]), b = level(picture.b[i]);
      if (recipe.oneBit) r = g = b = (r + g + b) / 3 < 150 ? 0 : 255;
      out.setPixel(x, y, MakeColour(r, g, b));
    }
  }
  return out;
}

}  // namespace devset
