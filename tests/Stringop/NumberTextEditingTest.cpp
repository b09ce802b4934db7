#include <gtest/gtest.h>

#include <string>

#include "Stringop/NumberTextEditing.h"

namespace {

struct TextCase {
  std::string text;
  std::string expected;
};

struct NormaliseCase {
  std::string text;
  int digits;
  std::string expected;
};

struct NumberCase {
  std::string text;
  double expected;
};

TEST(KeepNumericPrefix, DropsTheLeadAndCutsAtTheFirstForeignCharacter) {
  const TextCase cases[] = {
      {"abc-12.5xyz", "-12.5"},
      {"  1.5e3 mm", "1.5e3"},
      {"0,95", "0"},
      {"x", ""},
      {"", ""},
      {"E5", "5"},  // the exponent mark alone does not start a number
      {"1E5", "1E5"},
      {"+-.9eE", "+-.9eE"},  // nothing to cut
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    std::string text = c.text;
    KeepNumericPrefix(text);
    EXPECT_EQ(text, c.expected);
  }
}

TEST(CleanNumberText, CutsBackToTheLongestReadablePrefix) {
  const TextCase cases[] = {
      {"1.2.3", "1.2"},
      {"12a", "12"},
      {"-5.0", "-5.0"},
      {"x", ""},
      {"", ""},
      {"-", ""},
      {"1e", "1"},
      {"1e+", "1"},
      {"1e-", "1"},
      {"1e999", "1e99"},
      {"--5", ""},
      {"+.", "+."},
      {"1-2", "1"},
      {"12e3x", "12e3"},
      {"abc-12.5xyz", "-12.5"},
      {"1e9999999999", "1e99"},
      {"1.1.1.1", "1.1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    std::string text = c.text;
    CleanNumberText(text);
    EXPECT_EQ(text, c.expected);
  }
}

TEST(CleanNumberText, EndsOnLongTexts) {
  std::string nines(10000, '9');  // far beyond the double range
  CleanNumberText(nines);
  EXPECT_EQ(nines, std::string(308, '9'));

  std::string points;
  for (int i = 0; i < 5000; ++i) points += "1.";
  CleanNumberText(points);
  EXPECT_EQ(points, "1.1");
}

TEST(NormaliseNumberText, MovesSmallExponentsIntoTheDigitsAndCutsDecimals) {
  const NormaliseCase cases[] = {
      {"1.5E2", 6, "150.000000"},   // the point runs off the end: zero added
      {"-1.5E-3", 6, "-0.001500"},  // the sign stays in front of "0."
      {"+1.5E-1", 6, "+0.150000"},
      {"12345.678E-8", 6, "0.000123"},  // the point runs off the front: ".0" added
      {".5E1", 6, "5.000000"},
      {"5.E1", 6, "50.000000"},
      {"12.3456789E2", 6, "1234.567890"},
      {"2.5E+1x", 6, "25.000000"},   // the exponent text is cut to its number
      {"3.14159E0", 6, "3.141590"},  // exponent 0: no move
      {"1.5E-8", 6, "0.000000"},
      {"0.1234567", 6, "0.123456"},  // cut, not rounded
      {"0.9999999", 6, "0.999999"},
      {"60", 6, "60"},  // no point: no decimals added
      {"2.7", 0, "2"},  // no decimals: no point
      {".25", 2, "0.25"},
      {"0.25", 3, "0.250"},
      {"5 mm", 6, "5"},
      {"abc", 6, ""},
      {"-", 6, "-"},
      {"1.0e5", 6, "1.0e5000"},  // only "E" counts as an exponent mark
      // Left unchanged:
      {"1.5E20", 6, "1.5E20"},  // exponent above 8
      {"1.5E-9", 6, "1.5E-9"},
      {"1.5E8.5", 6, "1.5E8.5"},
      {"1.5E-", 6, "1.5E-"},  // unreadable exponent
      {"1E5", 6, "1E5"},      // no point before the exponent
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text + " / " + std::to_string(c.digits));
    std::string text = c.text;
    NormaliseNumberText(text, c.digits);
    EXPECT_EQ(text, c.expected);
  }
}

TEST(TextToNumber, ReadsFieldTextsWithSixDecimals) {
  const NumberCase cases[] = {
      {"60", 60.0},
      {"-5.0", -5.0},
      {"0.1234567", 0.123456},
      {"1.5E2", 150.0},
      {"1E5", 100000.0},
      {"1e5", 100000.0},
      {"1.5E20", 1.5e20},
      {"12.3456789E2", 1234.56789},
      {"  7.25", 7.25},
      {"5 mm", 5.0},
      {"-0.0000001", 0.0},
      // Unreadable or out of range: 0.
      {"0,95", 0.0},
      {"", 0.0},
      {"-", 0.0},
      {"abc", 0.0},
      {"1.2.3", 0.0},
      {"1E5.5", 0.0},
      {"1.0e5", 0.0},  // the decimals land in the exponent: far out of range
      {"1.5e2", 0.0},
      {"1e999", 0.0},
      {"1E999", 0.0},
      {"NaN", 0.0},
      {"INF", 0.0},
      {"-INF", 0.0},
      {"nan", 0.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(TextToNumber(c.text, 6), c.expected);
  }
}

TEST(TextToNumber, NeverFailsOnLongTexts) {
  EXPECT_EQ(TextToNumber(std::string(10000, '9'), 6), 0.0);
  EXPECT_EQ(TextToNumber("0." + std::string(9998, '3'), 6), 0.333333);
  EXPECT_EQ(TextToNumber(std::string(10000, 'x'), 6), 0.0);
  std::string mixed;
  while (mixed.size() < 10000) mixed += "-+.eE9x ";
  EXPECT_EQ(TextToNumber(mixed, 6), 0.0);
}

}  // namespace
