#include "output/ExchangeList.h"

#include <cstdint>
#include <filesystem>
#include <system_error>

#include "Stringop/PathText.h"
#include "Stringop/TextFile.h"

void AppendExchangeList(const AppState& state, const std::string& path) {
  AppendExchangeList(state, path, path);
}

void AppendExchangeList(const AppState& state, const std::string& line, const std::string& savedPath) {
  if (!FileExists(savedPath)) return;
  // A line that cannot be written whole is taken back, so that the host never
  // reads half a path (a full disk).
  std::error_code error;
  const bool regular = RegularFileExists(state.ExchangeListPath);
  const std::uintmax_t sizeBefore = regular ? std::filesystem::file_size(state.ExchangeListPath, error) : 0;
  TextFileWriter list(state.ExchangeListPath, TextFileWriter::Mode::Append);
  list.writeLine(line);
  if (!list.close() && regular && !error)
    std::filesystem::resize_file(state.ExchangeListPath, sizeBefore, error);
}
