#include "image/PictureLimits.h"

namespace {

constexpr std::int64_t Megapixel = std::int64_t{1} << 20;

std::string PixelCountText(std::int64_t pixels) {
  if (pixels % Megapixel == 0) return std::to_string(pixels / Megapixel) + " megapixels";
  return std::to_string(pixels) + " pixels";
}

}  // namespace

bool PictureSizeAllowed(std::int64_t width, std::int64_t height, std::int64_t maxPixels) {
  if (width < 0 || height < 0 || width > MaxPictureSide || height > MaxPictureSide) return false;
  return width * height <= maxPixels;
}

std::string PictureTooLargeText(std::int64_t width, std::int64_t height, std::int64_t maxPixels) {
  return "it is " + std::to_string(width) + " x " + std::to_string(height) +
         " pixels; Quorvix works on pictures of at most " + PixelCountText(maxPixels) + " and " +
         std::to_string(MaxPictureSide) + " pixels a side";
}
