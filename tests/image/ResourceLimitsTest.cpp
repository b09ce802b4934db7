// Pictures too large to work on are refused with a message before their
// pixels are allocated, and nothing else changes; the rotation canvas is
// refused the same way instead of growing with an absurd picture.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <string>

#include "image/BitmapFile.h"
#include "image/EditTestSupport.h"
#include "image/FileCommands.h"
#include "image/PictureLimits.h"
#include "image/RotationCommands.h"
#include "support/BmpBytes.h"
#include "support/TempDir.h"

namespace {

TEST(PictureLimits, SizesAllowedUpToSixtyFourMegapixelsAndTheSideLimit) {
  struct Case {
    std::int64_t width, height;
    bool allowed;
  };
  for (const Case& c : {Case{8192, 8192, true}, Case{8192, 8193, false}, Case{65535, 1024, true},
                        Case{65536, 1, false}, Case{1, 65536, false}, Case{4000, 3000, true},
                        Case{0, 0, true}, Case{-1, 5, false}, Case{100000, 100000, false}}) {
    EXPECT_EQ(PictureSizeAllowed(c.width, c.height), c.allowed) << c.width << " x " << c.height;
  }
  EXPECT_EQ(
      PictureTooLargeText(100000, 80000),
      "it is 100000 x 80000 pixels; Quorvix works on pictures of at most 64 megapixels and 65535 pixels "
      "a side");
}

TEST(PictureLimits, AbsurdSizesAreRefusedFromTheHeaderBeforeTheyAreDecoded) {
  struct Case {
    std::int32_t width, height;
    int bits;
  };
  const TempDir dir;
  for (const Case& c : {Case{100000, 100000, 24}, Case{70000, 1, 24}, Case{9000, 9000, 8},
                        Case{8193, 8192, 32}, Case{2147483647, 2147483647, 24}, Case{1, -2147483647, 24}}) {
    SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
    const std::string path = dir.file("huge.bmp");
    WriteWholeFile(path, BmpFileBytes(c.width, c.height, c.bits, std::string(64, '\0')));
    const Bitmap before(2, 2, BlackColour);
    Bitmap picture = before;
    std::string error;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(LoadBitmapFile(path, picture, error));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2)) << "decoded before refusing";
    EXPECT_EQ(picture, before);
    EXPECT_EQ(error.rfind("Cannot read the picture " + path + ": ", 0), 0u) << error;
  }
  // Where the header tells the size, the message gives it.
  const std::string path = dir.file("wide.bmp");
  WriteWholeFile(path, BmpFileBytes(70000, 2, 24, std::string(64, '\0')));
  Bitmap picture;
  std::string error;
  EXPECT_FALSE(LoadBitmapFile(path, picture, error));
  EXPECT_EQ(error, "Cannot read the picture " + path + ": " + PictureTooLargeText(70000, 2));
}

TEST(PictureLimits, TheLimitIsThePixelCountGiven) {
  const TempDir dir;
  const std::string path = dir.file("small.bmp");
  // 3 x 2 at 24 bits: rows of 9 bytes padded to 12.
  WriteWholeFile(path, BmpFileBytes(3, 2, 24, std::string(24, '\x40')));
  Bitmap picture;
  std::string error;
  EXPECT_TRUE(LoadBitmapFile(path, picture, error, 6)) << error;
  EXPECT_EQ(picture.width(), 3);
  Bitmap refused;
  EXPECT_FALSE(LoadBitmapFile(path, refused, error, 5));
  EXPECT_EQ(error, "Cannot read the picture " + path + ": " + PictureTooLargeText(3, 2, 5));
  EXPECT_TRUE(refused.empty());
}

TEST(PictureLimits, LoadingATooLargePictureShowsOneMessageAndChangesNothingElse) {
  const TempDir dir;
  const std::string path = dir.file("huge.bmp");
  WriteWholeFile(path, BmpFileBytes(100000, 100000, 24, std::string(64, '\0')));
  AppState state;
  RepaintingUi ui(state);
  LoadPicture(state, RandomPicture(20, 10, 5));
  state.AsciiSaved = false;
  state.DataPointCount = 7;
  ui.status[StatusFile] = "/scans/earlier.bmp";
  const AppState before = state;

  EXPECT_FALSE(LoadBitmapFromPath(state, ui, path));
  ASSERT_EQ(ui.errors.size(), 1u);
  EXPECT_EQ(ui.errors[0], "Cannot read the picture " + path + ": " + PictureTooLargeText(100000, 100000));
  EXPECT_EQ(state.WorkImage, before.WorkImage);
  EXPECT_EQ(state.BaseImage, before.BaseImage);
  EXPECT_EQ(state.DiskImage, before.DiskImage);
  EXPECT_FALSE(state.AsciiSaved) << "unsaved data keeps its close question";
  EXPECT_EQ(state.DataPointCount, 7);
  EXPECT_EQ(ui.status[StatusFile], "/scans/earlier.bmp");
  EXPECT_TRUE(ui.enabled.empty());
  EXPECT_EQ(ui.mainRepaints, 0);
}

TEST(RotationCanvas, ACanvasBeyondTheLimitIsRefusedAndTheClosingStepsRun) {
  AppState state;
  RepaintingUi ui(state);
  // Two dark pixels 12000 columns apart: a canvas of 12000 x 12000 would be needed.
  Bitmap picture(12002, 3);
  picture.setPixel(1, 0, BlackColour);
  picture.setPixel(12000, 1, BlackColour);
  LoadPicture(state, picture);
  std::vector<bool> buttons;
  ui.fields[Field::RotateAngle] = "30";

  RotateClockwiseCommand(state, ui, [&buttons](bool on) { buttons.push_back(on); });

  ASSERT_EQ(ui.errors.size(), 1u);
  EXPECT_EQ(ui.errors[0],
            "The picture is too large to turn: its canvas would be 12000 x 12000 pixels, more than the 128 "
            "megapixels Quorvix turns");
  EXPECT_EQ(buttons, (std::vector<bool>{false, true}));
  EXPECT_EQ(ui.status[StatusProgress], "Status: Ready");
  EXPECT_EQ(ui.mainRepaints, 1);
  EXPECT_EQ(state.WorkImage.width(), 12000) << "the picture stays as trimmed";
  EXPECT_EQ(state.WorkImage.height(), 2);
  EXPECT_EQ(state.BaseImage, picture);
}

}  // namespace
