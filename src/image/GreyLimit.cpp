#include "image/GreyLimit.h"

void ApplyGreyLimit(Bitmap& picture, int limit) {
  const int width = picture.width();
  for (int y = 0; y < picture.height(); ++y) {
    Colour* row = picture.row(y);
    for (int x = 0; x < width; ++x) {
      if (!IsWhite(row[x]) && GreyValueOf(row[x]) > limit) row[x] = WhiteColour;
    }
  }
}
