#pragma once

#include <cstdint>
#include <string>

#include "image/PictureLimits.h"
#include "state/Bitmap.h"

// The picture-file codec: every picture format and BMP variant the platform's
// image reader knows is read into a 24-bit bitmap; pictures are written as
// 24-bit BMP files. On failure `error` names the problem and `out` is unchanged.
//
// A picture larger than `maxPixels` (or the side limit) is refused from the
// size its header announces, before its pixels are decoded.
bool LoadBitmapFile(const std::string& path, Bitmap& out, std::string& error,
                    std::int64_t maxPixels = MaxPicturePixels);

// The file is replaced only by a complete picture: a failed save leaves an
// earlier file of that name as it was and no partial file.
bool SaveBitmapFile(const std::string& path, const Bitmap& picture, std::string& error);

// The same as a PNG file.
bool SavePngFile(const std::string& path, const Bitmap& picture, std::string& error);

// A picture as the bytes of a PNG file, and back: a PNG of at most
// `maxWidth` x `maxHeight` pixels read from memory. On failure `error` says
// why and `out` is unchanged.
std::string EncodePng(const Bitmap& picture);
bool DecodePng(const std::string& bytes, int maxWidth, int maxHeight, Bitmap& out, std::string& error);
