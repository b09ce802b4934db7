#include "GraphDraw/GetBitmapUnit.h"

#include <utility>

void RotateBitmap90(const Bitmap& source, Bitmap& destination) {
  const int sourceWidth = source.width();
  const int sourceHeight = source.height();
  Bitmap turned(sourceHeight, sourceWidth);
  const int turnedHeight = turned.height();
  for (int i = 0; i < sourceHeight; ++i) {
    const Colour* sourceRow = source.row(i);
    for (int j = 0; j < sourceWidth; ++j) turned.row(turnedHeight - 1 - j)[i] = sourceRow[j];
  }
  destination = std::move(turned);
}

void TextToVerticalBitmap(const Canvas& renderer, const std::string& text, const CanvasFont& font,
                          Bitmap& destination) {
  const Bitmap horizontal = renderer.TextBitmap(text, font);
  RotateBitmap90(horizontal, destination);
}
