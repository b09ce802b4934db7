#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "Stringop/CharacterText.h"
#include "Stringop/Rounding.h"

namespace {

class RecordingSink : public MessageSink {
 public:
  void showMessage(const std::string& text) override { messages.push_back(text); }
  std::vector<std::string> messages;
};

struct RoundCase {
  double x;
  int expected;
};

constexpr int kOutOfRange = 2147483647;

TEST(RoundToInt, RoundsHalvesToEvenWithoutMessage) {
  const RoundCase cases[] = {
      {2.5, 2},
      {3.5, 4},
      {-2.5, -2},
      {-3.5, -4},
      {0.5, 0},
      {1.4999, 1},
      {-0.7, -1},
      {0.0, 0},
      {2147483645.5, 2147483646},
      {-2147483645.4, -2147483645},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.x);
    RecordingSink sink;
    EXPECT_EQ(RoundToInt(c.x, sink), c.expected);
    EXPECT_TRUE(sink.messages.empty());
    int result = 0;
    EXPECT_TRUE(TryRoundToInt(c.x, result));
    EXPECT_EQ(result, c.expected);
  }
}

TEST(RoundToInt, OutOfRangeShowsTheMessageOnce) {
  const double cases[] = {2147483646.0, -2147483646.0, 1e20, std::numeric_limits<double>::quiet_NaN(),
                          std::numeric_limits<double>::infinity()};
  for (const double x : cases) {
    SCOPED_TRACE(x);
    RecordingSink sink;
    EXPECT_EQ(RoundToInt(x, sink), kOutOfRange);
    EXPECT_EQ(sink.messages, std::vector<std::string>{"ERROR IN MYROUND ROUTINE"});
    int result = 0;
    EXPECT_FALSE(TryRoundToInt(x, result));
    EXPECT_EQ(result, kOutOfRange);
  }
}

TEST(TruncToInt, CutsTowardZeroWithinRange) {
  const RoundCase cases[] = {
      {2.9, 2},
      {-2.9, -2},
      {2147483645.9, 2147483645},
      {-2147483645.9, -2147483645},
      {2147483646.0, kOutOfRange},
      {-3e9, kOutOfRange},
      {std::numeric_limits<double>::quiet_NaN(), kOutOfRange},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.x);
    EXPECT_EQ(TruncToInt(c.x), c.expected);
  }
}

TEST(TrimControlChars, BlanksControlCharactersAndTrims) {
  const std::pair<std::string, std::string> cases[] = {
      {"\t 12 \r\n", "12"},
      {"\xff"
       "a\x01"
       "b\x1f",
       "a b"},
      {"", ""},
      {"   ", ""},
      {"a  b", "a  b"},
      {"\x7f\xfe", "\x7f\xfe"},
  };
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(TrimControlChars(text), expected);
  }
}

TEST(UpperCaseText, ChangesOnlyAsciiLetters) {
  EXPECT_EQ(UpperCaseText("abc-Zz 1.5e+3\xe4"), "ABC-ZZ 1.5E+3\xe4");
}

}  // namespace
