#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "state/GraphTypes.h"

struct AppState;
class Ui;

// One data point on the calibrated axes.
struct AxisPoint {
  double velocity = 0.0;
  double value = 0.0;
};

// Maps a symbol centre (column px, row py) of a width x height picture onto
// the axes: column 0 is vmin and column width - 1 vmax; row 0 is max and row
// height - 1 min. Worked in long double, rounded to double at the end; a
// picture one pixel wide or high divides by 1. No clamping.
AxisPoint MapToAxes(std::int64_t px, std::int64_t py, int width, int height, double vmin, double vmax,
                    double min, double max);

// The same rule for a centre between pixels (column cx, row cy), as the
// thorough mode finds them.
AxisPoint MapCentreToAxes(long double cx, long double cy, int width, int height, double vmin, double vmax,
                          double min, double max);

// The preview window's title for a point count: "ASCII form of the data [ n ]".
std::string PreviewCaption(std::size_t pointCount);

// Empties the data lists and takes the calibration: Vmin, Vmax, Min and Max
// as given, Min and Max exchanged when Max is the smaller, and the plot ranges.
void ApplyCalibration(AppState& state, double vmin, double vmax, double min, double max);

// ApplyCalibration with the four calibration fields' numbers.
void BeginSpectrum(AppState& state, const Ui& ui);

// One occurrence of the scan (anchor pixel x2, y; anchor column a) becomes a
// data point at the end of the lists, shown in the preview caption and the
// status bar; the preview plot is repainted at every tenth point.
void RecordDataPoint(AppState& state, Ui& ui, std::int32_t x2, std::int32_t y, std::int32_t a);

// A symbol centre between pixels (column cx, row cy) becomes a data point the
// same way.
void RecordCentre(AppState& state, Ui& ui, long double cx, long double cy);

// Sorts the points by ascending velocity, each value moving with its
// velocity; equal velocities keep their order.
void SortByVelocity(TSPD& velocities, TSPD& values);

// The three lists (velocities, values, centres) sorted by velocity together,
// as SortByVelocity sorts the first two.
void SortListedPoints(AppState& state);

// After the scan: a run that was not stopped gets its points (and their
// centres) sorted by velocity; DataPointCount is the number of points.
void FinishSpectrum(AppState& state);
