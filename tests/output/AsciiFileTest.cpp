#include <gtest/gtest.h>

#include <filesystem>

#include "app/Settings.h"
#include "output/AsciiFile.h"
#include "support/FakeUi.h"
#include "support/TempDir.h"

namespace {

struct Saving {
  TempDir dir;
  AppState state;
  FakeUi ui;

  Saving() {
    state.ProgramDir = dir.path();
    state.FilesDir = dir.path();
    state.ExchangeListPath = dir.file("QuorvixFile.txt");
    state.VelocityArray = {-4.25};
    state.CountsArray = {0.975};
    state.DataPointCount = 1;
    state.AsciiSaved = false;
    ui.status[StatusData] = "ASCII data: 1";
    ui.status[StatusFile] = "C:\\scans\\run7.bmp";
  }
  void save(const std::string& name, std::optional<Answer> answer = std::nullopt) {
    ui.chosenFiles = {name.empty() ? std::optional<std::string>()
                                   : std::optional<std::string>(dir.file(name))};
    if (answer) ui.answers = {*answer};
    SaveAsciiDataCommand(state, ui);
  }
};

TEST(SaveAsciiData, WritesTheHeaderAndOneLinePerPointExactly) {
  Saving s;
  s.save("spectrum");  // no extension is added
  EXPECT_EQ(ReadWholeFile(s.dir.file("spectrum")),
            "!Quorvix ASCII data: 1  run7.bmp\r\n-4.250000,0.975000\r\n");
  EXPECT_TRUE(s.state.AsciiSaved);
  EXPECT_TRUE(s.ui.questions.empty());
  EXPECT_EQ(ReadWholeFile(s.state.ExchangeListPath), s.dir.file("spectrum") + "\r\n");
}

TEST(SaveAsciiData, FormatsEveryPointWithSixCutDecimals) {
  AppState state;
  state.VelocityArray = {-5.0, 0.1234569, 12.5, -0.0000001};
  state.CountsArray = {1.0, 0.00000004, 0.9, 0.95};
  state.DataPointCount = 4;
  EXPECT_EQ(AsciiFileText(state, "ASCII data: 4", "/home/u/scans/a b.bmp"),
            "!Quorvix ASCII data: 4  a "
            "b.bmp\r\n-5,1\r\n0.123456,0\r\n12.500000,0.900000\r\n-0.000000,0.950000\r\n");
}

TEST(SaveAsciiData, NeverReadsBeyondTheStoredPoints) {
  AppState state;
  state.DataPointCount = 1;  // a count without stored points
  EXPECT_EQ(AsciiFileText(state, "ASCII data: 1", "x.bmp"), "!Quorvix ASCII data: 1  x.bmp\r\n");
  state.VelocityArray = {1.0, 2.0};
  state.CountsArray = {3.0};
  state.DataPointCount = 2;
  EXPECT_EQ(AsciiFileText(state, "ASCII data: 2", "x.bmp"), "!Quorvix ASCII data: 2  x.bmp\r\n1,3\r\n");
}

TEST(SaveAsciiData, NothingToSaveOrCancelledChangesNothing) {
  Saving s;
  s.state.DataPointCount = 0;
  s.save("none.txt");
  EXPECT_FALSE(std::filesystem::exists(s.dir.file("none.txt")));
  EXPECT_EQ(s.ui.chosenFiles.size(), 1u) << "the dialog was not even shown";

  Saving cancelled;
  cancelled.save("");
  EXPECT_FALSE(cancelled.state.AsciiSaved);
}

TEST(SaveAsciiData, OverwriteIsAskedAndNoKeepsTheOldFile) {
  Saving s;
  s.save("data.txt");
  s.state.VelocityArray = {1.5};
  s.save("data.txt", Answer::No);
  ASSERT_EQ(s.ui.questions.size(), 1u);
  EXPECT_EQ(s.ui.questions[0].text, "A file with the given name already exists. Overwrite ?");
  EXPECT_EQ(ReadWholeFile(s.dir.file("data.txt")),
            "!Quorvix ASCII data: 1  run7.bmp\r\n-4.250000,0.975000\r\n");
  s.save("data.txt", Answer::Yes);
  EXPECT_EQ(ReadWholeFile(s.dir.file("data.txt")),
            "!Quorvix ASCII data: 1  run7.bmp\r\n1.500000,0.975000\r\n");
  const std::string line = s.dir.file("data.txt") + "\r\n";
  EXPECT_EQ(ReadWholeFile(s.state.ExchangeListPath), line + line);
}

TEST(SaveAsciiData, ExchangeListGetsTheShortFormOfLongNames) {
  Saving s;
  s.save("spectrum data.txt");
  EXPECT_TRUE(std::filesystem::exists(s.dir.file("spectrum data.txt")));
  EXPECT_EQ(ReadWholeFile(s.state.ExchangeListPath), s.dir.file("spectr~1.txt") + "\r\n");
}

}  // namespace
