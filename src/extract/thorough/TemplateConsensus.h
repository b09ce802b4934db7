#pragma once

#include <array>
#include <optional>
#include <vector>

#include "extract/thorough/InkPicture.h"
#include "extract/thorough/ThoroughTemplate.h"

// Which pixels of a template the symbol's other occurrences confirm. The
// user's unit rectangle can hold ink that is not the symbol's (a fit curve or
// a grid line through it, the edge of a neighbour); at every occurrence that
// ink lies elsewhere. A template pixel is confirmed when at least `share` of
// the occurrences (unshifted template placed at each) show ink along its
// colour of at least a third of its own. Returns width x height flags, row by
// row.
std::vector<char> ConfirmedPixels(const InkPicture& picture, const ThoroughTemplate& unit,
                                  const std::vector<std::array<int, 2>>& placements, float share);

// The median ink, channel by channel, of the occurrences at every trimmed
// template pixel (none where no occurrence shows it).
std::vector<std::array<float, 3>> MedianInk(const InkPicture& picture, const ThoroughTemplate& unit,
                                            const std::vector<std::array<int, 2>>& placements);

// A placement of the unshifted template and how well it scored.
struct Occurrence {
  int x = 0;
  int y = 0;
  float score = 0;
};

// The template with the ink that its best distinct occurrences among
// `candidates` do not confirm replaced by what those occurrences show there
// (the median of each channel): a line crossing the unit's paper gives way
// to paper, one crossing its filling to the filling. None when there are too
// few occurrences or they confirm nearly all of it.
std::optional<ThoroughTemplate> ConfirmedTemplate(const InkPicture& picture, const ThoroughTemplate& unit,
                                                  const std::vector<Occurrence>& candidates, float share);
