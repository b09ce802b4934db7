#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The bytes of a BMP file with a 40-byte information header as given: the
// header says width x height at `bitsPerPixel`, whatever `pixelData` holds,
// so files that lie about their size can be made. Palette entries are
// 0x00BBGGRR colours; compression 1 is RLE8, 2 RLE4.
inline std::string BmpFileBytes(std::int32_t width, std::int32_t height, int bitsPerPixel,
                                const std::string& pixelData, int compression = 0,
                                const std::vector<std::uint32_t>& palette = {}) {
  std::string out = "BM";
  const auto put = [&out](std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFFu));
  };
  const std::uint32_t offset = 14 + 40 + 4 * static_cast<std::uint32_t>(palette.size());
  put(offset + static_cast<std::uint32_t>(pixelData.size()), 4);
  put(0, 4);
  put(offset, 4);
  put(40, 4);
  put(static_cast<std::uint32_t>(width), 4);
  put(static_cast<std::uint32_t>(height), 4);
  put(1, 2);
  put(static_cast<std::uint32_t>(bitsPerPixel), 2);
  put(static_cast<std::uint32_t>(compression), 4);
  put(static_cast<std::uint32_t>(pixelData.size()), 4);
  put(2835, 4);
  put(2835, 4);
  put(static_cast<std::uint32_t>(palette.size()), 4);
  put(0, 4);
  for (const std::uint32_t c : palette) put((c >> 16 & 0xFFu) | (c & 0xFF00u) | (c & 0xFFu) << 16, 4);
  return out + pixelData;
}
