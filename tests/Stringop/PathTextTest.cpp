#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "ScratchDir.h"
#include "Stringop/PathText.h"

namespace {

using TextPair = std::pair<std::string, std::string>;

void Touch(const std::string& path) {
  std::ofstream(path) << "x";
}

TEST(PathText, FileNameOfPathTakesTheTextAfterEitherSeparator) {
  const TextPair cases[] = {
      {"C:\\tools\\prog.exe", "prog.exe"},
      {"/home/u/x.txt", "x.txt"},
      {"x.txt", "x.txt"},
      {"dir/", ""},
      {"a\\b/c", "c"},
  };
  for (const auto& [path, expected] : cases) EXPECT_EQ(FileNameOfPath(path), expected) << path;
}

TEST(PathText, RemoveExtensionCutsOnlyInTheLastElement) {
  const TextPair cases[] = {
      {"C:\\a\\pic.bmp", "C:\\a\\pic"},
      {"C:\\a.b\\pic", "C:\\a.b\\pic"},
      {"/home/u.v/file", "/home/u.v/file"},
      {"pic.tar.gz", "pic.tar"},
      {"noext", "noext"},
      {".bashrc", ""},
  };
  for (const auto& [path, expected] : cases) EXPECT_EQ(RemoveExtension(path), expected) << path;
}

TEST(PathText, DirectoryOfPathOfFilesAndDirectories) {
  const ScratchDir scratch;
  const TextPair cases[] = {
      {"C:\\tools\\prog.exe", "C:\\tools"},
      {"/nonexistent-q/sub/prog", "/nonexistent-q/sub"},
      {"/nonexistent-q/sub/", "/nonexistent-q"},  // a final separator is ignored
      {"/nonexistent-q", ""},                     // a file in the root directory
      {"C:\\", "C:\\"},                           // no separator left
      {"ab", "ab"},
      {"x", ""},  // too short
      {"", ""},
      {scratch.path(), scratch.path()},  // an existing directory is its own directory
      {scratch.path() + "/", scratch.path() + "/"},
      {scratch.file("data.txt"), scratch.path()},
  };
  for (const auto& [path, expected] : cases) EXPECT_EQ(DirectoryOfPath(path), expected) << path;
}

TEST(PathText, JoinPathAddsOneSeparator) {
  const std::string sep(1, PathSeparator);
  EXPECT_EQ(JoinPath("dir", "a.txt"), "dir" + sep + "a.txt");
  EXPECT_EQ(JoinPath("/tmp/", "a.txt"), "/tmp/a.txt");
  EXPECT_EQ(JoinPath("C:\\x\\", "a.txt"), "C:\\x\\a.txt");
  EXPECT_EQ(JoinPath("", "a.txt"), sep + "a.txt");
}

TEST(PathText, ExistenceTellsFilesFromDirectories) {
  const ScratchDir scratch;
  const std::string file = scratch.file("f.txt");
  Touch(file);
  EXPECT_TRUE(FileExists(file));
  EXPECT_FALSE(DirectoryExists(file));
  EXPECT_FALSE(FileExists(scratch.path()));
  EXPECT_TRUE(DirectoryExists(scratch.path()));
  EXPECT_FALSE(FileExists(scratch.file("missing")));
  EXPECT_FALSE(DirectoryExists(scratch.file("missing")));
  EXPECT_FALSE(FileExists(file + "/below-a-file"));
  EXPECT_FALSE(FileExists(""));
  EXPECT_FALSE(DirectoryExists(""));
}

TEST(ShortPathName, ShortensLongOrBlankElements) {
  const TextPair cases[] = {
      {"C:\\My Documents\\spectrum data.txt", "C:\\MyDocu~1\\spectr~1.txt"},
      {"C:\\data\\scan.txt", "C:\\data\\scan.txt"},  // all short: unchanged
      {"/home/u/My Data/x y.txt", "/home/u/MyData~1/xy~1.txt"},
      {"C:\\averylongname.text", "C:\\averyl~1.text"},  // extensions are not shortened
      {"C:\\abcdefgh.txt", "C:\\abcdefgh.txt"},         // eight characters still fit
      {"C:\\abcdefghi", "C:\\abcdef~1"},
      {"C:\\a.t t", "C:\\a~1.tt"},  // a blank in the extension
      {"C:\\Long Name\\", "C:\\LongNa~1\\"},
      {"//server\\share name/x", "//server\\sharen~1/x"},  // each separator kept in place
      {"relative/Some File", "relative/SomeFi~1"},
      {"", ""},
  };
  for (const auto& [path, expected] : cases) {
    EXPECT_EQ(ShortPathName(path, false), expected) << path;
    EXPECT_EQ(ShortPathName(path, true), expected) << path;
  }
}

TEST(ShortPathName, KeepsEveryElementOfDeepPaths) {
  std::string deep = "C:";
  std::string expected = "C:";
  for (int i = 0; i < 60; ++i) {
    deep += "\\d" + std::to_string(i);
    expected += "\\d" + std::to_string(i);
  }
  deep += "\\last element.txt";
  expected += "\\lastel~1.txt";
  EXPECT_EQ(ShortPathName(deep, false), expected);
}

TEST(ShortPathName, NumbersTheLastElementByTheFirstFreeName) {
  const ScratchDir scratch;
  const std::string dir = scratch.path();
  if (ShortPathName(dir, false) != dir) GTEST_SKIP() << "temporary directory path has long names: " << dir;
  const std::string sep(1, PathSeparator);

  Touch(scratch.file("spectr~1.txt"));
  Touch(scratch.file("spectr~2.txt"));
  EXPECT_EQ(ShortPathName(dir + sep + "spectrum data.txt", true), dir + sep + "spectr~3.txt");
  EXPECT_EQ(ShortPathName(dir + sep + "spectrum data.txt", false), dir + sep + "spectr~1.txt");

  // Only the last element is numbered.
  EXPECT_EQ(ShortPathName(dir + sep + "spectrum data.txt" + sep + "x", true),
            dir + sep + "spectr~1.txt" + sep + "x");

  // The count stops at 9, taken or not.
  for (int i = 3; i <= 9; ++i) Touch(scratch.file("spectr~" + std::to_string(i) + ".txt"));
  EXPECT_EQ(ShortPathName(dir + sep + "spectrum data.txt", true), dir + sep + "spectr~9.txt");
}

}  // namespace
