#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QStandardPaths>
#include <filesystem>

#include "app/Lifecycle.h"
#include "app/Settings.h"
#include "support/FakeUi.h"
#include "support/TempDir.h"

// Installed under /usr/bin the program cannot write its own folder: its four
// files then live in the user's configuration folder. Run as a user other
// than root (tests/nonroot/as_user.sh), for whom a read-only folder is one.
namespace {

std::string ConfigFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation).toStdString();
}

bool IsEmptyFolder(const std::string& path) {
  return std::filesystem::is_empty(path);
}

// A program folder the user may read but not write, made writable again at
// the end so that it can be removed.
class ReadOnlyFolder {
 public:
  ReadOnlyFolder() { chmod(dir_.path().c_str(), 0555); }
  ~ReadOnlyFolder() { chmod(dir_.path().c_str(), 0755); }
  const TempDir& dir() const { return dir_; }

 private:
  TempDir dir_;
};

}  // namespace

TEST(ProgramFiles, LiveInTheUsersConfigurationWhenTheProgramsFolderIsReadOnly) {
  ASSERT_NE(geteuid(), 0u) << "run through tests/nonroot/as_user.sh";
  QCoreApplication::setApplicationName("Quorvix");
  std::filesystem::remove_all(ConfigFolder());
  const ReadOnlyFolder program;
  const TempDir pictures;

  AppState state;
  FakeUi ui;
  StartUp(state, ui, program.dir().file("quorvix"));
  const std::string config = ConfigFolder();
  EXPECT_EQ(state.FilesDir, config);
  EXPECT_EQ(state.SettingsPath, config + "/" + SettingsFileName);
  EXPECT_EQ(state.ExchangeListPath, config + "/" + ExchangeListFileName);
  EXPECT_EQ(state.MarkerPath, config + "/" + MarkerFileName);
  // The start made the exchange list and the marker there; an installed
  // program's folder is no place to look for pictures.
  EXPECT_TRUE(std::filesystem::exists(state.ExchangeListPath));
  EXPECT_TRUE(std::filesystem::exists(state.MarkerPath));
  EXPECT_EQ(state.OpenDialogDir, std::string(qgetenv("HOME")));

  // The close writes the settings and the last directory there, and the next
  // start reads them back.
  state.AsciiSaved = true;
  state.OpenDialogDir = pictures.path();
  ui.fields = {{Field::Match, "60"},
               {Field::Vmin, "-12.5"},
               {Field::Vmax, "12.5"},
               {Field::Min, "0.9"},
               {Field::Max, "1"}};
  ASSERT_TRUE(CloseMainWindow(state, ui));
  EXPECT_TRUE(std::filesystem::exists(config + "/" + SettingsFileName));
  EXPECT_TRUE(std::filesystem::exists(LastDirectoryPath(state)));
  EXPECT_TRUE(IsEmptyFolder(program.dir().path()));

  AppState next;
  FakeUi nextUi;
  StartUp(next, nextUi, program.dir().file("quorvix"));
  EXPECT_EQ(next.OpenDialogDir, pictures.path());
  EXPECT_DOUBLE_EQ(next.VminValue, -12.5);
}

TEST(ProgramFiles, StayBesideAProgramWhoseFolderCanBeWritten) {
  QCoreApplication::setApplicationName("Quorvix");
  std::filesystem::remove_all(ConfigFolder());
  const TempDir program;
  AppState state;
  FakeUi ui;
  StartUp(state, ui, program.file("quorvix"));
  EXPECT_EQ(state.FilesDir, program.path());
  EXPECT_EQ(state.SettingsPath, program.file(SettingsFileName));
  EXPECT_EQ(state.OpenDialogDir, program.path());
  EXPECT_TRUE(std::filesystem::exists(program.file(ExchangeListFileName)));
  EXPECT_FALSE(std::filesystem::exists(ConfigFolder()));
}
