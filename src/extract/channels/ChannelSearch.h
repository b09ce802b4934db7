#pragma once

#include <optional>
#include <string>
#include <vector>

#include "extract/channels/ChannelGrid.h"
#include "extract/thorough/ThoroughSearch.h"
#include "state/Bitmap.h"

struct ChannelSearchOptions {
  ThoroughOptions thorough;
  // The number of channels across the picture, when known; the spacing then
  // follows from the picture's width and is only refined.
  std::optional<int> channels;
};

struct ChannelSearchResult {
  // One point per channel with a symbol, at its grid column, in channel
  // order; or, without a grid, the thorough mode's points.
  std::vector<ThoroughPoint> points;
  bool stopped = false;
  std::optional<ChannelGrid> grid;
  int channels = 0;  // of the grid, inside the picture
  // One line for the user: "512 channels, 509 found", or why no grid was found.
  std::string report;
};

// The thorough mode's confident detections give the channel grid, and each
// channel of it is then fitted (see FitChannels). Without a grid the
// thorough search runs to its end and its points are the result.
ChannelSearchResult FindChannelPoints(const Bitmap& picture, const Bitmap& unit, ThoroughObserver& observer,
                                      const ChannelSearchOptions& options = {});
