#include "Stringop/DecimalReading.h"

#include <charconv>
#include <string>
#include <string_view>
#include <system_error>

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Position just past the run of digits that starts at `from`.
std::size_t SkipDigits(const std::string& text, std::size_t from) {
  while (from < text.size() && IsDigit(text[from])) ++from;
  return from;
}

// Decimal order of magnitude of the leading non-zero digit of
// intDigits.fracDigits x 10^exponent (0 for "1", -1 for "0.1").
long long OrderOfMagnitude(std::string_view intDigits, std::string_view fracDigits, long long exponent) {
  const auto intLength = static_cast<long long>(intDigits.size());
  const std::size_t inInt = intDigits.find_first_not_of('0');
  if (inInt != std::string_view::npos) return exponent + intLength - 1 - static_cast<long long>(inInt);
  const std::size_t inFrac = fracDigits.find_first_not_of('0');
  if (inFrac != std::string_view::npos) return exponent - 1 - static_cast<long long>(inFrac);
  return 0;
}

}  // namespace

bool ReadDecimal(const std::string& text, double& value, int& errorPos) {
  const std::size_t length = text.size();
  auto fail = [&](std::size_t index) {
    value = 0.0;
    errorPos = static_cast<int>(index + 1);
    return false;
  };

  std::size_t i = 0;
  while (i < length && text[i] == ' ') ++i;
  bool negative = false;
  if (i < length && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  const std::size_t intStart = i;
  i = SkipDigits(text, i);
  const std::string_view intDigits(text.data() + intStart, i - intStart);
  bool hasPoint = false;
  std::string_view fracDigits;
  if (i < length && text[i] == '.') {
    hasPoint = true;
    const std::size_t fracStart = ++i;
    i = SkipDigits(text, i);
    fracDigits = std::string_view(text.data() + fracStart, i - fracStart);
  }
  // A mantissa needs a digit or at least the point ("." alone is 0).
  if (intDigits.empty() && !hasPoint) return fail(i);

  long long exponent = 0;
  if (i < length && (text[i] == 'E' || text[i] == 'e')) {
    ++i;
    bool negativeExponent = false;
    if (i < length && (text[i] == '+' || text[i] == '-')) {
      negativeExponent = text[i] == '-';
      ++i;
    }
    if (i >= length || !IsDigit(text[i])) return fail(i);
    // Any exponent beyond the text length plus the double range decides the
    // same overflow or underflow, so larger ones are capped there.
    const auto cap = static_cast<long long>(length) + 400;
    for (; i < length && IsDigit(text[i]); ++i) {
      if (exponent <= cap) exponent = exponent * 10 + (text[i] - '0');
    }
    if (exponent > cap) exponent = cap;
    if (negativeExponent) exponent = -exponent;
  }
  if (i < length) return fail(i);

  // The validated text in the form the standard conversion takes: no "+",
  // digits on both sides of the point.
  std::string plain;
  plain.reserve(intDigits.size() + fracDigits.size() + 32);
  if (negative) plain += '-';
  plain += intDigits.empty() ? std::string_view("0") : intDigits;
  plain += '.';
  plain += fracDigits.empty() ? std::string_view("0") : fracDigits;
  plain += 'e';
  plain += std::to_string(exponent);

  double result = 0.0;
  const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), result);
  if (error == std::errc::result_out_of_range) {
    if (OrderOfMagnitude(intDigits, fracDigits, exponent) >= 0)
      return fail(length);           // beyond the double range
    result = negative ? -0.0 : 0.0;  // below the smallest double
  } else if (error != std::errc() || end != plain.data() + plain.size()) {
    return fail(length);
  }
  value = result;
  errorPos = 0;
  return true;
}

bool ReadWholeNumber(const std::string& text, std::int32_t& value) {
  const char* first = text.data();
  const char* last = text.data() + text.size();
  while (first != last && *first == ' ') ++first;
  // from_chars takes a minus sign but no plus sign.
  if (last - first >= 2 && *first == '+' && first[1] != '-') ++first;
  const auto [end, error] = std::from_chars(first, last, value);
  return error == std::errc() && end == last;
}
