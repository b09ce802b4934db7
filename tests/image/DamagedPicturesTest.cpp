// Damaged picture files: each is refused with a message naming the problem,
// or read the same way on every load. Pixels a damaged file leaves out never
// come from stale memory.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "image/BitmapFile.h"
#include "image/BmpHeader.h"
#include "support/BmpBytes.h"
#include "support/TempDir.h"

namespace {

std::string Bytes(std::initializer_list<int> values) {
  std::string out;
  for (const int v : values) out.push_back(static_cast<char>(v));
  return out;
}

// Leaves freed heap blocks of about `bytes` full of a pattern, as earlier
// work of the program would, so that a decoder handing out stale memory for a
// picture of that size shows it.
void DirtyTheHeap(std::size_t bytes, int pattern) {
  std::vector<void*> blocks;
  for (std::size_t size = bytes / 2 + 8; size <= bytes * 2 + 64; size += 8) {
    void* block = std::malloc(size);
    if (block == nullptr) continue;
    std::memset(block, pattern, size);
    blocks.push_back(block);
  }
  for (void* block : blocks) std::free(block);
}

const Colour Red = MakeColour(255, 0, 0), Green = MakeColour(0, 255, 0), Blue = MakeColour(0, 0, 255);
const std::vector<std::uint32_t> Palette = {BlackColour, Red, Green, Blue, WhiteColour};

// 256 different colours, none of them black.
std::vector<std::uint32_t> FullPalette() {
  std::vector<std::uint32_t> palette;
  for (int i = 0; i < 256; ++i) palette.push_back(MakeColour(i, 255 - i, 99));
  return palette;
}

// 3 x 2 at 24 bits, bottom row first: rows of 9 bytes padded to 12.
const std::string TwentyFourBitRows = Bytes({0,   0, 0, 255, 255, 255, 0, 0, 255, 0, 0, 0,  //
                                             255, 0, 0, 0,   255, 0,   0, 0, 255, 0, 0, 0});

TEST(DamagedPictures, FilesCutShortOrNotPicturesAreRefusedWithTheReason) {
  struct Case {
    const char* what;
    std::string bytes;
    std::string reason;
  };
  const std::string full = BmpFileBytes(3, 2, 24, TwentyFourBitRows);
  const std::vector<Case> cases = {
      {"rows missing", BmpFileBytes(3, 2, 24, TwentyFourBitRows.substr(0, 14)),
       "the file is cut short: its 3 x 2 pixels need 78 bytes, it holds 68"},
      {"no pixels at all", BmpFileBytes(3, 4, 8, "", 0, Palette),
       "the file is cut short: its 3 x 4 pixels need 90 bytes, it holds 74"},
      {"header cut", full.substr(0, 30), "Unable to read image data"},
      // A header of size 0 read as the old one, an offset of 0: 2 x 14081
      // top-down with one byte of pixels (found by fuzzing: the rows came
      // from stale memory).
      {"old header, rows missing", Bytes({'B', 'M', 0x2a, 1, 0, 1, 0,    0,    0x24, 0, 0,    0, 0, 0,
                                          0,   0,   0,    0, 2, 0, 0xff, 0xc8, 1,    0, 0x18, 0, 0}),
       "the file is cut short: its 2 x 14081 pixels need 112674 bytes, it holds 27"},
      {"text", "this is not a picture\n", "Unsupported image format"},
      {"empty", "", "Unsupported image format"},
  };
  const TempDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string path = dir.file("damaged.bmp");
    WriteWholeFile(path, c.bytes);
    Bitmap picture;
    std::string error;
    EXPECT_FALSE(LoadBitmapFile(path, picture, error));
    EXPECT_EQ(error, "Cannot read the picture " + path + ": " + c.reason);
    EXPECT_TRUE(picture.empty());
  }
  // The codec reads the last row's padding too: without it that row would be lost.
  const std::string path = dir.file("unpadded.bmp");
  WriteWholeFile(path, full.substr(0, full.size() - 3));
  Bitmap picture;
  std::string error;
  EXPECT_FALSE(LoadBitmapFile(path, picture, error));
  EXPECT_EQ(error, "Cannot read the picture " + path +
                       ": the file is cut short: its 3 x 2 pixels need 78 bytes, it holds 75");
  WriteWholeFile(path, full);
  ASSERT_TRUE(LoadBitmapFile(path, picture, error)) << error;
  EXPECT_EQ(picture.pixels(), (std::vector<Colour>{Blue, Green, Red, BlackColour, WhiteColour, Red}));
}

TEST(DamagedPictures, PixelsTheFileLeavesOutAreTheFirstPaletteColourOnEveryLoad) {
  struct Case {
    const char* what;
    std::string bytes;
    std::vector<Colour> expected;  // top row first
  };
  const std::vector<Case> cases = {
      // A jump far past the end of the picture: the codec lands in the top
      // row's last column; every pixel it skips is the first palette colour.
      {"RLE8 jump past the end",
       BmpFileBytes(3, 2, 8, Bytes({0, 2, 9, 9, 2, 1, 0, 0, 0, 1}), 1, Palette),
       {BlackColour, BlackColour, Red, BlackColour, BlackColour, BlackColour}},
      // The end of the lines and of the picture come early.
      {"RLE8 short lines",
       BmpFileBytes(3, 2, 8, Bytes({1, 2, 0, 0, 2, 3, 0, 1}), 1, Palette),
       {Blue, Blue, BlackColour, Green, BlackColour, BlackColour}},
      // The file ends inside the runs.
      {"RLE8 cut off",
       BmpFileBytes(3, 2, 8, Bytes({2, 4}), 1, Palette),
       {BlackColour, BlackColour, BlackColour, WhiteColour, WhiteColour, BlackColour}},
      // A picture of 200 x 100 whose runs jump out of it at once, with a
      // palette in which any stale index would show.
      {"RLE8 of nothing", BmpFileBytes(200, 100, 8, Bytes({0, 2, 255, 255, 0, 1}), 1, FullPalette()),
       std::vector<Colour>(200 * 100, FullPalette()[0])},
      // Indexes beyond a palette of two entries.
      {"palette too short",
       BmpFileBytes(3, 2, 8, Bytes({0, 4, 3, 0, 1, 2, 1, 0}), 0, {BlackColour, Red}),
       {Red, BlackColour, Red, BlackColour, BlackColour, BlackColour}},
  };
  const TempDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string path = dir.file("damaged.bmp");
    WriteWholeFile(path, c.bytes);
    for (const int pattern : {0x11, 0x77, 0xC3}) {
      DirtyTheHeap(c.expected.size(), pattern);
      Bitmap picture;
      std::string error;
      ASSERT_TRUE(LoadBitmapFile(path, picture, error)) << error;
      EXPECT_EQ(picture.pixels(), c.expected) << "after the heap held " << pattern;
    }
  }
}

TEST(BmpHeader, ReadsTheSizeDepthAndRowsOfEveryHeaderKind) {
  const std::string info = BmpFileBytes(-3, -7, 24, "");
  const auto facts = ReadBmpHeader(info);
  ASSERT_TRUE(facts.has_value());
  EXPECT_EQ(facts->width, -3);
  EXPECT_EQ(facts->height, 7) << "top-down rows count as rows";
  EXPECT_EQ(facts->bitsPerPixel, 24);
  EXPECT_TRUE(facts->uncompressed);
  EXPECT_EQ(UncompressedBmpFileSize(*facts), 0) << "a negative width says nothing";

  // The old OS/2 header, and any header shorter than 40 bytes, has signed
  // 16-bit sizes, as the codec reads them.
  for (const int headerSize : {12, 0}) {
    std::string old = Bytes({'B',  'M',  0,    0,    0, 0, 0,  0, 0, 0, 26, 0, 0, 0, headerSize, 0, 0, 0,  //
                             0xFF, 0x7F, 0xFE, 0xFF, 1, 0, 24, 0});
    const auto facts16 = ReadBmpHeader(old);
    ASSERT_TRUE(facts16.has_value()) << headerSize;
    EXPECT_EQ(facts16->width, 32767);
    EXPECT_EQ(facts16->height, 2);
    EXPECT_EQ(UncompressedBmpFileSize(*facts16), 26 + 2 * 98304);
  }

  EXPECT_FALSE(ReadBmpHeader("BM").has_value());
  EXPECT_FALSE(ReadBmpHeader(std::string(40, 'x')).has_value());
  const auto rle = ReadBmpHeader(BmpFileBytes(3, 2, 8, "", 1, Palette));
  ASSERT_TRUE(rle.has_value());
  EXPECT_EQ(UncompressedBmpFileSize(*rle), 0);
  const auto absurd = ReadBmpHeader(BmpFileBytes(2147483647, 2147483647, 32, ""));
  ASSERT_TRUE(absurd.has_value());
  EXPECT_GT(UncompressedBmpFileSize(*absurd), std::int64_t{1} << 62) << "beyond any file, without overflow";
}

}  // namespace
