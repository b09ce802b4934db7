#pragma once

#include <vector>

#include "extract/thorough/SearchState.h"

// The centre of a detection's ink as placed: the template's ink centre at
// the detection's position.
ThoroughPoint RoughCentre(const SearchState& s, const Detection& d);

// The centres of the live detections, each refined by a least-squares shift
// of the template against the ink the other detections leave, in the order
// of the detections. False when stopped.
bool RefinedCentres(SearchState& s, std::vector<ThoroughPoint>& out);

// Sorts points in reading order: by the row of their centres, then across.
void SortInReadingOrder(std::vector<ThoroughPoint>& points);
