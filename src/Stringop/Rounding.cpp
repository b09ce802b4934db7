#include "Stringop/Rounding.h"

#include <cmath>

namespace {

// Magnitudes from here on do not round; the result is then this marker.
constexpr double kRoundingLimit = 2147483646.0;
constexpr int kOutOfRange = 2147483647;

}  // namespace

bool TryRoundToInt(double x, int& result) {
  if (!(std::fabs(x) < kRoundingLimit)) {  // also NaN
    result = kOutOfRange;
    return false;
  }
  // nearbyint follows the processor's rounding mode: nearest, halves to even.
  result = static_cast<int>(std::nearbyint(x));
  return true;
}

int RoundToInt(double x, MessageSink& sink) {
  int result = 0;
  if (!TryRoundToInt(x, result)) sink.showMessage("ERROR IN MYROUND ROUTINE");
  return result;
}

int TruncToInt(double x) {
  if (!(std::fabs(x) < kRoundingLimit)) return kOutOfRange;
  return static_cast<int>(std::trunc(x));
}
