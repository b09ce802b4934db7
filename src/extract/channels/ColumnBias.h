#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "extract/channels/ChannelFit.h"
#include "extract/thorough/ThoroughTemplate.h"

// How far the symbols' centres lie to the right of their channels' columns,
// as a line over the channel numbers.
struct ColumnShift {
  double first = 0;  // at channel 0
  double perChannel = 0;
  double at(double channel) const { return first + perChannel * channel; }
};

// Where the symbols' true centres lie from the grid's columns: each one's
// ink centre across, over a window centred on its column, counting a pixel
// only where neither it nor its mirror image about the column is another
// symbol's or ink of another colour. Every mark of the program's shapes is
// mirror-symmetric across, so over many symbols these centres are the true
// ones; the template's own centre is not, as its pixels fall at one fraction
// of a pixel (in a one-bit picture, a fraction its ink never shows evenly),
// and a grid refined from channels fitted under their neighbours leans
// with them. Measured about the shifted columns again until settled; a line
// through the centres when they spread over the channels, else their mean.
// None when fewer than a handful show enough of their ink.
// `judged`: the picture's ink as JudgedInk gives it, width x height;
// `points` by channel.
std::optional<ColumnShift> ColumnBias(const std::vector<std::uint32_t>& judged, int width, int height,
                                      const ThoroughTemplate& unit, const std::vector<ChannelPoint>& points);
