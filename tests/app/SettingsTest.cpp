#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "app/Lifecycle.h"
#include "app/Settings.h"
#include "output/ExchangeList.h"
#include "support/FakeUi.h"
#include "support/TempDir.h"

namespace {

// A program directory with the state's paths pointing into it, as start-up
// would set them.
struct ProgramFolder {
  TempDir dir;
  AppState state;
  FakeUi ui;

  ProgramFolder() {
    state.ProgramDir = dir.path();
    state.FilesDir = dir.path();
    state.SettingsPath = dir.file("Quorvix.cfg");
    state.ExchangeListPath = dir.file("QuorvixFile.txt");
    state.MarkerPath = dir.file("QVID00FF.QVF");
    state.OpenDialogDir = dir.path();
  }
  bool exists(const std::string& name) const { return std::filesystem::exists(dir.file(name)); }
};

TEST(ReadSettings, ClampsTheMatchAndShowsTheValuesInTheFields) {
  struct Case {
    std::string firstLine;
    std::string matchField;
    double fraction;
  };
  for (const Case& c : {Case{"1.5", "100", 1.0}, Case{"-0.2", "0", 0.0}, Case{"0.625", "62", 0.625},
                        Case{"0.635", "64", 0.635}, Case{"junk", "0", 0.0}}) {
    SCOPED_TRACE(c.firstLine);
    ProgramFolder f;
    WriteWholeFile(f.state.SettingsPath, c.firstLine + "\r\n-4.25\r\n4.5\r\n0.95\r\n1.02\r\n");
    ReadSettings(f.state, f.ui);
    EXPECT_DOUBLE_EQ(f.state.MatchFraction, c.fraction);
    EXPECT_EQ(f.ui.fields[Field::Match], c.matchField);
    EXPECT_EQ(f.ui.fields[Field::Vmin], "-4.250");
    EXPECT_EQ(f.ui.fields[Field::Vmax], "4.500");
    EXPECT_EQ(f.ui.fields[Field::Min], "0.950");
    EXPECT_EQ(f.ui.fields[Field::Max], "1.020");
  }
}

TEST(ReadSettings, ShortFileReadsMissingLinesAsZeroAndLineEndsMayBeBare) {
  ProgramFolder f;
  WriteWholeFile(f.state.SettingsPath, "0.5\n-3\r2\n");
  ReadSettings(f.state, f.ui);
  EXPECT_DOUBLE_EQ(f.state.VminValue, -3.0);
  EXPECT_DOUBLE_EQ(f.state.VmaxValue, 2.0);
  EXPECT_DOUBLE_EQ(f.state.MinValue, 0.0);
  EXPECT_DOUBLE_EQ(f.state.MaxValue, 0.0);
  EXPECT_EQ(f.ui.fields[Field::Min], "0");
  EXPECT_EQ(f.ui.fields[Field::Max], "0");
}

TEST(ReadSettings, WithoutSettingsFileTheFieldsKeepTheirTexts) {
  ProgramFolder f;
  ReadSettings(f.state, f.ui);
  EXPECT_EQ(f.ui.fields[Field::Match], "60");
  EXPECT_EQ(f.ui.fields[Field::Vmin], "-5.0");
  EXPECT_DOUBLE_EQ(f.state.MatchFraction, 0.75);
  EXPECT_DOUBLE_EQ(f.state.VminValue, -10.0);
}

TEST(ReadSettings, UnreadableSettingsLeaveTheFieldsAlone) {
  ProgramFolder f;
  std::filesystem::create_directory(f.state.SettingsPath);  // exists, but cannot be read as a file
  ReadSettings(f.state, f.ui);
  EXPECT_EQ(f.ui.fields[Field::Vmax], "5.0");
}

TEST(ReadSettings, EmptiesTheExchangeListAndTakesAnExistingLastDirectory) {
  ProgramFolder f;
  WriteWholeFile(f.state.ExchangeListPath, "old.txt\r\n");
  const std::string pictures = f.dir.file("pictures");
  std::filesystem::create_directory(pictures);
  WriteWholeFile(LastDirectoryPath(f.state), pictures + "\r\n");
  ReadSettings(f.state, f.ui);
  EXPECT_EQ(ReadWholeFile(f.state.ExchangeListPath), "");
  EXPECT_EQ(f.state.OpenDialogDir, pictures);

  ProgramFolder gone;
  WriteWholeFile(LastDirectoryPath(gone.state), gone.dir.file("no-such-folder") + "\r\n");
  ReadSettings(gone.state, gone.ui);
  EXPECT_EQ(gone.state.OpenDialogDir, gone.dir.path());
}

TEST(WriteSettings, WritesFiveLinesWithThreeDecimalsAndTheLastDirectory) {
  ProgramFolder f;
  f.ui.fields[Field::Match] = "150";
  f.ui.fields[Field::Vmin] = "-12.34567";
  f.ui.fields[Field::Vmax] = "abc";
  f.state.OpenDialogDir = "/some/where";
  WriteSettings(f.state, f.ui);
  EXPECT_EQ(ReadWholeFile(f.state.SettingsPath), "1.500\r\n-12.345\r\n0\r\n0.900\r\n1\r\n");
  EXPECT_EQ(ReadWholeFile(LastDirectoryPath(f.state)), "/some/where\r\n");

  // The next start shows the stored match clamped to 100.
  FakeUi next;
  ReadSettings(f.state, next);
  EXPECT_EQ(next.fields[Field::Match], "100");
}

TEST(MarkerFile, RulesAtStartAndClose) {
  struct Case {
    const char* name;
    std::optional<std::string> before;  // content of a marker present before the start
    bool survives;
  };
  for (const Case& c : {Case{"created by this run", std::nullopt, false},
                        Case{"empty and foreign", "", false}, Case{"non-empty and foreign", "host", true}}) {
    SCOPED_TRACE(c.name);
    ProgramFolder f;
    if (c.before) WriteWholeFile(f.state.MarkerPath, *c.before);
    ReadSettings(f.state, f.ui);
    EXPECT_TRUE(f.exists("QVID00FF.QVF"));
    EXPECT_EQ(f.state.MarkerCreated, !c.before.has_value());
    WriteSettings(f.state, f.ui);
    EXPECT_EQ(f.exists("QVID00FF.QVF"), c.survives);
  }
}

TEST(ExchangeList, AppendsOnlyExistingFilesOneLineEach) {
  ProgramFolder f;
  ReadSettings(f.state, f.ui);
  const std::string saved = f.dir.file("run7.txt");
  WriteWholeFile(saved, "x");
  AppendExchangeList(f.state, saved);
  AppendExchangeList(f.state, f.dir.file("missing.txt"));
  AppendExchangeList(f.state, saved);
  EXPECT_EQ(ReadWholeFile(f.state.ExchangeListPath), saved + "\r\n" + saved + "\r\n");
}

TEST(CloseMainWindow, AsksOnlyForUnsavedDataAndWritesOnlyWhenClosing) {
  ProgramFolder f;
  f.state.VelocityArray = {1.0};
  f.state.CountsArray = {2.0};
  EXPECT_TRUE(CloseMainWindow(f.state, f.ui));
  EXPECT_TRUE(f.ui.questions.empty());
  EXPECT_TRUE(f.exists("Quorvix.cfg"));
  EXPECT_TRUE(f.state.VelocityArray.empty());
  EXPECT_TRUE(f.state.CountsArray.empty());

  ProgramFolder unsaved;
  unsaved.state.AsciiSaved = false;
  unsaved.state.VelocityArray = {1.0};
  unsaved.state.CountsArray = {2.0};
  unsaved.ui.answers = {Answer::No};
  EXPECT_FALSE(CloseMainWindow(unsaved.state, unsaved.ui));
  ASSERT_EQ(unsaved.ui.questions.size(), 1u);
  EXPECT_EQ(unsaved.ui.questions[0].text, "There wasn't any ASCII file saved yet. Exit anyway ?");
  EXPECT_EQ(unsaved.ui.questions[0].type, QuestionType::Warning);
  EXPECT_EQ(unsaved.ui.questions[0].buttons, QuestionButtons::YesNo);
  EXPECT_FALSE(unsaved.exists("Quorvix.cfg"));
  EXPECT_FALSE(unsaved.exists("QuorvixDir.cfg"));
  EXPECT_EQ(unsaved.state.VelocityArray.size(), 1u);

  unsaved.ui.answers = {Answer::Yes};
  EXPECT_TRUE(CloseMainWindow(unsaved.state, unsaved.ui));
  EXPECT_TRUE(unsaved.exists("Quorvix.cfg"));
  EXPECT_TRUE(unsaved.exists("QuorvixDir.cfg"));
}

TEST(StartUp, DerivesThePathsFromTheExecutableAndSetsThePreviewCaptions) {
  TempDir dir;
  AppState state;
  FakeUi ui;
  state.VelocityArray = {1.0};
  StartUp(state, ui, dir.file("quorvix"));
  EXPECT_EQ(state.ProgramDir, dir.path());
  EXPECT_EQ(state.SettingsPath, dir.path() + "/Quorvix.cfg");
  EXPECT_EQ(state.ExchangeListPath, dir.path() + "/QuorvixFile.txt");
  EXPECT_EQ(state.MarkerPath, dir.path() + "/QVID00FF.QVF");
  EXPECT_EQ(state.OpenDialogDir, dir.path());
  EXPECT_TRUE(state.VelocityArray.empty());
  EXPECT_EQ(state.DataPointCount, 0);
  EXPECT_EQ(state.PlotCaptions.TitleRight, "ASCII form of the data");
  EXPECT_EQ(state.PlotCaptions.XCaption, "v [mm/s]");
  EXPECT_EQ(state.PlotCaptions.YCaption, "Counts");
  EXPECT_EQ(state.PlotCaptions.TitleLeft, "");
  EXPECT_FALSE(state.PlotCaptions.XMajorGrid);
}

}  // namespace
