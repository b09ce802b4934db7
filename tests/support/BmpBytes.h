#pragma once

#include <cstdint>
#include <string>

// The bytes of a BMP file with a 40-byte information header as given: the
// header says width x height at `bitsPerPixel`, whatever `pixelData` holds,
// so files that lie about their size can be made.
inline std::string BmpFileBytes(std::int32_t width, std::int32_t height, int bitsPerPixel,
                                const std::string& pixelData) {
  std::string out = "BM";
  const auto put = [&out](std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFFu));
  };
  constexpr std::uint32_t offset = 14 + 40;
  put(offset + static_cast<std::uint32_t>(pixelData.size()), 4);
  put(0, 4);
  put(offset, 4);
  put(40, 4);
  put(static_cast<std::uint32_t>(width), 4);
  put(static_cast<std::uint32_t>(height), 4);
  put(1, 2);
  put(static_cast<std::uint32_t>(bitsPerPixel), 2);
  put(0, 4);
  put(static_cast<std::uint32_t>(pixelData.size()), 4);
  put(2835, 4);
  put(2835, 4);
  put(0, 4);
  put(0, 4);
  return out + pixelData;
}
