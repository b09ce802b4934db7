#pragma once

#include <cstdio>
#include <string>

// Text files with deferred error checking: after the first failing operation
// the following ones do nothing, and the status is collected once, at close.
// Lines are single-byte text ended by CR LF.

class TextFileWriter {
 public:
  enum class Mode { Truncate, Append };

  TextFileWriter(const std::string& path, Mode mode);
  ~TextFileWriter();
  TextFileWriter(const TextFileWriter&) = delete;
  TextFileWriter& operator=(const TextFileWriter&) = delete;

  void writeLine(const std::string& line);
  // Closes the file; true when every operation from opening on succeeded.
  bool close();

 private:
  std::FILE* file_ = nullptr;
  bool failed_ = false;
};

// Reads only plain files (a device or a pipe could hand out an endless line)
// and lines of at most MaxLineLength characters; anything else is a failed read.
class TextFileReader {
 public:
  static constexpr std::size_t MaxLineLength = std::size_t{1} << 20;

  explicit TextFileReader(const std::string& path);
  ~TextFileReader();
  TextFileReader(const TextFileReader&) = delete;
  TextFileReader& operator=(const TextFileReader&) = delete;

  // The next line without its end (CR LF, LF or a lone CR); empty text once
  // the end of the file is reached.
  std::string readLine();
  // Closes the file; true when it opened and every read succeeded.
  bool close();

 private:
  std::FILE* file_ = nullptr;
  bool failed_ = false;
};
