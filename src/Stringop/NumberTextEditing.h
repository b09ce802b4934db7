#pragma once

#include <string>

// Typed number texts cleaned, normalised and read.
// Independent of regional settings: the decimal separator is always the
// point and a comma is never part of a number. Texts are 8-bit strings;
// positions in comments count from 1.

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
