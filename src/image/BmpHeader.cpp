#include "image/BmpHeader.h"

#include <algorithm>
#include <limits>

namespace {

constexpr std::int64_t FileHeaderSize = 14;
constexpr std::int64_t OldHeaderEnd = 26;  // file header and the old OS/2 header
constexpr std::uint32_t InfoHeaderSize = 40;
constexpr std::uint32_t PlainRows = 0;
constexpr std::uint32_t BitFields = 3;
constexpr std::uint32_t AlphaBitFields = 6;

std::uint32_t LittleEndian(std::string_view bytes, std::size_t at, int count) {
  std::uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i) {
    value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
  }
  return value;
}

}  // namespace

std::optional<BmpHeaderFacts> ReadBmpHeader(std::string_view head) {
  if (head.size() < static_cast<std::size_t>(OldHeaderEnd) || head.substr(0, 2) != "BM") return std::nullopt;
  BmpHeaderFacts facts;
  facts.pixelOffset = LittleEndian(head, 10, 4);
  const std::uint32_t headerSize = LittleEndian(head, 14, 4);
  if (headerSize >= InfoHeaderSize) {
    if (head.size() < BmpHeaderBytes) return std::nullopt;
    facts.width = static_cast<std::int32_t>(LittleEndian(head, 18, 4));
    facts.height = static_cast<std::int32_t>(LittleEndian(head, 22, 4));
    facts.bitsPerPixel = static_cast<int>(LittleEndian(head, 28, 2));
    const std::uint32_t compression = LittleEndian(head, 30, 4);
    facts.uncompressed =
        compression == PlainRows || compression == BitFields || compression == AlphaBitFields;
    facts.headerEnd = FileHeaderSize + static_cast<std::int64_t>(headerSize);
  } else {
    // The old OS/2 header, as the codec reads every shorter one: signed
    // 16-bit sizes, plain rows.
    facts.width = static_cast<std::int16_t>(LittleEndian(head, 18, 2));
    facts.height = static_cast<std::int16_t>(LittleEndian(head, 20, 2));
    facts.bitsPerPixel = static_cast<int>(LittleEndian(head, 24, 2));
    facts.uncompressed = true;
    facts.headerEnd = OldHeaderEnd;
  }
  if (facts.height < 0) facts.height = -facts.height;  // rows stored top-down
  return facts;
}

std::int64_t UncompressedBmpFileSize(const BmpHeaderFacts& facts) {
  switch (facts.bitsPerPixel) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
      break;
    default:
      return 0;
  }
  if (!facts.uncompressed || facts.width <= 0 || facts.height <= 0) return 0;
  // An offset inside the headers is not where the codec starts reading rows.
  const std::int64_t start = std::max(facts.pixelOffset, facts.headerEnd);
  // Rows are padded to whole 32-bit words, and the codec reads the padding of
  // the last row too. A width from 32 bits keeps a row within 2^35 bytes; the
  // whole may still lie beyond any file.
  const std::int64_t rowBytes = (facts.width * facts.bitsPerPixel + 31) / 32 * 4;
  constexpr std::int64_t most = std::numeric_limits<std::int64_t>::max();
  if (rowBytes > (most - start) / facts.height) return most;
  return start + rowBytes * facts.height;
}
