#pragma once

#include "state/Bitmap.h"
#include "state/PassProgress.h"

// The smallest side that is halved: a picture below 4 pixels in either
// direction is left as it is.
constexpr int SmallestReducibleSide = 4;

bool CanReducePixels(const Bitmap& picture);

// Halves the picture in both directions: new pixel (i, j) is the channel-wise
// mean, remainder dropped, of the 2 x 2 block at (2i, 2j); an odd last column
// or row is lost. `progress` hears of every second source column (1, 3, 5, ...
// of the width), the last one included. Does nothing when the picture is too
// small.
void ReducePixels(Bitmap& picture, const PassProgress& progress = {});
