#pragma once

#include <string>

#include "GraphDraw/Canvas.h"
#include "state/Bitmap.h"

// Makes `destination` the source turned a quarter turn counter-clockwise:
// source pixel (j, i) goes to destination pixel (i, height - 1 - j).
void RotateBitmap90(const Bitmap& source, Bitmap& destination);

// Fills `destination` with `text` written in `font` (rendered by `renderer`)
// and turned a quarter turn counter-clockwise, so that it reads from bottom to
// top: the font colour on white, two pixels larger than the text each way.
void TextToVerticalBitmap(const Canvas& renderer, const std::string& text, const CanvasFont& font,
                          Bitmap& destination);
