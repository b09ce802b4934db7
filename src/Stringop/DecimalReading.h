#pragma once

#include <cstdint>
#include <string>

// Reading numbers from text.
// Independent of regional settings: the decimal separator is always the
// point and a comma is never part of a number. Texts are 8-bit strings;
// positions in comments count from 1.

// The standard decimal reading of a text: leading blanks, an optional sign,
// digits, an optional point with digits, an optional exponent, then the end.
// On success stores the value and returns true; otherwise stores in errorPos
// the 1-based position of the first character that does not fit (length + 1
// when the text ends too early, or when the value lies outside the double range).
bool ReadDecimal(const std::string& text, double& value, int& errorPos);

// Reads a whole number: optional leading blanks, an optional sign, decimal
// digits, nothing after them, within the 32-bit range.
bool ReadWholeNumber(const std::string& text, std::int32_t& value);
