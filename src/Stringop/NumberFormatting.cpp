#include "Stringop/NumberFormatting.h"

#include <charconv>
#include <cmath>
#include <string>

#include "Stringop/CharacterText.h"
#include "Stringop/NumberTextEditing.h"
#include "Stringop/Rounding.h"

namespace {

constexpr std::size_t kScientificWidth = 23;
constexpr std::size_t kExponentDigits = 4;
constexpr double kWholeNumberLimit = 2147483646.0;

// "NAN", "INF" or "-INF" for a value that is not finite.
std::string NonFiniteText(double x) {
  if (std::isnan(x)) return "NAN";
  return x < 0 ? "-INF" : "INF";
}

// Removes the mantissa's trailing zeros (one digit stays after the point), the
// exponent's leading zeros (one digit stays) and an exponent of zero.
void ShortenScientificText(std::string& t) {
  std::size_t e = t.find('E');
  const std::size_t point = t.find('.');
  while (e > point + 2 && t[e - 1] == '0') {
    t.erase(e - 1, 1);
    --e;
  }
  std::size_t digit = e + 1;
  if (digit < t.size() && (t[digit] == '+' || t[digit] == '-')) ++digit;
  while (digit + 1 < t.size() && t[digit] == '0') t.erase(digit, 1);
  if (t.size() >= 3) {
    const std::string tail = t.substr(t.size() - 3);
    if (tail == "E+0" || tail == "E-0") t.resize(t.size() - 3);
  }
}

}  // namespace

std::string ScientificText(double x) {
  if (!std::isfinite(x)) {
    const std::string text = NonFiniteText(x);
    return std::string(kScientificWidth - text.size(), ' ') + text;
  }
  // to_chars is correctly rounded and ignores the locale: "-1.50000000000000e+00".
  char buffer[64];
  const auto [end, error] =
      std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::scientific, 14);
  const std::string raw(buffer, error == std::errc() ? end : buffer);
  const std::size_t e = raw.find('e');
  if (e == std::string::npos || e + 2 > raw.size()) return std::string(kScientificWidth, ' ');
  std::string exponent = raw.substr(e + 2);
  if (exponent.size() < kExponentDigits) exponent.insert(0, kExponentDigits - exponent.size(), '0');
  std::string text = raw.front() == '-' ? "" : " ";
  text += raw.substr(0, e);
  text += 'E';
  text += raw[e + 1];
  text += exponent;
  return text;
}

std::string ShortNumberText(double x) {
  if (!std::isfinite(x)) return NonFiniteText(x);
  if (x == std::trunc(x) && std::fabs(x) < kWholeNumberLimit) {
    return TrimControlChars(std::to_string(TruncToInt(x)));
  }
  std::string t = UpperCaseText(ScientificText(x));
  const std::size_t point = t.find('.');
  const std::size_t e = t.find('E');
  if (point == std::string::npos || e == std::string::npos || e < point) return t;
  ShortenScientificText(t);
  return TrimControlChars(t);
}

std::string FormatNumber(int digits, double x) {
  if (!std::isfinite(x)) return NonFiniteText(x);
  // Each product is a double, as is the factor, so the rounding below sees
  // exactly the value the decimal digits are taken from.
  double product = x;
  double factor = 1.0;
  for (int i = 0; i <= digits; ++i) {
    product *= 10.0;
    factor *= 10.0;
  }
  // Round to digits + 1 decimals (halves to even) to remove floating-point
  // noise before the decimals are cut.
  int rounded = 0;
  if (TryRoundToInt(product, rounded)) x = static_cast<double>(rounded) / factor;
  std::string text = ShortNumberText(x);
  NormaliseNumberText(text, digits);
  return text;
}
