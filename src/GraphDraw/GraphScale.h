#pragma once

#include "state/GraphTypes.h"

// Range and scaling arithmetic of the graph module.
//
// Values that are stored (arguments, results, running values such as a step
// or a tick) are doubles; every expression is evaluated in long double and
// rounded to double only when it is stored, which is how an x87 unit with
// extended precision evaluates them. Round means halves to even, Int means
// truncation toward zero.

// Largest / smallest element; 0 for an empty array.
double SPDMax(const TSPD& values);
double SPDMin(const TSPD& values);

// Extremes over all series (an empty series counts as 0); 0 for an empty list.
double GraphMinX(const TGraphData& data);
double GraphMaxX(const TGraphData& data);
double GraphMinY(const TGraphData& data);
double GraphMaxY(const TGraphData& data);

// Distance between major ticks for the bounds a and b, in either order.
double NiceStep(double a, double b);
// The first major tick, at or below the lower bound.
double FirstTick(double step, double upper, double lower);
// The first tick at or above the upper bound, stepping from start.
double LastTick(double step, double upper, double start);
// Decimals of the tick labels for a step.
int StepDecimals(double step);
// Character count of the widest label (the decimal separator left out).
int LabelChars(int decimals, double upper, double lower);

// Canvas column of value v; scale is data units per pixel.
int XToPixel(int left, double scale, double lower, double v);
// Canvas row of value v; rows grow downward from the upper bound at top.
int YToPixel(int top, double scale, double upper, double v);
