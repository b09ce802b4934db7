#include "image/ReducePixels.h"

#include <algorithm>
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

// Column pairs worked on together.
constexpr int StripPairs = 64;

}  // namespace

void ReducePixels(Bitmap& picture, const PassProgress& progress) {
  if (!CanReducePixels(picture)) return;
  const int width = picture.width();
  const int newWidth = width / 2;
  const int newHeight = picture.height() / 2;
  Bitmap reduced(newWidth, newHeight);
  // Column pairs from left to right, as the progress counts them, a strip of
  // them at a time so that each row of the strip is read in one go. A block
  // that reaches past an odd edge would land outside the result.
  for (int stripStart = 0; stripStart < width; stripStart += 2 * StripPairs) {
    const int stripEnd = std::min(stripStart + 2 * StripPairs, width);
    if (progress) {
      for (int x = stripStart; x < stripEnd; x += 2) progress(x + 1, width);
    }
    const int firstPair = stripStart / 2;
    const int endPair = std::min(stripEnd / 2, newWidth);
    for (int j = 0; j < newHeight; ++j) {
      const Colour* upper = picture.row(2 * j);
      const Colour* lower = picture.row(2 * j + 1);
      Colour* out = reduced.row(j);
      for (int i = firstPair; i < endPair; ++i) {
        out[i] = MeanOfFour(upper[2 * i], lower[2 * i], upper[2 * i + 1], lower[2 * i + 1]);
      }
    }
  }
  picture = std::move(reduced);
}
