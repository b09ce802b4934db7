#pragma once

#include <vector>

#include "devset/DevSet.h"

namespace devset {

struct FoundPoint {
  double x = 0;
  double y = 0;
};

// How well points found one per channel match a spectrum's truth.
struct ChannelFigures {
  double recall = 0;
  double precision = 0;
  double velocityError = 0;  // rms across, in channel spacings
  double velocityBias = 0;   // mean across, in channel spacings
  double valueError = 0;     // rms down, in pixels, where the true symbol's top or bottom rim shows
  double valueBias = 0;      // mean down, in pixels, over the same
};

// Pairs each found point with the true symbol of its channel (the one
// nearest across, within half a spacing); a pair counts when the two lie
// within `radius`. With `detail`, every miss, extra point and row more than
// a pixel off is printed.
ChannelFigures CompareChannelPoints(const DevPicture& p, const std::vector<FoundPoint>& found, double radius,
                                    double spacing, bool detail = false);

}  // namespace devset
