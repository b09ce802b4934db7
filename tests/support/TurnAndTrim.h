#pragma once

#include "image/Rotation.h"

// A whole turn as the Rotate dialog makes it: onto the canvas, then the white
// margin trimmed.
inline void TurnAndTrim(Bitmap& picture, double theta, bool useWorkerThread = true) {
  RotateOntoCanvas(picture, theta, {}, useWorkerThread);
  int w = 0;
  int h = 0;
  TrimWhiteBorder(picture, w, h);
}
