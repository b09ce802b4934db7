#include "image/ReducePixels.h"

#include <utility>

bool CanReducePixels(const Bitmap& picture) {
  return picture.width() >= SmallestReducibleSide && picture.height() >= SmallestReducibleSide;
}

namespace {

// Channel-wise mean of four colours, the remainder dropped.
Colour MeanOfFour(Colour a, Colour b, Colour c, Colour d) {
  const int red = (RedOf(a) + RedOf(b) + RedOf(c) + RedOf(d)) / 4;
  const int green = (GreenOf(a) + GreenOf(b) + GreenOf(c) + GreenOf(d)) / 4;
  const int blue = (BlueOf(a) + BlueOf(b) + BlueOf(c) + BlueOf(d)) / 4;
  return MakeColour(red, green, blue);
}

}  // namespace

void ReducePixels(Bitmap& picture, const PassProgress& progress) {
  if (!CanReducePixels(picture)) return;
  const int width = picture.width();
  const int newWidth = width / 2;
  const int newHeight = picture.height() / 2;
  Bitmap reduced(newWidth, newHeight);
  // Column pairs from left to right, as the progress counts them; a block
  // that reaches past an odd edge would land outside the result.
  for (int x = 0; x <= width - 1; x += 2) {
    if (progress) progress(x + 1, width);
    const int i = x / 2;
    if (i >= newWidth) break;
    for (int j = 0; j < newHeight; ++j) {
      const Colour* upper = picture.row(2 * j) + x;
      const Colour* lower = picture.row(2 * j + 1) + x;
      reduced.row(j)[i] = MeanOfFour(upper[0], lower[0], upper[1], lower[1]);
    }
  }
  picture = std::move(reduced);
}
