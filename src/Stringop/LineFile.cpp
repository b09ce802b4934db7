#include "Stringop/LineFile.h"

#include <string>
#include <utility>

#include "Stringop/FileReplacing.h"
#include "Stringop/TextFile.h"

bool WriteLineFile(const std::string& path, const std::string& line) {
  // An earlier file stays whole when the new one cannot be written completely.
  return WriteFileReplacing(path, line + "\r\n");
}

bool ReadLineFile(const std::string& path, std::string& line) {
  line.clear();
  TextFileReader reader(path);
  std::string text = reader.readLine();
  if (!reader.close()) return false;
  line = std::move(text);
  return true;
}
