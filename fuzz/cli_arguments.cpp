// quorvix-cli's argument parsing on any words: a usage error is one line
// naming the problem; an accepted command has what its kind needs; a
// rectangle that parses prints and parses back to itself.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzInput.h"
#include "cli/CliArguments.h"

namespace {

constexpr std::size_t MostWords = 24;

std::string RectText(const Rect& r) {
  return std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + "," +
         std::to_string(r.Bottom);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  std::vector<std::string> words;
  while (!in.empty() && words.size() < MostWords) words.push_back(in.text(256));

  std::string error;
  const auto command = ParseCliArguments(words, error);
  if (!command) {
    if (error.empty() || error.find('\n') != std::string::npos) FuzzFailure("usage error text: " + error);
  } else if (command->kind != CliCommand::Kind::Help && command->kind != CliCommand::Kind::Version) {
    if (command->picture.empty()) FuzzFailure("a command without a picture");
    if (command->kind == CliCommand::Kind::Extract && !command->unit) FuzzFailure("extract without --unit");
    if (command->kind == CliCommand::Kind::Edit && command->output.empty()) FuzzFailure("edit without -o");
    if (command->edits.size() > words.size()) FuzzFailure("more edits than words");
  }

  for (const std::string& word : words) {
    const auto rect = ParseRectText(word);
    if (!rect) continue;
    const auto again = ParseRectText(RectText(*rect));
    if (!again || !(*again == *rect)) FuzzFailure("the rectangle " + word + " does not print back");
  }
  return 0;
}
