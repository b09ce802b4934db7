#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "image/BitmapFile.h"
#include "support/TempDir.h"

namespace {

// Builds BMP files byte by byte, so every variant the reader must handle can
// be tried without depending on the writer.
struct BmpLayout {
  int width = 0;
  int height = 0;  // rows as stored; a top-down file gets a negative height in its header
  int bitsPerPixel = 24;
  int compression = 0;  // 0 plain, 1 RLE8, 2 RLE4
  bool topDown = false;
  std::vector<Colour> palette;  // 0x00BBGGRR entries
  std::string pixelData;        // rows as stored in the file, padded to 4 bytes
};

void PutLE(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFFu));
}

std::string BuildBmp(const BmpLayout& s) {
  const std::uint32_t offset = 14 + 40 + 4 * static_cast<std::uint32_t>(s.palette.size());
  std::string out = "BM";
  PutLE(out, offset + static_cast<std::uint32_t>(s.pixelData.size()), 4);
  PutLE(out, 0, 4);
  PutLE(out, offset, 4);
  PutLE(out, 40, 4);
  PutLE(out, static_cast<std::uint32_t>(s.width), 4);
  PutLE(out, static_cast<std::uint32_t>(s.topDown ? -s.height : s.height), 4);
  PutLE(out, 1, 2);
  PutLE(out, static_cast<std::uint32_t>(s.bitsPerPixel), 2);
  PutLE(out, static_cast<std::uint32_t>(s.compression), 4);
  PutLE(out, static_cast<std::uint32_t>(s.pixelData.size()), 4);
  PutLE(out, 2835, 4);
  PutLE(out, 2835, 4);
  PutLE(out, static_cast<std::uint32_t>(s.palette.size()), 4);
  PutLE(out, 0, 4);
  for (const Colour c : s.palette) {
    out.push_back(static_cast<char>(BlueOf(c)));
    out.push_back(static_cast<char>(GreenOf(c)));
    out.push_back(static_cast<char>(RedOf(c)));
    out.push_back(0);
  }
  return out + s.pixelData;
}

std::string Bytes(std::initializer_list<int> values) {
  std::string out;
  for (const int v : values) out.push_back(static_cast<char>(v));
  return out;
}

// The picture every variant encodes: 3 x 2, top row red, green, blue; bottom
// row black, white, yellow.
const Colour Red = MakeColour(255, 0, 0), Green = MakeColour(0, 255, 0), Blue = MakeColour(0, 0, 255),
             Yellow = MakeColour(255, 255, 0);
const std::vector<Colour> Expected = {Red, Green, Blue, BlackColour, WhiteColour, Yellow};
const std::vector<Colour> Palette = {BlackColour, Red, Green, Blue, WhiteColour, Yellow};

std::vector<BmpLayout> Variants() {
  std::vector<BmpLayout> v;
  // 24 bits, bottom row first, each row padded to 12 bytes.
  v.push_back({3, 2, 24, 0, false, {}, Bytes({0, 0, 0,   255, 255, 255, 0,   255, 255, 0, 0, 0,
                                              0, 0, 255, 0,   255, 0,   255, 0,   0,   0, 0, 0})});
  // The same rows top-down.
  v.push_back({3, 2, 24, 0, true, {}, Bytes({0, 0, 255, 0,   255, 0,   255, 0,   0,   0, 0, 0,
                                             0, 0, 0,   255, 255, 255, 0,   255, 255, 0, 0, 0})});
  // 32 bits: blue, green, red, unused.
  v.push_back({3, 2, 32, 0, false, {}, Bytes({0, 0, 0,   0, 255, 255, 255, 0, 0,   255, 255, 0,
                                              0, 0, 255, 0, 0,   255, 0,   0, 255, 0,   0,   0})});
  // 16 bits, 5-5-5: red 0x7C00, green 0x03E0, blue 0x001F, white 0x7FFF, yellow 0x7FE0.
  v.push_back({3,
               2,
               16,
               0,
               false,
               {},
               Bytes({0x00, 0x00, 0xFF, 0x7F, 0xE0, 0x7F, 0, 0, 0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0, 0})});
  // 8 bits through the palette.
  v.push_back({3, 2, 8, 0, false, Palette, Bytes({0, 4, 5, 0, 1, 2, 3, 0})});
  // 4 bits: two pixels a byte.
  v.push_back({3, 2, 4, 0, false, Palette, Bytes({0x04, 0x50, 0, 0, 0x12, 0x30, 0, 0})});
  // RLE8: per row an absolute run of three, then end of line; end of bitmap.
  v.push_back({3, 2, 8, 1, false, Palette, Bytes({0, 3, 0, 4, 5, 0, 0, 0, 0, 3, 1, 2, 3, 0, 0, 0, 0, 1})});
  // RLE4: an encoded run alternating two indexes, then a single pixel.
  v.push_back({3, 2, 4, 2, false, Palette, Bytes({2, 0x04, 1, 0x50, 0, 0, 2, 0x12, 1, 0x30, 0, 0, 0, 1})});
  return v;
}

TEST(BitmapFile, ReadsEveryBmpVariantIntoTwentyFourBitColours) {
  TempDir dir;
  int index = 0;
  for (const BmpLayout& variant : Variants()) {
    SCOPED_TRACE(::testing::Message()
                 << "variant " << index << ": " << variant.bitsPerPixel << " bits, compression "
                 << variant.compression << (variant.topDown ? ", top-down" : ""));
    const std::string path = dir.file("v" + std::to_string(index++) + ".bmp");
    WriteWholeFile(path, BuildBmp(variant));
    Bitmap picture;
    std::string error;
    ASSERT_TRUE(LoadBitmapFile(path, picture, error)) << error;
    ASSERT_EQ(picture.width(), 3);
    ASSERT_EQ(picture.height(), 2);
    if (variant.bitsPerPixel == 16) {
      // Five bits a channel widen by a shift, as the Windows codec does: 31 reads as 248.
      const Colour r = MakeColour(248, 0, 0), g = MakeColour(0, 248, 0), b = MakeColour(0, 0, 248);
      EXPECT_EQ(picture.pixels(), (std::vector<Colour>{r, g, b, BlackColour, r | g | b, r | g}));
    } else {
      EXPECT_EQ(picture.pixels(), Expected);
    }
  }
}

TEST(BitmapFile, OneBitPictures) {
  TempDir dir;
  // 1 x 2: top white, bottom black; each row padded to 4 bytes.
  const std::string path = dir.file("mono.bmp");
  WriteWholeFile(
      path, BuildBmp({1, 2, 1, 0, false, {BlackColour, WhiteColour}, Bytes({0x00, 0, 0, 0, 0x80, 0, 0, 0})}));
  Bitmap picture;
  std::string error;
  ASSERT_TRUE(LoadBitmapFile(path, picture, error)) << error;
  EXPECT_EQ(picture.pixel(0, 0), WhiteColour);
  EXPECT_EQ(picture.pixel(0, 1), BlackColour);
}

TEST(BitmapFile, SavesTwentyFourBitBmpThatReadsBackExactly) {
  TempDir dir;
  Bitmap picture(5, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) picture.setPixel(x, y, MakeColour(x * 50, y * 100, 7 + x + y));
  const std::string path = dir.file("out.BMP");
  std::string error;
  ASSERT_TRUE(SaveBitmapFile(path, picture, error)) << error;
  const std::string bytes = ReadWholeFile(path);
  ASSERT_GE(bytes.size(), 54u);
  EXPECT_EQ(bytes.substr(0, 2), "BM");
  EXPECT_EQ(static_cast<unsigned char>(bytes[28]), 24u) << "bits per pixel";
  Bitmap back;
  ASSERT_TRUE(LoadBitmapFile(path, back, error)) << error;
  EXPECT_EQ(back, picture);
}

TEST(BitmapFile, FailuresNameTheProblemAndLeaveTheTargetAlone) {
  TempDir dir;
  const Bitmap before(2, 2, BlackColour);
  Bitmap target = before;
  std::string error;
  EXPECT_FALSE(LoadBitmapFile(dir.file("missing.bmp"), target, error));
  EXPECT_NE(error.find("missing.bmp"), std::string::npos);
  WriteWholeFile(dir.file("text.bmp"), "this is not a picture");
  EXPECT_FALSE(LoadBitmapFile(dir.file("text.bmp"), target, error));
  const std::string truncated = BuildBmp(Variants()[0]).substr(0, 30);
  WriteWholeFile(dir.file("short.bmp"), truncated);
  EXPECT_FALSE(LoadBitmapFile(dir.file("short.bmp"), target, error));
  EXPECT_EQ(target, before);

  EXPECT_FALSE(SaveBitmapFile(dir.file("no-such-folder/out.BMP"), before, error));
  EXPECT_FALSE(error.empty());
}

}  // namespace
