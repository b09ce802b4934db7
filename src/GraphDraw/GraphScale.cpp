#include "GraphDraw/GraphScale.h"

#include <cmath>
#include <cstdint>
#include <string>

namespace {

int SignOf(double x) {
  return x > 0.0 ? 1 : (x < 0.0 ? -1 : 0);
}

// Nearest integer of q, halves to even, kept within a range that can still be
// added to a canvas coordinate (a value far off a fixed range would otherwise
// overflow); not-a-number gives 0.
int RoundedPixelOffset(long double q) {
  constexpr long double limit = 1.0e9L;
  if (std::isnan(q)) return 0;
  const long double r = std::nearbyint(q);
  if (r > limit) return static_cast<int>(limit);
  if (r < -limit) return -static_cast<int>(limit);
  return static_cast<int>(r);
}

// Text length of Round(Int(bound)) as a signed 64-bit integer; a value that
// does not fit is written as the largest one.
std::size_t IntegerPartChars(double bound) {
  const long double whole = std::trunc(static_cast<long double>(bound));
  constexpr long double two63 = 9223372036854775808.0L;
  if (!(whole >= -two63 && whole < two63)) return std::to_string(INT64_MAX).size();
  return std::to_string(static_cast<std::int64_t>(whole)).size();
}

template <typename Pick>
double SeriesExtreme(const TGraphData& data, Pick pick, bool wantLarger) {
  if (data.empty()) return 0.0;
  double result = pick(data[0]);
  for (std::size_t i = 1; i < data.size(); ++i) {
    const double value = pick(data[i]);
    if (wantLarger ? value > result : value < result) result = value;
  }
  return result;
}

}  // namespace

double SPDMax(const TSPD& values) {
  if (values.empty()) return 0.0;
  double result = values[0];
  for (std::size_t i = 1; i < values.size(); ++i) {
    if (values[i] > result) result = values[i];
  }
  return result;
}

double SPDMin(const TSPD& values) {
  if (values.empty()) return 0.0;
  double result = values[0];
  for (std::size_t i = 1; i < values.size(); ++i) {
    if (values[i] < result) result = values[i];
  }
  return result;
}

double GraphMinX(const TGraphData& data) {
  return SeriesExtreme(
      data, [](const TGraphSingleData& s) { return SPDMin(s.X); }, false);
}

double GraphMaxX(const TGraphData& data) {
  return SeriesExtreme(
      data, [](const TGraphSingleData& s) { return SPDMax(s.X); }, true);
}

double GraphMinY(const TGraphData& data) {
  return SeriesExtreme(
      data, [](const TGraphSingleData& s) { return SPDMin(s.Y); }, false);
}

double GraphMaxY(const TGraphData& data) {
  return SeriesExtreme(
      data, [](const TGraphSingleData& s) { return SPDMax(s.Y); }, true);
}

double NiceStep(double a, double b) {
  const double span = static_cast<double>(std::fabs(static_cast<long double>(a) - b));
  double step = 1e-8;
  while (span / static_cast<long double>(step) > 50) step = static_cast<double>(step * 10.0L);
  while (span / static_cast<long double>(step) > 28) step = static_cast<double>(step * 5.0L);
  while (span / static_cast<long double>(step) > 9) step = static_cast<double>(step * 2.0L);
  return step;
}

double FirstTick(double step, double upper, double lower) {
  step = std::fabs(step);
  const int su = SignOf(upper);
  const int sl = SignOf(lower);
  if (su * sl == -1) {
    double r = 0.0;
    while (static_cast<long double>(r) - step > lower) {
      const double next = static_cast<double>(static_cast<long double>(r) - step);
      if (next == r) break;  // a step below the resolution of r would never end
      r = next;
    }
    return static_cast<double>(static_cast<long double>(r) - step);
  }
  if (sl == 0) return 0.0;
  double r = static_cast<double>(std::trunc(lower / static_cast<long double>(step)) * step);
  if (sl == -1) r = static_cast<double>(static_cast<long double>(r) - step);
  return r;
}

double LastTick(double step, double upper, double start) {
  step = std::fabs(step);
  if (step == 0.0) step = 0.1;
  double r = start;
  while (r < upper) {
    const double next = static_cast<double>(static_cast<long double>(r) + step);
    if (next == r) break;  // a step below the resolution of r would never end
    r = next;
  }
  return r;
}

int StepDecimals(double step) {
  const double x = std::fabs(step);
  if (x == 0.0) return 1;
  if (!(x < 10.0)) return 0;  // also not-a-number
  const double l = static_cast<double>(std::fabs(std::log(static_cast<long double>(x))) / std::log(10.0L));
  const double whole = std::trunc(l);
  if (whole == l) return static_cast<int>(std::nearbyint(l));
  return static_cast<int>(whole) + 1;
}

int LabelChars(int decimals, double upper, double lower) {
  const std::size_t lowerChars = IntegerPartChars(lower);
  const std::size_t upperChars = IntegerPartChars(upper);
  return decimals + static_cast<int>(lowerChars > upperChars ? lowerChars : upperChars);
}

int XToPixel(int left, double scale, double lower, double v) {
  return left + RoundedPixelOffset((static_cast<long double>(v) - lower) / scale);
}

int YToPixel(int top, double scale, double upper, double v) {
  return top + RoundedPixelOffset((static_cast<long double>(upper) - v) / scale);
}
