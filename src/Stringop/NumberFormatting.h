#pragma once

#include <string>

// Numbers written as text.
// Independent of regional settings: the decimal separator is always the
// point and a comma is never part of a number. Texts are 8-bit strings;
// positions in comments count from 1.

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
