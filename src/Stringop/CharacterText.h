#pragma once

#include <string>

// Characters below 32 or equal to 255 become blanks; outer blanks are removed.
std::string TrimControlChars(const std::string& text);
// a-z become A-Z; other characters stay.
std::string UpperCaseText(const std::string& text);
