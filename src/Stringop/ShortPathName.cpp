#include <algorithm>
#include <string>
#include <vector>

#include "Stringop/PathText.h"

namespace {

constexpr std::size_t kShortNameLength = 6;
constexpr std::size_t kLongestKeptName = 8;
constexpr int kLastNumber = 9;

struct PathElement {
  char separatorBefore = '\0';  // '\0' for the first element
  std::string text;
};

// Splits at either separator, remembering which one stood before each element.
std::vector<PathElement> SplitPath(const std::string& path) {
  std::vector<PathElement> elements(1);
  for (const char c : path) {
    if (IsPathSeparator(c)) {
      elements.push_back({c, {}});
    } else {
      elements.back().text += c;
    }
  }
  return elements;
}

void RemoveBlanks(std::string& text) {
  text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
}

}  // namespace

std::string ShortPathName(const std::string& path, bool numberLast) {
  const std::vector<PathElement> elements = SplitPath(path);
  std::string result = elements.front().text;
  for (std::size_t i = 1; i < elements.size(); ++i) {
    const char separator = elements[i].separatorBefore;
    std::string element = elements[i].text;
    const std::size_t point = element.rfind('.');
    std::string name = element.substr(0, point);
    std::string extension = point == std::string::npos ? std::string() : element.substr(point);
    const bool hasBlank = name.find(' ') != std::string::npos || extension.find(' ') != std::string::npos;
    if (hasBlank || name.size() > kLongestKeptName) {
      RemoveBlanks(name);
      RemoveBlanks(extension);
      name = name.substr(0, kShortNameLength) + "~";
      int number = 1;
      if (numberLast && i + 1 == elements.size()) {
        // The first number whose file is still free, but never beyond 9.
        while (number < kLastNumber &&
               FileExists(result + separator + name + std::to_string(number) + extension)) {
          ++number;
        }
      }
      element = name + std::to_string(number) + extension;
    }
    result += separator;
    result += element;
  }
  return result;
}
