#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "Stringop/FileReplacing.h"
#include "Stringop/LineFile.h"
#include "Stringop/TextFile.h"
#include "support/TempDir.h"
#include "support/WriteFaults.h"

namespace fs = std::filesystem;

namespace {

int TemporaryFilesIn(const std::string& folder) {
  int count = 0;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().filename().string().find(".tmp") != std::string::npos) ++count;
  }
  return count;
}

TEST(WriteFileReplacing, ReplacesTheWholeFileAndKeepsItsPermissionsAndLinks) {
  const TempDir dir;
  const std::string path = dir.file("data.txt");
  WriteWholeFile(path, "a much longer earlier content\r\n");
  const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  fs::permissions(path, mode);
  std::string reason = "untouched";
  ASSERT_TRUE(WriteFileReplacing(path, "new\r\n", &reason));
  EXPECT_EQ(ReadWholeFile(path), "new\r\n");
  EXPECT_EQ(fs::status(path).permissions() & fs::perms::all, mode);
  EXPECT_EQ(reason, "untouched");

  // Through a link the file behind it changes and the link stays a link.
  const std::string link = dir.file("link.txt");
  fs::create_symlink(path, link);
  ASSERT_TRUE(WriteFileReplacing(link, "through the link\r\n"));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadWholeFile(path), "through the link\r\n");
  EXPECT_EQ(TemporaryFilesIn(dir.path()), 0);
}

TEST(WriteFileReplacing, RefusesWhatMustNotBeReplacedWithTheSystemsReason) {
  const TempDir dir;
  const std::string readOnly = dir.file("read-only.txt");
  WriteWholeFile(readOnly, "keep\r\n");
  fs::permissions(readOnly, fs::perms::owner_read | fs::perms::group_read);
  fs::create_directory(dir.file("folder"));
  WriteWholeFile(dir.file("plain"), "x");
  struct Case {
    std::string path;
    std::errc reason;
  };
  // A file marked read-only is refused even where the system would let this
  // user replace it (root).
  for (const Case& c :
       {Case{readOnly, std::errc::permission_denied}, Case{dir.file("folder"), std::errc::is_a_directory},
        Case{dir.file("plain/inside.txt"), std::errc::not_a_directory},
        Case{dir.file("missing/inside.txt"), std::errc::no_such_file_or_directory},
        Case{"", std::errc::no_such_file_or_directory}}) {
    SCOPED_TRACE(c.path);
    std::string reason;
    EXPECT_FALSE(WriteFileReplacing(c.path, "data", &reason));
    EXPECT_EQ(reason, std::make_error_code(c.reason).message());
  }
  EXPECT_EQ(ReadWholeFile(readOnly), "keep\r\n");
  EXPECT_TRUE(fs::is_directory(dir.file("folder")));
  EXPECT_EQ(TemporaryFilesIn(dir.path()), 0);
}

TEST(WriteFileReplacing, DevicesAreWrittenInPlaceAndNeverReplaced) {
  if (!DevFullIsDevice() || !fs::is_character_file("/dev/null")) GTEST_SKIP() << "no /dev/full or /dev/null";
  std::string reason;
  EXPECT_FALSE(WriteFileReplacing("/dev/full", "data", &reason));
  EXPECT_EQ(reason, std::make_error_code(std::errc::no_space_on_device).message());
  EXPECT_TRUE(WriteFileReplacing("/dev/null", "data"));
  // Through a link as well: the link stays, the device stays.
  const TempDir dir;
  fs::create_symlink("/dev/full", dir.file("full"));
  EXPECT_FALSE(WriteLineFile(dir.file("full"), "x"));
  EXPECT_TRUE(fs::is_symlink(dir.file("full")));
  EXPECT_TRUE(DevFullIsDevice());
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
  EXPECT_EQ(TemporaryFilesIn(dir.path()), 0);
}

TEST(TextFileReader, DevicesAndEndlessLinesAreFailedReadsNotHangs) {
  const TempDir dir;
  const std::string longLine = dir.file("long.txt");
  WriteWholeFile(longLine, std::string(TextFileReader::MaxLineLength + 1, '7') + "\r\n");
  const std::string longestLine = dir.file("longest.txt");
  WriteWholeFile(longestLine, std::string(TextFileReader::MaxLineLength, '7') + "\r\nnext\r\n");
  const std::string zeros = dir.file("zeros");
  fs::create_symlink("/dev/zero", zeros);
  struct Case {
    std::string path;
    bool readable;
  };
  for (const Case& c : {Case{"/dev/zero", false}, Case{zeros, false}, Case{"/dev/full", false},
                        Case{longLine, false}, Case{longestLine, true}}) {
    SCOPED_TRACE(c.path);
    std::string line = "previous";
    EXPECT_EQ(ReadLineFile(c.path, line), c.readable);
    EXPECT_EQ(line.size(), c.readable ? TextFileReader::MaxLineLength : 0u);
  }
  TextFileReader reader(longestLine);
  EXPECT_EQ(reader.readLine().size(), TextFileReader::MaxLineLength);
  EXPECT_EQ(reader.readLine(), "next");
  EXPECT_TRUE(reader.close());
}

}  // namespace
