#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "ScratchDir.h"
#include "Stringop/LineFile.h"

namespace {

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

TEST(LineFile, WritesTheLineWithCrLfAndOverwrites) {
  const ScratchDir scratch;
  const std::string path = scratch.file("line.cfg");
  ASSERT_TRUE(WriteLineFile(path, "a much longer first line"));
  ASSERT_TRUE(WriteLineFile(path, "C:\\data \xe4\xf6"));
  EXPECT_EQ(FileBytes(path), "C:\\data \xe4\xf6\r\n");
  std::string line;
  EXPECT_TRUE(ReadLineFile(path, line));
  EXPECT_EQ(line, "C:\\data \xe4\xf6");
}

TEST(LineFile, ReadsUpToTheFirstLineEnd) {
  const std::pair<std::string, std::string> cases[] = {
      {"abc\r\ndef\r\n", "abc"}, {"abc\ndef", "abc"},
      {"abc\rdef", "abc"},       {"abc", "abc"},
      {"\r\nabc", ""},           {"", ""},
  };
  const ScratchDir scratch;
  const std::string path = scratch.file("in.txt");
  for (const auto& [bytes, expected] : cases) {
    WriteBytes(path, bytes);
    std::string line = "previous";
    EXPECT_TRUE(ReadLineFile(path, line)) << bytes;
    EXPECT_EQ(line, expected) << bytes;
  }
}

TEST(LineFile, FailuresGiveFalseAndAnEmptyLine) {
  const ScratchDir scratch;
  std::string line = "previous";
  EXPECT_FALSE(ReadLineFile(scratch.file("missing.txt"), line));
  EXPECT_EQ(line, "");
  line = "previous";
  EXPECT_FALSE(ReadLineFile(scratch.path(), line));  // a directory
  EXPECT_EQ(line, "");

  EXPECT_FALSE(WriteLineFile(scratch.file("no-dir/line.cfg"), "x"));
  EXPECT_FALSE(WriteLineFile(scratch.path(), "x"));
  if (std::filesystem::exists("/dev/full")) {
    EXPECT_FALSE(WriteLineFile("/dev/full", "x"));  // fails only when the data is flushed
  }
}

}  // namespace
