#include <gtest/gtest.h>

#include <limits>

#include "GraphDraw/TickLabel.h"

namespace {

struct LabelCase {
  double Value;
  int Decimals;
  const char* Separator;
  const char* Expected;
};

TEST(FixedPointText, WritesTheGivenDecimalsWithTheGivenSeparator) {
  const LabelCase cases[] = {
      {0, 0, ".", "0"},
      {-1, 0, ".", "-1"},
      {-4, 1, ".", "-4.0"},
      {-4, 1, ",", "-4,0"},
      {0.9, 2, ",", "0,90"},
      {0.92, 2, ".", "0.92"},
      {28, 1, ".", "28.0"},
      {0.1 + 0.2, 2, ".", "0.30"},
      {1234567.25, 1, ".", "1234567.3"},  // halves away from zero
      {-0.125, 2, ".", "-0.13"},          // halves away from zero
      {0.95, 1, ".", "0.9"},              // 0.95 is stored a little below
      {0.06, 1, ".", "0.1"},              // rounds up into the first decimal
      {0.004, 1, ".", "0.0"},
      {9.96, 1, ".", "10.0"},  // carry into a new digit
      {1e-17, 1, ".", "0.0"},
      {-1e-17, 1, ".", "0.0"},  // a zero written as zero, without a sign
      {-2.7755575615628914e-17, 2, ".", "0.00"},
      {123456789012345.6, 0, ".", "123456789012346"},  // 15 significant digits
      {0.12345678901234567, 18, ".", "0.123456789012346000"},
      {1e20, 0, ".", "1E20"},  // beyond 15 integer digits: general form
      {-1.5e20, 1, ",", "-1,5E20"},
      {std::numeric_limits<double>::quiet_NaN(), 1, ".", "NAN"},
      {-std::numeric_limits<double>::infinity(), 1, ".", "-INF"},
  };
  for (const LabelCase& c : cases) {
    EXPECT_EQ(FixedPointText(c.Value, c.Decimals, c.Separator), c.Expected) << c.Value << " / " << c.Decimals;
  }
}

}  // namespace
