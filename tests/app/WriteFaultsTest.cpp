// Every file the program writes, under every kind of write failure: the
// program's own files stay silent, the two saves tell the user, and nothing
// that stood before is lost or left half-written.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "Stringop/PathText.h"
#include "app/Settings.h"
#include "image/FileCommands.h"
#include "output/AsciiFile.h"
#include "output/ExchangeList.h"
#include "support/FakeUi.h"
#include "support/TempDir.h"
#include "support/WriteFaults.h"

namespace {

class UnderFault : public ::testing::TestWithParam<WriteFault> {
 protected:
  void SetUp() override {
    if (GetParam() == WriteFault::ReadOnlyFolder && !PermissionsEnforced()) {
      GTEST_SKIP() << "this user may write into read-only folders (root); the folder under a plain "
                      "file stands in for a folder that refuses new files";
    }
    ASSERT_TRUE(DevFullIsDevice());
  }
};

std::string FaultName(const ::testing::TestParamInfo<WriteFault>& info) {
  return WriteFaultName(info.param);
}

constexpr const char* EarlierSettings = "0.500\r\n-1\r\n1\r\n0\r\n2\r\n";

using ProgramFilesUnderFault = UnderFault;

TEST_P(ProgramFilesUnderFault, StartAndCloseStaySilentAndKeepTheEarlierFiles) {
  FaultyFolder place(GetParam());
  AppState state;
  FakeUi ui;
  state.ProgramDir = place.folder();
  state.FilesDir = place.folder();
  state.SettingsPath = place.place(SettingsFileName, EarlierSettings);
  // A file in a read-only folder can still be written: the exchange list is
  // checked for whole lines below instead.
  state.ExchangeListPath = place.place(ExchangeListFileName, "", false);
  // A link to a device reads as an empty marker, which goes at close by rule.
  state.MarkerPath = place.place(MarkerFileName, "host\r\n", GetParam() != WriteFault::FullDevice);
  place.place(LastDirectoryFileName, "/earlier/folder\r\n");
  state.OpenDialogDir = "/where/the/user/was";
  const TempDir saves;
  const std::string saved = saves.file("data.txt");
  WriteWholeFile(saved, "x");
  ui.fields[Field::Match] = "70";

  place.arm();
  ReadSettings(state, ui);
  AppendExchangeList(state, saved);
  WriteSettings(state, ui);
  place.disarm();

  EXPECT_TRUE(ui.errors.empty());
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_TRUE(ui.questions.empty());
  EXPECT_EQ(place.damage(), "");
  const std::string list =
      RegularFileExists(state.ExchangeListPath) ? ReadWholeFile(state.ExchangeListPath) : "";
  EXPECT_TRUE(list.empty() || list == saved + "\r\n") << "no half line: " << list;
}

using SaveBitmapUnderFault = UnderFault;

TEST_P(SaveBitmapUnderFault, ShowsTheReasonAndKeepsTheEarlierPicture) {
  FaultyFolder place(GetParam());
  AppState state;
  FakeUi ui;
  state.WorkImage = Bitmap(40, 30, MakeColour(10, 20, 30));
  const std::string target = place.place("scan.BMP", "an earlier picture");
  ui.chosenFiles = {place.folder() + "/scan.bmp"};
  ui.answers = {Answer::Yes};

  place.arm();
  SaveBitmapCommand(state, ui);
  place.disarm();

  ASSERT_EQ(ui.errors.size(), 1u);
  EXPECT_EQ(ui.errors[0], "Cannot write the picture " + target + ": " + WriteFaultReason(GetParam()));
  EXPECT_EQ(place.damage(), "");
}

using SaveAsciiUnderFault = UnderFault;

TEST_P(SaveAsciiUnderFault, ShowsTheMessageKeepsTheEarlierDataAndStillAsksAtClose) {
  FaultyFolder place(GetParam());
  const TempDir program;
  AppState state;
  FakeUi ui;
  state.ExchangeListPath = program.file(ExchangeListFileName);
  WriteWholeFile(state.ExchangeListPath, "");
  state.VelocityArray = {-4.25, 1.5};
  state.CountsArray = {0.975, 1.0};
  state.DataPointCount = 2;
  state.AsciiSaved = false;
  ui.status[StatusData] = "ASCII data: 2";
  ui.status[StatusFile] = "/scans/run7.bmp";
  const std::string target = place.place("data.txt", "!Quorvix earlier data\r\n1,2\r\n");
  ui.chosenFiles = {target};
  ui.answers = {Answer::Yes};

  place.arm();
  SaveAsciiDataCommand(state, ui);
  place.disarm();

  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0], "There was an I/O error while writing to the file:" + target);
  EXPECT_FALSE(state.AsciiSaved);
  EXPECT_EQ(ReadWholeFile(state.ExchangeListPath), "");
  EXPECT_EQ(place.damage(), "");
}

INSTANTIATE_TEST_SUITE_P(EveryFault, ProgramFilesUnderFault, ::testing::ValuesIn(AllWriteFaults()),
                         FaultName);
INSTANTIATE_TEST_SUITE_P(EveryFault, SaveBitmapUnderFault, ::testing::ValuesIn(AllWriteFaults()), FaultName);
INSTANTIATE_TEST_SUITE_P(EveryFault, SaveAsciiUnderFault, ::testing::ValuesIn(AllWriteFaults()), FaultName);

}  // namespace
