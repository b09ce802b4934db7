#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "Stringop/DecimalReading.h"

namespace {

struct GoodReading {
  std::string text;
  double value;
};

struct BadReading {
  std::string text;
  int errorPos;
};

TEST(ReadDecimal, ReadsTheDecimalGrammarExactly) {
  const GoodReading cases[] = {
      {"1.5", 1.5},
      {"  -2.5e3", -2500.0},
      {"+.5", 0.5},
      {".", 0.0},
      {"-.", 0.0},
      {"5.", 5.0},
      {"1E-2", 0.01},
      {"1e+2", 100.0},
      {"0.1", 0.1},
      {"007", 7.0},
      {"0e999999999999999999999", 0.0},
      // Correct rounding, also beyond 17 significant digits.
      {"9007199254740993", 9007199254740992.0},
      {"9007199254740993.0000000001", 9007199254740994.0},
      {"1.7976931348623157e308", std::numeric_limits<double>::max()},
      {"4.9406564584124654e-324", std::numeric_limits<double>::denorm_min()},
      {"1e-400", 0.0},
      {"1" + std::string(300, '0') + "e-300", 1.0},
      {"0." + std::string(400, '0') + "1e401", 1.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 60));
    double value = -1.0;
    int errorPos = -1;
    ASSERT_TRUE(ReadDecimal(c.text, value, errorPos));
    EXPECT_EQ(value, c.value);
    EXPECT_EQ(errorPos, 0);
  }
}

TEST(ReadDecimal, KeepsTheSignOfZero) {
  double value = 1.0;
  int errorPos = 0;
  ASSERT_TRUE(ReadDecimal("-0", value, errorPos));
  EXPECT_TRUE(std::signbit(value));
  ASSERT_TRUE(ReadDecimal("-1e-999", value, errorPos));
  EXPECT_EQ(value, 0.0);
  EXPECT_TRUE(std::signbit(value));
}

TEST(ReadDecimal, ReportsTheFirstCharacterThatDoesNotFit) {
  const BadReading cases[] = {
      {"", 1},      {"-", 2},      {"   ", 4},
      {"1e", 3},    {"1e+", 4},    {"1.e-", 5},
      {"1.2.3", 4}, {"12a", 3},    {" 5 ", 3},
      {"x", 1},     {"-x", 2},     {"1ex", 3},
      {"1,5", 2},   {"--1", 2},    {"e5", 1},
      {"0x10", 2},  {"- 5", 2},    {"1e5.0", 4},
      {"1e309", 6}, {"-1e309", 7}, {std::string(400, '9'), 401},  // beyond the double range
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 60));
    double value = 0.0;
    int errorPos = 0;
    EXPECT_FALSE(ReadDecimal(c.text, value, errorPos));
    EXPECT_EQ(errorPos, c.errorPos);
  }
}

}  // namespace
