#pragma once

#include <optional>
#include <string>
#include <vector>

// Equally spaced channel columns, x = offset + k * spacing, as a
// multichannel analyser records a spectrum: one symbol per channel.
struct ChannelGrid {
  double spacing = 0;  // pixels from one channel to the next
  double offset = 0;   // the first channel column at or right of pixel 0, in [0, spacing)
  int onGrid = 0;      // columns that lie on the grid
  double rms = 0;      // their distance from it, in pixels
};

struct ChannelGridSearch {
  double minSpacing = 1.0;                // no closer channels are looked for
  std::optional<double> expectedSpacing;  // from a known channel count: only refined
};

struct ChannelGridEstimate {
  std::optional<ChannelGrid> grid;
  std::string why;  // when there is none: the reason, for the user
};

// The grid from the columns of confident detections, robust to channels
// without a detection, to jitter of a fraction of the spacing and to a
// minority of columns off the grid altogether.
ChannelGridEstimate EstimateChannelGrid(std::vector<double> columns, const ChannelGridSearch& search = {});
