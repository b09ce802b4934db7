#include "Stringop/NumberTextEditing.h"

#include <cmath>
#include <string>

#include "Stringop/DecimalReading.h"

namespace {

bool IsNumberChar(char c) {
  return c == '+' || c == '-' || c == '.' || (c >= '0' && c <= '9');
}
bool IsNumberOrExponentChar(char c) {
  return IsNumberChar(c) || c == 'E' || c == 'e';
}

// Moves the point at index `point` of s by k places (1 <= |k| <= 8), one
// exchange at a time; zeros are added where the point runs off either end, and
// a sign is kept in front of a leading "0.".
void MoveDecimalPoint(std::string& s, std::size_t point, int k) {
  const bool right = k > 0;
  for (int step = 0; step < std::abs(k); ++step) {
    if (right && point + 1 < s.size()) {
      std::swap(s[point], s[point + 1]);
      ++point;
    } else if (!right && point > 0) {
      std::swap(s[point], s[point - 1]);
      --point;
      if (point == 1 && (s[0] == '+' || s[0] == '-')) {
        s.insert(1, 1, '0');
        point = 2;
      }
    } else if (right) {  // the point is last
      s[point] = '0';
      s += '.';
      point = s.size() - 1;
    } else {  // the point is first
      s.erase(0, 1);
      s.insert(0, ".0");
      point = 0;
    }
  }
}

// Exactly `digits` characters after the first point: zeros appended, extra
// characters cut off (never rounded). A leading point gets a "0" in front and
// a trailing point is dropped.
void FixDecimals(std::string& s, int digits) {
  const std::size_t point = s.find('.');
  if (point != std::string::npos) {
    const long long wanted = static_cast<long long>(point) + 1 + digits;
    if (wanted > static_cast<long long>(s.size())) {
      s.append(static_cast<std::size_t>(wanted) - s.size(), '0');
    } else if (wanted < static_cast<long long>(s.size())) {
      s.resize(wanted > 0 ? static_cast<std::size_t>(wanted) : 0);
    }
  }
  if (s.empty()) return;
  if (s.front() == '.') s.insert(0, 1, '0');
  if (s.back() == '.') s.pop_back();
}

}  // namespace

void KeepNumericPrefix(std::string& text) {
  std::size_t first = 0;
  while (first < text.size() && !IsNumberChar(text[first])) ++first;
  text.erase(0, first);
  std::size_t end = 0;
  while (end < text.size() && IsNumberOrExponentChar(text[end])) ++end;
  text.resize(end);
}

void CleanNumberText(std::string& text) {
  KeepNumericPrefix(text);
  while (!text.empty()) {
    double value = 0.0;
    int errorPos = 0;
    if (ReadDecimal(text, value, errorPos)) return;
    const auto cut = static_cast<std::size_t>(errorPos - 1);
    // A reading that fails only after the last character (a lone sign, an
    // exponent without digits, a value beyond the double range) loses the
    // last character, so the loop always ends.
    if (cut < text.size()) {
      text.resize(cut);
    } else {
      text.pop_back();
    }
  }
}

void NormaliseNumberText(std::string& text, int digits) {
  std::string s;
  const std::size_t e = text.find('E');
  if (e != std::string::npos) {
    std::string exponentText = text.substr(e + 1);
    KeepNumericPrefix(exponentText);
    double exponent = 0.0;
    int errorPos = 0;
    if (!ReadDecimal(exponentText, exponent, errorPos) || std::fabs(exponent) > 8.0) return;
    const int k = static_cast<int>(std::trunc(exponent));
    s = text.substr(0, e);
    KeepNumericPrefix(s);
    const std::size_t point = s.find('.');
    if (point == std::string::npos) return;
    if (k != 0) MoveDecimalPoint(s, point, k);
  } else {
    s = text;
    KeepNumericPrefix(s);
  }
  FixDecimals(s, digits);
  text = s;
}

double TextToNumber(const std::string& text, int digits) {
  std::string s = text;
  NormaliseNumberText(s, digits);
  double value = 0.0;
  int errorPos = 0;
  if (ReadDecimal(s, value, errorPos)) return value;
  KeepNumericPrefix(s);
  if (ReadDecimal(s, value, errorPos)) return value;
  return 0.0;
}
