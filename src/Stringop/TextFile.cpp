#include "Stringop/TextFile.h"

#include "Stringop/PathText.h"

TextFileWriter::TextFileWriter(const std::string& path, Mode mode) {
  file_ = std::fopen(path.c_str(), mode == Mode::Append ? "ab" : "wb");
  failed_ = file_ == nullptr;
}

TextFileWriter::~TextFileWriter() {
  close();
}

void TextFileWriter::writeLine(const std::string& line) {
  if (failed_ || file_ == nullptr) return;
  if (std::fwrite(line.data(), 1, line.size(), file_) != line.size() || std::fputs("\r\n", file_) == EOF) {
    failed_ = true;
  }
}

bool TextFileWriter::close() {
  if (file_ != nullptr) {
    if (std::ferror(file_) != 0) failed_ = true;
    if (std::fclose(file_) != 0) failed_ = true;
    file_ = nullptr;
  }
  return !failed_;
}

TextFileReader::TextFileReader(const std::string& path) {
  if (!RegularFileExists(path)) {
    failed_ = true;
    return;
  }
  file_ = std::fopen(path.c_str(), "rb");
  failed_ = file_ == nullptr;
}

TextFileReader::~TextFileReader() {
  close();
}

std::string TextFileReader::readLine() {
  std::string line;
  if (failed_ || file_ == nullptr) return line;
  for (;;) {
    const int c = std::fgetc(file_);
    if (c == EOF) break;
    if (c == '\n') break;
    if (c == '\r') {
      const int next = std::fgetc(file_);
      if (next != '\n' && next != EOF) std::ungetc(next, file_);
      break;
    }
    if (line.size() == MaxLineLength) {
      failed_ = true;
      return {};
    }
    line.push_back(static_cast<char>(c));
  }
  if (std::ferror(file_) != 0) failed_ = true;
  return line;
}

bool TextFileReader::close() {
  if (file_ != nullptr) {
    if (std::fclose(file_) != 0) failed_ = true;
    file_ = nullptr;
  }
  return !failed_;
}
