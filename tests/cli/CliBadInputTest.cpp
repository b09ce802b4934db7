// Words quorvix-cli is given that hold line ends and other control
// characters: the usage error quotes them as escapes and stays one line
// (found by fuzzing the argument parsing).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/CliArguments.h"

namespace {

TEST(CliBadInput, QuotedWordsKeepTheMessageOnOneLine) {
  struct Case {
    std::vector<std::string> words;
    std::string error;
  };
  const std::vector<Case> cases = {
      {{"edit", "pic.bmp", "pic.\n--clear-outside", "-o", "x.bmp"},
       "unexpected argument 'pic.\\n--clear-outside'"},
      {{"ex\ttract"}, "unknown command 'ex\\ttract' (extract or edit); see --help"},
      {{"edit", "a.bmp", "--bogus\r\x1b[2J"}, "unknown option '--bogus\\r\\x1b[2J'"},
      {{"extract", "a.bmp", "--unit", "1,2,3,\x7f"},
       "option --unit needs four integers L,T,R,B, not '1,2,3,\\x7f'"},
      {{"extract", "a.bmp", "--crop=1,2\n,3,4"},
       "option --crop needs four integers L,T,R,B, not '1,2\\n,3,4'"},
  };
  for (const Case& c : cases) {
    std::string error;
    EXPECT_FALSE(ParseCliArguments(c.words, error).has_value());
    EXPECT_EQ(error, c.error);
  }
  EXPECT_EQ(PrintableText("caf\xc3\xa9 \\ ok"), "caf\xc3\xa9 \\ ok") << "other bytes stay as they are";
}

}  // namespace
