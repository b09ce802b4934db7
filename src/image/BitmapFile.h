#pragma once

#include <string>

#include "image/Bitmap.h"

// The picture-file codec: every picture format and BMP variant the platform's
// image reader knows is read into a 24-bit bitmap; pictures are written as
// 24-bit BMP files. On failure `error` names the problem and `out` is unchanged.
bool LoadBitmapFile(const std::string& path, Bitmap& out, std::string& error);
bool SaveBitmapFile(const std::string& path, const Bitmap& picture, std::string& error);
