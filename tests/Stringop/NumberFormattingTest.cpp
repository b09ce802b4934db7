#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "Stringop/NumberFormatting.h"
#include "Stringop/NumberTextEditing.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct FormatCase {
  int digits;
  double x;
  std::string expected;
};

struct TextOfNumber {
  double x;
  std::string expected;
};

TEST(FormatNumber, CutsAfterRoundingToOneMoreDecimal) {
  const FormatCase cases[] = {
      {6, 0.25, "0.250000"},
      {6, 12.5, "12.500000"},
      {6, 0.1234569, "0.123456"},  // cut, not rounded up
      {6, 123.5, "123.500000"},
      {6, -0.0000001, "-0.000000"},  // the sign stays
      {6, 0.00000004, "0"},
      {6, 1.0, "1"},  // whole numbers have no point
      {6, -5.0, "-5"},
      {6, 0.0, "0"},
      {6, -0.0, "0"},
      {6, 500000000.0, "500000000"},
      {3, 0.6, "0.600"},
      {3, 0.9, "0.900"},
      {3, 12.3456, "12.345"},
      {3, 0.0005, "0.000"},
      {0, 2.7, "2"},
      {0, 0.95, "1"},  // 9.5 rounds to 10 before the cut
      {6, -4.25, "-4.250000"},
      {6, 0.975, "0.975000"},
      {6, 1234.5, "1234.500000"},  // too large to round first
      {6, 0.1 + 0.2, "0.300000"},  // the rounding removes the noise
      {6, 2.0 / 3.0, "0.666666"},
      {6, 1e-7, "0.000000"},
      {6, 1.5e-7, "0.000000"},
      {6, 1e-300, "0"},
      // Halves to even: -0.5 rounds to 0, so no "-0" appears.
      {0, -0.05, "0"},
      {6, -0.00000005, "0"},
      // Exponents above 8 stay in the text.
      {6, 1e20, "1.0E+20"},
      {6, -3.5e12, "-3.5E+12"},
      {3, 2147483646.5, "2.1474836465E+9"},
      {6, std::numeric_limits<double>::max(), "1.79769313486232E+308"},
      {6, kNaN, "NAN"},
      {6, kInf, "INF"},
      {6, -kInf, "-INF"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.digits) + " / " + std::to_string(c.x));
    EXPECT_EQ(FormatNumber(c.digits, c.x), c.expected);
  }
}

TEST(FormatNumber, TextReadsBackToTheCutValue) {
  const double values[] = {0.123456, -98.765432, 3.5, 0.000001, 42.424242};
  for (const double v : values) {
    SCOPED_TRACE(v);
    EXPECT_EQ(TextToNumber(FormatNumber(6, v), 6), v);
  }
}

TEST(ShortNumberText, GivesTheShortestScientificForm) {
  const TextOfNumber cases[] = {
      {1.5, "1.5"},
      {0.25, "2.5E-1"},
      {0.001, "1.0E-3"},
      {-123.456, "-1.23456E+2"},
      {150.0, "150"},
      {2.5, "2.5"},  // exponent 0: no exponent
      {-5.0, "-5"},
      {0.0, "0"},
      {-0.0, "0"},
      {0.1, "1.0E-1"},
      {1.0 / 3.0, "3.33333333333333E-1"},
      {2.0 / 3.0, "6.66666666666667E-1"},
      {12345.678, "1.2345678E+4"},
      {9.999999999999999, "1.0E+1"},  // fifteen digits round it up
      {1.25e100, "1.25E+100"},
      {1e-310, "9.99999999999997E-311"},
      {2147483645.0, "2147483645"},
      {-2147483645.0, "-2147483645"},
      // Whole numbers beyond the 32-bit range take the scientific form.
      {2147483646.0, "2.147483646E+9"},
      {-2147483646.0, "-2.147483646E+9"},
      {1e20, "1.0E+20"},
      {kNaN, "NAN"},
      {kInf, "INF"},
      {-kInf, "-INF"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(ShortNumberText(c.x), c.expected);
  }
}

TEST(ScientificText, HasTwentyThreeCharacters) {
  const TextOfNumber cases[] = {
      {1.5, " 1.50000000000000E+0000"},
      {-123.456, "-1.23456000000000E+0002"},
      {0.0, " 0.00000000000000E+0000"},
      {0.125, " 1.25000000000000E-0001"},
      {2.0 / 3.0, " 6.66666666666667E-0001"},
      {1e-310, " 9.99999999999997E-0311"},
      {std::numeric_limits<double>::max(), " 1.79769313486232E+0308"},
      {-std::numeric_limits<double>::denorm_min(), "-4.94065645841247E-0324"},
      {kNaN, "                    NAN"},
      {-kInf, "                   -INF"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expected);
    const std::string text = ScientificText(c.x);
    EXPECT_EQ(text, c.expected);
    EXPECT_EQ(text.size(), 23u);
  }
}

}  // namespace
