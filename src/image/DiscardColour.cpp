#include "image/DiscardColour.h"

#include "image/GreyLimit.h"

void DiscardColour(Bitmap& picture, const PassProgress& progress) {
  const int width = picture.width();
  const int height = picture.height();
  for (int y = 0; y < height; ++y) {
    if (progress) progress(y + 1, height);
    Colour* row = picture.row(y);
    for (int x = 0; x < width; ++x) {
      const Colour c = row[x] & 0xFFFFFFu;
      if (c == WhiteColour || c == BlackColour) continue;
      row[x] = static_cast<Colour>(GreyValueOf(c)) * 0x010101u;
    }
  }
}
