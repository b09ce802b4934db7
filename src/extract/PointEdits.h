#pragma once

#include <cstddef>
#include <vector>

#include "state/AppState.h"

class Ui;

// Editing the found points by hand: the data lists as one list of points,
// put back sorted by velocity with everything that shows them following.

struct FoundPoint {
  double velocity = 0.0;
  double value = 0.0;
  PictureCentre centre;
};

// The points the lists hold (the first DataPointCount), with their centres.
std::vector<FoundPoint> ListedPoints(const AppState& state);

// The point at a centre on the picture, mapped onto the axes as a run maps
// the centres it finds.
FoundPoint PointAtCentre(const AppState& state, PictureCentre centre);

// The lists become `points` sorted by velocity (equal velocities keep their
// order); DataPointCount, status panel 1, the preview caption and plot and
// the main window follow, and the data counts as unsaved.
void SetListedPoints(AppState& state, Ui& ui, std::vector<FoundPoint> points);

// Where the unit's symbol lies near a click on the picture: the centre of the
// symbol the thorough search finds in a window around the click, when one
// lies within half a symbol of it; else the click itself.
PictureCentre FittedCentreNear(const AppState& state, PictureCentre click);

// The points without those at `indices`.
std::vector<FoundPoint> WithoutPoints(const std::vector<FoundPoint>& points,
                                      const std::vector<std::size_t>& indices);

// The points with those at `indices` moved by (dx, dy) pixels on the
// picture, their velocities and values mapped again.
std::vector<FoundPoint> WithPointsMoved(const AppState& state, const std::vector<FoundPoint>& points,
                                        const std::vector<std::size_t>& indices, double dx, double dy);
