#pragma once

#include <string>

// Fixed-point text of v with `decimals` digits after the separator: at most
// 15 significant digits, rounded half away from zero, no digit grouping, no
// minus sign when every written digit is zero. A value with more than 15
// digits before the point is written in the general form ("1.5E20").
std::string FixedPointText(double v, int decimals, const std::string& separator);
