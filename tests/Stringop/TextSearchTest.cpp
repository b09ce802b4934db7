#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Stringop/PathText.h"

namespace {

struct SearchCase {
  std::string sub;
  std::string text;
  int count;
  int last;
};

TEST(TextSearch, CountsAndFindsOverlappingOccurrences) {
  const SearchCase cases[] = {
      {"aa", "aaaa", 3, 3},
      {"a", "banana", 3, 6},
      {"\\", "C:\\a\\b", 2, 5},
      {"x", "abc", 0, 0},
      {"", "abc", 0, 0},
      {"abc", "ab", 0, 0},
      {"\\", std::string(599, 'a') + "\\" + std::string(400, 'b'), 1, 600},  // beyond 8 bits
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.sub + " in " + c.text.substr(0, 20));
    EXPECT_EQ(CountOccurrences(c.sub, c.text), c.count);
    EXPECT_EQ(LastPos(c.sub, c.text), c.last);
  }
}

TEST(TextSearch, PosOfNthCountsFromTheOriginalText) {
  const std::pair<int, int> banana[] = {{0, 0}, {1, 2}, {2, 4}, {3, 6}, {4, 0}, {-1, 0}};
  for (const auto& [n, expected] : banana) {
    EXPECT_EQ(PosOfNth("a", "banana", n), expected) << "n = " << n;
  }
  EXPECT_EQ(PosOfNth("aa", "aaaa", 2), 2);
  EXPECT_EQ(PosOfNth("aa", "aaaa", 3), 3);
  EXPECT_EQ(PosOfNth("aa", "aaaa", 4), 0);
}

struct SplitCase {
  std::string text;
  int n;
  std::string sep;
  std::vector<std::string> pieces;
};

TEST(SplitText, GivesExactlyNPlusOnePieces) {
  const SplitCase cases[] = {
      {"C:\\a\\b", 3, "\\", {"C:", "a", "b", ""}},
      {"a\\b\\c", 1, "\\", {"a", "b"}},  // the rest is dropped
      {"\\a", 1, "\\", {"", "a"}},
      {"a\\\\b", 2, "\\", {"a", "", "b"}},
      {"a::b", 1, "::", {"a", ":b"}},  // only the first separator character is consumed
      {"abc", 0, ",", {"abc"}},
      {"", 2, ",", {"", "", ""}},
      {"a,b", -1, ",", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text + " / " + std::to_string(c.n));
    EXPECT_EQ(SplitText(c.text, c.n, c.sep), c.pieces);
  }
}

}  // namespace
