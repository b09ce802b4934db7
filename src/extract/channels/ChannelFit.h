#pragma once

#include <vector>

#include "extract/channels/ChannelGrid.h"
#include "extract/thorough/SearchState.h"

// A channel's symbol as fitted: the channel's number on the grid (0 is the
// grid's offset column), its column on the grid and the row of its ink
// centre, in pixel coordinates.
struct ChannelPoint {
  int channel = 0;
  double x = 0;
  double y = 0;
};

struct ChannelFitResult {
  int channels = 0;                  // channels whose column lies in the picture
  std::vector<ChannelPoint> points;  // the channels with a symbol, by channel
  ChannelGrid grid;                  // refined to the fitted symbols
};

// One symbol per channel of `grid`, or none: each channel's template is
// placed on its grid column (refined by a quarter pixel at most) and its row
// fitted so that the union of all channels' templates explains the picture's
// ink best, channel by channel with its neighbours as they stand, over and
// over until no channel changes. The seeds (centres of confident detections)
// give the first rows. Boxes the thorough mode set apart as symbols of
// another kind are judged like the rest: in a dense band, a few channels
// overlapping in a dip look like one larger symbol. At the end the grid is
// refined to the columns where the found symbols fit best and then to the
// centres their visible ink shows (ColumnBias), and the points take their
// columns from it.
// False when stopped.
bool FitChannels(SearchState& s, const ChannelGrid& grid, const std::vector<ThoroughPoint>& seeds,
                 ChannelFitResult& out);
