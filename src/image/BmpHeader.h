#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// What the first bytes of a BMP file say about its picture, read without
// the codec, so that absurd sizes and files cut short can be told apart
// before any pixel is decoded.
struct BmpHeaderFacts {
  std::int64_t width = 0;
  std::int64_t height = 0;  // rows, whichever way they are stored
  int bitsPerPixel = 0;
  bool uncompressed = false;     // plain rows, or rows with bit-field masks
  std::int64_t pixelOffset = 0;  // where the rows start, as the file says
  std::int64_t headerEnd = 0;    // where the headers end: the rows start no earlier
};

// The number of leading bytes ReadBmpHeader looks at.
inline constexpr std::size_t BmpHeaderBytes = 34;

// Nothing when `head` does not start a BMP file with a header this reader knows.
std::optional<BmpHeaderFacts> ReadBmpHeader(std::string_view head);

// The file size an uncompressed BMP needs to hold every row; 0 when that
// cannot be said (compressed rows, an unknown depth or size).
std::int64_t UncompressedBmpFileSize(const BmpHeaderFacts& facts);
