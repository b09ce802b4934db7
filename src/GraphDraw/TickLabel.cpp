#include "GraphDraw/TickLabel.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int Precision = 15;

// The value as a string of significant digits and the count of digits that
// stand before the decimal point (value = 0.digits x 10^pointPos).
struct DecimalDigits {
  std::string Digits;
  int PointPos = 0;
};

// 18 significant digits of the magnitude, correctly rounded.
DecimalDigits EighteenDigits(double magnitude) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.17e", magnitude);
  const std::string text(buffer);
  const std::size_t e = text.find('e');
  DecimalDigits result;
  result.Digits = text.substr(0, 1) + text.substr(2, e - 2);
  result.PointPos = std::atoi(text.c_str() + e + 1) + 1;
  return result;
}

// Keeps `count` leading digits, rounding half up on the digit that follows.
void KeepDigits(DecimalDigits& d, int count) {
  if (count < 0) {
    d.Digits.clear();
    return;
  }
  const auto keep = static_cast<std::size_t>(count);
  if (keep >= d.Digits.size()) return;
  const bool roundUp = d.Digits[keep] >= '5';
  d.Digits.resize(keep);
  if (!roundUp) return;
  int i = count - 1;
  while (i >= 0 && d.Digits[static_cast<std::size_t>(i)] == '9') {
    d.Digits[static_cast<std::size_t>(i)] = '0';
    --i;
  }
  if (i >= 0) {
    ++d.Digits[static_cast<std::size_t>(i)];
  } else {
    d.Digits.insert(d.Digits.begin(), '1');
    d.Digits.pop_back();
    ++d.PointPos;
    if (count == 0) d.Digits = "1";
  }
}

// Digit at position i counted from the first significant one; 0 beyond the end.
char DigitAt(const DecimalDigits& d, int i) {
  if (i < 0 || i >= static_cast<int>(d.Digits.size())) return '0';
  return d.Digits[static_cast<std::size_t>(i)];
}

std::string GeneralText(DecimalDigits d, bool negative, const std::string& separator) {
  KeepDigits(d, Precision);
  while (d.Digits.size() > 1 && d.Digits.back() == '0') d.Digits.pop_back();
  std::string text = negative ? "-" : "";
  text += d.Digits.substr(0, 1);
  if (d.Digits.size() > 1) text += separator + d.Digits.substr(1);
  return text + "E" + std::to_string(d.PointPos - 1);
}

}  // namespace

std::string FixedPointText(double v, int decimals, const std::string& separator) {
  if (std::isnan(v)) return "NAN";
  if (std::isinf(v)) return v < 0 ? "-INF" : "INF";
  if (decimals < 0) decimals = 0;
  const bool negative = std::signbit(v);
  DecimalDigits d;
  if (v == 0.0) {
    d.Digits = "0";
    d.PointPos = 1;
  } else {
    d = EighteenDigits(std::fabs(v));
  }
  if (d.PointPos > Precision) return GeneralText(d, negative, separator);

  const int significant = d.PointPos + decimals;
  KeepDigits(d, significant < Precision ? significant : Precision);

  std::string integerPart;
  for (int i = 0; i < d.PointPos; ++i) integerPart += DigitAt(d, i);
  if (integerPart.empty()) integerPart = "0";
  std::string fraction;
  for (int i = 0; i < decimals; ++i) fraction += DigitAt(d, d.PointPos + i);

  const bool allZero = (integerPart + fraction).find_first_not_of('0') == std::string::npos;
  std::string text = (negative && !allZero) ? "-" : "";
  text += integerPart;
  if (decimals > 0) text += separator + fraction;
  return text;
}
