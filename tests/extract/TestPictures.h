#pragma once

#include <initializer_list>
#include <map>
#include <string>

#include "state/Bitmap.h"

// A bitmap drawn as text: one string per row, '.' white, other characters
// looked up in `palette` (default: 'X' black, 'R' red, 'G' green, 'B' blue).
Bitmap PictureFromArt(std::initializer_list<std::string> rows, const std::map<char, Colour>& palette = {});

// Copies the non-white pixels of `symbol` onto `picture` with its top-left
// corner at (left, top); parts outside the picture are dropped.
void StampSymbol(Bitmap& picture, const Bitmap& symbol, int left, int top);
