#pragma once

#include <cstdint>
#include <string>

#include "Stringop/MessageSink.h"

// Conversions between numbers and text, independent of regional settings:
// the decimal separator is always the point and a comma is never part of a
// number. Texts are 8-bit strings; positions in comments count from 1.

// The standard decimal reading of a text: leading blanks, an optional sign,
// digits, an optional point with digits, an optional exponent, then the end.
// On success stores the value and returns true; otherwise stores in errorPos
// the 1-based position of the first character that does not fit (length + 1
// when the text ends too early, or when the value lies outside the double range).
bool ReadDecimal(const std::string& text, double& value, int& errorPos);

// Drops leading characters that are not number characters (+ - . 0-9), then
// cuts before the first character that is not a number-or-exponent character.
void KeepNumericPrefix(std::string& text);

// Cuts a typed text back to the longest leading part that reads as a decimal
// number (possibly empty). Always ends.
void CleanNumberText(std::string& text);

// Moves a E-exponent of at most 8 into the digits and fixes the count of
// decimals to `digits` (cut, not rounded).
void NormaliseNumberText(std::string& text, int digits);

// Text to number; unreadable text gives 0. Never fails, whatever the text.
double TextToNumber(const std::string& text, int digits);

// Reads a whole number: optional leading blanks, an optional sign, decimal
// digits, nothing after them, within the 32-bit range.
bool ReadWholeNumber(const std::string& text, std::int32_t& value);

// Number to text with `digits` decimals, cut rather than rounded after a
// rounding to digits + 1 decimals; whole numbers have no point; exponents of
// at most 8 are written out as plain decimals.
std::string FormatNumber(int digits, double x);

// Shortest text of the scientific form (1.5 -> "1.5", 0.25 -> "2.5E-1",
// 150.0 -> "150").
std::string ShortNumberText(double x);

// The 23-character scientific text: blank or "-", one digit, ".", 14 digits,
// "E", sign and four exponent digits.
std::string ScientificText(double x);

// Nearest integer, halves to even, for magnitudes below 2147483646. Otherwise
// (also for NaN) sends "ERROR IN MYROUND ROUTINE" to `sink` and gives 2147483647.
int RoundToInt(double x, MessageSink& sink);
// Same rounding without a message; false when out of range.
bool TryRoundToInt(double x, int& result);

// The integer part (toward zero) for magnitudes below 2147483646, else 2147483647.
int TruncToInt(double x);

// Characters below 32 or equal to 255 become blanks; outer blanks are removed.
std::string TrimControlChars(const std::string& text);
// a-z become A-Z; other characters stay.
std::string UpperCaseText(const std::string& text);
