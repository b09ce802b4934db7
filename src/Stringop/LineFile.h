#pragma once

#include <string>

// Writes line and the line end (CR LF) as the whole content of a text file.
// True when every step succeeded; a failure shows no message.
bool WriteLineFile(const std::string& path, const std::string& line);

// Reads the first line of a text file (without its line end; empty for an
// empty or unreadable file). True when every step succeeded.
bool ReadLineFile(const std::string& path, std::string& line);
