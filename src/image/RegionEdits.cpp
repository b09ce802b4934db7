#include "image/RegionEdits.h"

#include <utility>

bool CoversPixels(const Rect& area) {
  return area.Left >= 0 && area.Right >= area.Left && area.Bottom >= area.Top;
}

void ClearInside(Bitmap& picture, const Rect& area) {
  if (!CoversPixels(area)) return;
  picture.fillRect({area.Left, area.Top, area.Right + 1, area.Bottom + 1}, WhiteColour);
}

void ClearOutside(Bitmap& picture, const Rect& area) {
  if (!CoversPixels(area)) return;
  const int w = picture.width();
  const int h = picture.height();
  if (area.Top > 0) picture.fillRect({0, 0, w, area.Top}, WhiteColour);
  if (area.Left > 0) picture.fillRect({0, 0, area.Left, h}, WhiteColour);
  if (area.Right < w - 1) picture.fillRect({area.Right + 1, area.Top, w, h}, WhiteColour);
  if (area.Bottom < h - 1) picture.fillRect({area.Left, area.Bottom + 1, w, h}, WhiteColour);
}

void CropToArea(Bitmap& picture, const Rect& area) {
  if (!CoversPixels(area)) return;
  Bitmap cropped(area.Right - area.Left + 1, area.Bottom - area.Top + 1);
  cropped.copyRect(0, 0, picture, {area.Left, area.Top, area.Right + 1, area.Bottom + 1});
  picture = std::move(cropped);
}
