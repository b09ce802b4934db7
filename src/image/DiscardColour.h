#pragma once

#include "state/Bitmap.h"
#include "state/PassProgress.h"

// Replaces every pixel other than white and black by the grey of its grey
// value (R = G = B = (R + G + B) div 3). `progress` hears of each row first.
void DiscardColour(Bitmap& picture, const PassProgress& progress = {});
