#include <gtest/gtest.h>

#include "cli/CliArguments.h"
#include "cli/CliCommands.h"
#include "image/BitmapFile.h"
#include "state/AppState.h"
#include "support/TempDir.h"

namespace {

TEST(CliArguments, ThoroughIsAFlagAndAGivenMatchIsNoted) {
  struct Case {
    std::vector<std::string> words;
    bool thorough, matchGiven, strict;
  };
  const Case cases[] = {
      {{"extract", "a.bmp", "--unit", "1,2,3,4"}, false, false, false},
      {{"extract", "a.bmp", "--unit", "1,2,3,4", "--thorough"}, true, false, false},
      {{"extract", "--thorough", "a.bmp", "--unit", "1,2,3,4", "--match", "60"}, true, true, false},
      {{"extract", "a.bmp", "--unit", "1,2,3,4", "--match=75", "--strict"}, false, true, true},
  };
  for (const Case& c : cases) {
    std::string error;
    const auto command = ParseCliArguments(c.words, error);
    ASSERT_TRUE(command) << error;
    EXPECT_EQ(command->thorough, c.thorough);
    EXPECT_EQ(command->matchGiven, c.matchGiven);
    EXPECT_EQ(command->strict, c.strict);
  }
  std::string error;
  EXPECT_FALSE(ParseCliArguments({"extract", "a.bmp", "--unit", "1,2,3,4", "--thorough=yes"}, error));
  EXPECT_NE(error.find("takes no value"), std::string::npos);
}

TEST(CliArguments, ChannelsTakesAutoOrAWholeNumberOfAtLeastOne) {
  for (const std::string good : {"auto", "AUTO", "512", "+64", "1"}) {
    std::string error;
    const auto command =
        ParseCliArguments({"extract", "a.bmp", "--unit", "1,2,3,4", "--channels", good}, error);
    ASSERT_TRUE(command) << good << ": " << error;
    EXPECT_EQ(command->channels, good);
  }
  for (const std::string bad : {"0", "-3", "2.5", "512x", "many", "", "1e3", "99999999999"}) {
    std::string error;
    EXPECT_FALSE(ParseCliArguments({"extract", "a.bmp", "--unit", "1,2,3,4", "--channels=" + bad}, error))
        << bad;
    EXPECT_NE(error.find("--channels needs auto or a whole number"), std::string::npos) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos);
  }
}

TEST(RunExtractCommand, ThoroughFindsCentresBetweenPixels) {
  // Two 2 x 2 squares: each one's centre lies between four pixels.
  TempDir dir;
  Bitmap picture(21, 11);
  picture.fillRect({3, 3, 5, 5}, BlackColour);    // centre (3.5, 3.5)
  picture.fillRect({14, 6, 16, 8}, BlackColour);  // centre (14.5, 6.5)
  std::string error;
  const std::string path = dir.file("two.bmp");
  ASSERT_TRUE(SaveBitmapFile(path, picture, error)) << error;

  CliCommand command;
  command.kind = CliCommand::Kind::Extract;
  command.picture = path;
  command.unit = Rect{2, 2, 5, 5};
  command.vmin = "0";
  command.vmax = "20";
  command.min = "0";
  command.max = "10";
  command.thorough = true;
  command.match = "this is not read";
  AppState state;
  HeadlessUi ui(state);
  std::string text;
  const CliOutcome outcome = RunExtractCommand(state, ui, command, text);
  ASSERT_EQ(outcome.status, ExitSuccess) << outcome.message;
  // Velocity = column, value = 10 - row.
  EXPECT_NE(text.find("\r\n3.500000,6.500000\r\n14.500000,3.500000\r\n"), std::string::npos) << text;
  EXPECT_TRUE(state.ThoroughMatching);

  // The default mode finds whole pixels: the rounded-down ink centres.
  command.thorough = false;
  command.match = "90";
  AppState again;
  HeadlessUi ui2(again);
  ASSERT_EQ(RunExtractCommand(again, ui2, command, text).status, ExitSuccess);
  EXPECT_NE(text.find("\r\n3,7\r\n14,4\r\n"), std::string::npos) << text;
}

}  // namespace
