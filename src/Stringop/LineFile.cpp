#include "Stringop/LineFile.h"

#include <cstdio>
#include <string>

bool WriteLineFile(const std::string& path, const std::string& line) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const std::string content = line + "\r\n";
  const bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
  const bool flushed = std::fflush(file) == 0 && std::ferror(file) == 0;
  const bool closed = std::fclose(file) == 0;
  return written && flushed && closed;
}

bool ReadLineFile(const std::string& path, std::string& line) {
  line.clear();
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  std::string text;
  int c = 0;
  // The line ends at CR LF, LF, a lone CR or the end of the file.
  while ((c = std::fgetc(file)) != EOF && c != '\r' && c != '\n') text += static_cast<char>(c);
  const bool readWell = std::ferror(file) == 0;
  const bool closed = std::fclose(file) == 0;
  if (!readWell || !closed) return false;
  line = text;
  return true;
}
