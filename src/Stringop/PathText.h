#pragma once

#include <string>
#include <vector>

// Text and path helpers. Paths accept both "/" and "\" as separators.

#ifdef _WIN32
constexpr char PathSeparator = '\\';
#else
constexpr char PathSeparator = '/';
#endif

inline bool IsPathSeparator(char c) {
  return c == '/' || c == '\\';
}

// dir + separator + name.
std::string JoinPath(const std::string& dir, const std::string& name);

// Number of finds of sub in text (each search restarts after the first
// character of the previous match).
int CountOccurrences(const std::string& sub, const std::string& text);
// Position (from 1) of the n-th find in the same search; 0 when there are
// fewer than n or n is 0.
int PosOfNth(const std::string& sub, const std::string& text, int n);
// Position (from 1) of the last find; 0 when sub does not occur.
int LastPos(const std::string& sub, const std::string& text);

// Exactly n + 1 pieces of text split at sep; text after the last piece is dropped.
std::vector<std::string> SplitText(const std::string& text, int n, const std::string& sep);

// The text after the last separator; the path itself when it has none.
std::string FileNameOfPath(const std::string& path);
// The directory of a path: the path itself when it names an existing
// directory, else the text before its last separator. Texts shorter than two
// characters give an empty result.
std::string DirectoryOfPath(const std::string& path);
// The path without the extension of its last element.
std::string RemoveExtension(const std::string& path);

// The 8.3-style short form of a path; with numberLast the last element is
// numbered by the first free name.
std::string ShortPathName(const std::string& path, bool numberLast);

// File system queries used by the helpers and the commands.
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
// A plain file (links followed): neither a directory nor a device or pipe.
bool RegularFileExists(const std::string& path);
