#pragma once

#include <string>

// Writes line and the line end (CR LF) as the whole content of a text file.
// True when every step succeeded; a failure shows no message and leaves an
// earlier file of that name as it was.
bool WriteLineFile(const std::string& path, const std::string& line);

// Reads the first line of a text file (without its line end; empty for an
// empty or unreadable file). True when every step succeeded; a device, a
// pipe or a line longer than TextFileReader::MaxLineLength fails.
bool ReadLineFile(const std::string& path, std::string& line);
