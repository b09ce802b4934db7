#pragma once

#include "Stringop/MessageSink.h"

// Nearest integer, halves to even, for magnitudes below 2147483646. Otherwise
// (also for NaN) sends "ERROR IN MYROUND ROUTINE" to `sink` and gives 2147483647.
int RoundToInt(double x, MessageSink& sink);
// Same rounding without a message; false when out of range.
bool TryRoundToInt(double x, int& result);

// The integer part (toward zero) for magnitudes below 2147483646, else 2147483647.
int TruncToInt(double x);
