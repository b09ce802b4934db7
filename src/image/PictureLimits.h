#pragma once

#include <cstdint>
#include <string>

// The largest pictures Quorvix works on. A picture is held up to four times
// at once (the working, committed and loaded copies and an edit's
// temporary), four bytes a pixel, so 64 megapixels already ask for a
// gigabyte. The side limit keeps every view coordinate (zoom 32) within
// 32-bit integers.
inline constexpr std::int64_t MaxPicturePixels = std::int64_t{1} << 26;
inline constexpr std::int64_t MaxPictureSide = 65535;
// The square canvas a picture is turned on, held twice during the turn: a
// square picture of the largest size still fits.
inline constexpr std::int64_t MaxCanvasPixels = std::int64_t{1} << 27;

// Whether a width x height picture stays within `maxPixels` and the side limit.
bool PictureSizeAllowed(std::int64_t width, std::int64_t height, std::int64_t maxPixels = MaxPicturePixels);

// Why a picture of that size is refused: "it is 100000 x 80000 pixels; Quorvix
// works on pictures of at most 64 megapixels and 65535 pixels a side".
std::string PictureTooLargeText(std::int64_t width, std::int64_t height,
                                std::int64_t maxPixels = MaxPicturePixels);
