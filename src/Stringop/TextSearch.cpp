#include <string>
#include <vector>

#include "Stringop/PathText.h"

// The searches below restart one character after the start of each match, so
// overlapping occurrences count ("aa" occurs twice in "aaa").

int CountOccurrences(const std::string& sub, const std::string& text) {
  if (sub.empty()) return 0;
  int count = 0;
  for (std::size_t at = text.find(sub); at != std::string::npos; at = text.find(sub, at + 1)) ++count;
  return count;
}

int PosOfNth(const std::string& sub, const std::string& text, int n) {
  if (sub.empty() || n <= 0) return 0;
  std::size_t at = text.find(sub);
  for (int found = 1; found < n && at != std::string::npos; ++found) at = text.find(sub, at + 1);
  return at == std::string::npos ? 0 : static_cast<int>(at + 1);
}

int LastPos(const std::string& sub, const std::string& text) {
  return PosOfNth(sub, text, CountOccurrences(sub, text));
}

std::vector<std::string> SplitText(const std::string& text, int n, const std::string& sep) {
  std::vector<std::string> pieces;
  if (n < 0) return pieces;
  pieces.reserve(static_cast<std::size_t>(n) + 1);
  std::string rest = text;
  for (int i = 0; i <= n; ++i) {
    const std::size_t at = sep.empty() ? std::string::npos : rest.find(sep);
    if (at == std::string::npos) {
      pieces.push_back(rest);
      rest.clear();
    } else {
      // Only the first character of the separator is consumed.
      pieces.push_back(rest.substr(0, at));
      rest.erase(0, at + 1);
    }
  }
  return pieces;
}
