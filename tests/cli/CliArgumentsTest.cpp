#include <gtest/gtest.h>

#include "cli/CliArguments.h"

namespace {

std::optional<CliCommand> Parse(std::vector<std::string> words, std::string* errorOut = nullptr) {
  std::string error;
  auto command = ParseCliArguments(words, error);
  if (errorOut) *errorOut = error;
  return command;
}

TEST(CliArguments, ValuesFollowAsNextWordOrAfterEqualsAndMayBeNegative) {
  const auto c = Parse({"extract", "scan.bmp", "--unit", "10,-2,20,30", "--vmin", "-5.0", "--vmax=7.5",
                        "--min=-1", "--max", "-0.5", "--match", "80", "--strict", "-o", "out.txt"});
  ASSERT_TRUE(c);
  EXPECT_EQ(c->kind, CliCommand::Kind::Extract);
  EXPECT_EQ(c->picture, "scan.bmp");
  EXPECT_EQ(*c->unit, (Rect{10, -2, 20, 30}));
  EXPECT_EQ(c->vmin, "-5.0");
  EXPECT_EQ(c->vmax, "7.5");
  EXPECT_EQ(c->min, "-1");
  EXPECT_EQ(c->max, "-0.5");
  EXPECT_EQ(c->match, "80");
  EXPECT_TRUE(c->strict);
  EXPECT_EQ(c->output, "out.txt");
}

TEST(CliArguments, DefaultsAreTheFieldTexts) {
  const auto c = Parse({"extract", "--unit=1,2,3,4", "scan.bmp"});
  ASSERT_TRUE(c);
  EXPECT_EQ(c->vmin, "-5.0");
  EXPECT_EQ(c->vmax, "5.0");
  EXPECT_EQ(c->min, "0.90");
  EXPECT_EQ(c->max, "1.00");
  EXPECT_EQ(c->match, "60");
  EXPECT_FALSE(c->strict);
  EXPECT_TRUE(c->output.empty());
}

TEST(CliArguments, EditsKeepTheirOrder) {
  const auto c =
      Parse({"edit", "in.bmp", "--rotate", "-7", "--crop", "1,2,3,4", "--grey-limit=200", "--discard-colour",
             "--reduce", "--clear-outside", "0,0,5,5", "--clear-inside=1,1,2,2", "-o", "out.bmp"});
  ASSERT_TRUE(c);
  ASSERT_EQ(c->edits.size(), 7u);
  EXPECT_EQ(c->edits[0].kind, EditStep::Kind::Rotate);
  EXPECT_EQ(c->edits[0].text, "-7");
  EXPECT_EQ(c->edits[1].kind, EditStep::Kind::Crop);
  EXPECT_EQ(c->edits[1].rect, (Rect{1, 2, 3, 4}));
  EXPECT_EQ(c->edits[2].kind, EditStep::Kind::GreyLimit);
  EXPECT_EQ(c->edits[2].text, "200");
  EXPECT_EQ(c->edits[3].kind, EditStep::Kind::DiscardColour);
  EXPECT_EQ(c->edits[4].kind, EditStep::Kind::Reduce);
  EXPECT_EQ(c->edits[5].kind, EditStep::Kind::ClearOutside);
  EXPECT_EQ(c->edits[6].kind, EditStep::Kind::ClearInside);
}

TEST(CliArguments, UsageErrorsNameTheProblem) {
  struct Case {
    std::vector<std::string> words;
    std::string fragment;
  };
  const Case cases[] = {
      {{}, "no command"},
      {{"frobnicate"}, "unknown command"},
      {{"extract", "--unit", "1,2,3,4"}, "no picture"},
      {{"extract", "a.bmp"}, "--unit"},
      {{"extract", "a.bmp", "--unit", "1,2,3"}, "four integers"},
      {{"extract", "a.bmp", "--unit", "1,2,3,4,5"}, "four integers"},
      {{"extract", "a.bmp", "--unit", "a,b,c,d"}, "four integers"},
      {{"extract", "a.bmp", "--unit"}, "needs a value"},
      {{"extract", "a.bmp", "--unit", "1,2,3,4", "--bogus"}, "unknown option"},
      {{"edit", "a.bmp", "b.bmp", "-o", "c.bmp"}, "unexpected argument"},
      {{"extract", "a.bmp", "--unit", "1,2,3,4", "--strict=yes"}, "takes no value"},
      {{"edit", "a.bmp", "--reduce"}, "-o"},
  };
  for (const Case& c : cases) {
    std::string error;
    EXPECT_FALSE(Parse(c.words, &error));
    EXPECT_NE(error.find(c.fragment), std::string::npos) << error;
  }
}

TEST(CliArguments, HelpAnywhere) {
  EXPECT_EQ(Parse({"--help"})->kind, CliCommand::Kind::Help);
  EXPECT_EQ(Parse({"extract", "a.bmp", "--help"})->kind, CliCommand::Kind::Help);
  EXPECT_EQ(Parse({"extract", "a.bmp", "--version"})->kind, CliCommand::Kind::Version);
}

}  // namespace
