#include "Stringop/CharacterText.h"

#include <string>

std::string TrimControlChars(const std::string& text) {
  std::string result = text;
  for (char& c : result) {
    const auto code = static_cast<unsigned char>(c);
    if (code < 32 || code == 255) c = ' ';
  }
  const std::size_t first = result.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  const std::size_t last = result.find_last_not_of(' ');
  return result.substr(first, last - first + 1);
}

std::string UpperCaseText(const std::string& text) {
  std::string result = text;
  for (char& c : result) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return result;
}
