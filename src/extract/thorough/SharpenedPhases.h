#pragma once

#include <vector>

#include "extract/thorough/InkPicture.h"
#include "extract/thorough/ThoroughTemplate.h"
#include "threads/WorkLanes.h"

// Where a clear occurrence of the unit's symbol lies in the picture: the
// real position of the trimmed template's top-left pixel.
struct Sighting {
  double x = 0;
  double y = 0;
};

// The template with its phases drawn from sightings of the symbol instead of
// from the unit alone. A phase shifted by a fraction of a pixel made by
// interpolating the unit blurs it: a stroke 1.2 pixels wide that the unit
// shows over two pixels shows over one at another position, and the blurred
// phase cannot match it. Symbols sighted at many positions show every phase
// as drawn: each phase pixel is the weighted median of the sightings' pixels
// lying within a quarter pixel of where it falls, with the interpolated unit
// as a weak prior. The template's size and centre stay. Unchanged when the
// template has a single phase or there are too few sightings.
// Ink clearly of another colour than the template's (its part across the
// template's colour more than `otherColour` times the part along it: a fit
// curve through the symbols) is no sighting's.
ThoroughTemplate WithPhasesFromSightings(const ThoroughTemplate& unit, const InkPicture& picture,
                                         const std::vector<Sighting>& sightings, float otherColour,
                                         const WorkLanes& lanes = WorkLanes(false));

// Fewest sightings worth drawing phases from.
constexpr std::size_t FewestSightings = 8;
