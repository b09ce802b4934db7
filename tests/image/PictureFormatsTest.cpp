#include <gtest/gtest.h>

#include <QImage>
#include <QImageWriter>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "image/BitmapFile.h"
#include "image/FileCommands.h"
#include "image/PdfPages.h"
#include "support/FakeUi.h"
#include "support/TempDir.h"
#include "support/TestPdf.h"

namespace {

// A picture with smooth gradients, sharp edges and few enough colours for a
// GIF's palette: every format's pixels differ somewhere if a channel or a
// row is mixed up.
Bitmap TestPicture() {
  Bitmap picture(37, 23);
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const int band = (x / 6) % 4;
      picture.setPixel(x, y,
                       MakeColour(40 * band + (y % 3) * 20, 255 - 36 * band, (x * 7 + y * 11) % 5 * 60));
    }
  }
  return picture;
}

QImage ToQImage(const Bitmap& picture) {
  QImage image(picture.width(), picture.height(), QImage::Format_RGB32);
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const Colour c = picture.pixel(x, y);
      image.setPixel(x, y, qRgb(RedOf(c), GreenOf(c), BlueOf(c)));
    }
  }
  return image;
}

void PutWord(std::string& out, int value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>(value >> 8));
}

// Qt reads GIF files but does not write them: a plain GIF of at most 128
// colours whose LZW codes stay 8 bits wide (a clear code every 100 pixels
// keeps the table small), so each code is one byte.
std::string GifBytes(const QImage& image) {
  std::vector<QRgb> palette;
  std::string codes;
  constexpr int Clear = 128;
  constexpr int End = 129;
  int run = 0;
  codes.push_back(static_cast<char>(Clear));
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb c = image.pixel(x, y);
      auto at = std::find(palette.begin(), palette.end(), c);
      if (at == palette.end()) at = palette.insert(palette.end(), c);
      EXPECT_LT(palette.size(), 129u);
      codes.push_back(static_cast<char>(at - palette.begin()));
      if (++run == 100) {
        codes.push_back(static_cast<char>(Clear));
        run = 0;
      }
    }
  }
  codes.push_back(static_cast<char>(End));
  palette.resize(128, qRgb(0, 0, 0));

  std::string out = "GIF89a";
  PutWord(out, image.width());
  PutWord(out, image.height());
  out += std::string("\xF6\x00\x00", 3);  // a global table of 128 colours
  for (const QRgb c : palette) {
    out.push_back(static_cast<char>(qRed(c)));
    out.push_back(static_cast<char>(qGreen(c)));
    out.push_back(static_cast<char>(qBlue(c)));
  }
  out.push_back(',');
  PutWord(out, 0);
  PutWord(out, 0);
  PutWord(out, image.width());
  PutWord(out, image.height());
  out.push_back(0);
  out.push_back(7);  // the smallest code size: 8-bit codes
  for (std::size_t i = 0; i < codes.size(); i += 255) {
    const std::string block = codes.substr(i, 255);
    out.push_back(static_cast<char>(block.size()));
    out += block;
  }
  out.push_back(0);
  out.push_back(';');
  return out;
}

std::string Write(const TempDir& dir, const QImage& image, const char* format, int quality = -1) {
  const std::string path = dir.file(std::string("picture.") + format);
  if (std::string(format) == "gif") {
    WriteWholeFile(path, GifBytes(image));
    return path;
  }
  QImageWriter writer(QString::fromStdString(path), format);
  if (quality >= 0) writer.setQuality(quality);
  EXPECT_TRUE(writer.write(image)) << format << ": " << writer.errorString().toStdString();
  return path;
}

int LargestDifference(const Bitmap& a, const Bitmap& b) {
  int largest = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const Colour p = a.pixel(x, y);
      const Colour q = b.pixel(x, y);
      largest = std::max({largest, std::abs(RedOf(p) - RedOf(q)), std::abs(GreenOf(p) - GreenOf(q)),
                          std::abs(BlueOf(p) - BlueOf(q))});
    }
  }
  return largest;
}

// The mean of the channels' differences, rounded up.
int MeanDifference(const Bitmap& a, const Bitmap& b) {
  long sum = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const Colour p = a.pixel(x, y);
      const Colour q = b.pixel(x, y);
      sum +=
          std::abs(RedOf(p) - RedOf(q)) + std::abs(GreenOf(p) - GreenOf(q)) + std::abs(BlueOf(p) - BlueOf(q));
    }
  }
  const long count = 3L * a.width() * a.height();
  return static_cast<int>((sum + count - 1) / count);
}

// A PDF of two pages, 2 x 1 inches: a black square on the left half of the
// first, nothing on the second.
std::string WritePdf(const TempDir& dir) {
  const std::string path = dir.file("figure.pdf");
  WriteTestPdf(path, 144, 72, 2, 72);
  return path;
}

}  // namespace

TEST(PictureFormats, EachFormatLoadsToTheSamePixelsAsTheBmp) {
  TempDir dir;
  const Bitmap picture = TestPicture();
  std::string error;
  ASSERT_TRUE(SaveBitmapFile(dir.file("picture.bmp"), picture, error)) << error;
  Bitmap fromBmp;
  ASSERT_TRUE(LoadBitmapFile(dir.file("picture.bmp"), fromBmp, error)) << error;
  ASSERT_EQ(LargestDifference(fromBmp, picture), 0);

  const QImage image = ToQImage(picture);
  struct Case {
    const char* format;
    int quality;
    int tolerance;
  };
  // WebP at quality 100 is its lossless mode.
  for (const Case c : {Case{"png", -1, 0}, Case{"tiff", -1, 0}, Case{"webp", 100, 0}, Case{"ppm", -1, 0},
                       Case{"gif", -1, 0}}) {
    SCOPED_TRACE(c.format);
    const std::string path = Write(dir, image, c.format, c.quality);
    Bitmap loaded;
    ASSERT_TRUE(LoadBitmapFile(path, loaded, error)) << error;
    ASSERT_EQ(loaded.width(), picture.width());
    ASSERT_EQ(loaded.height(), picture.height());
    EXPECT_LE(MeanDifference(loaded, fromBmp), c.tolerance);
  }

  // JPEG keeps its loss, small on a smooth picture (its colour is stored at
  // half resolution, so the sharp colour edges above would not do).
  Bitmap smooth(40, 30);
  for (int y = 0; y < smooth.height(); ++y) {
    for (int x = 0; x < smooth.width(); ++x)
      smooth.setPixel(x, y, MakeColour(6 * x, 8 * y, 200 - 2 * x - 3 * y));
  }
  Bitmap loaded;
  ASSERT_TRUE(LoadBitmapFile(Write(dir, ToQImage(smooth), "jpg", 95), loaded, error)) << error;
  ASSERT_EQ(loaded.width(), smooth.width());
  EXPECT_LE(MeanDifference(loaded, smooth), 2);
  EXPECT_LE(LargestDifference(loaded, smooth), 12);
}

TEST(PictureFormats, TransparentPixelsLieOnWhitePaper) {
  TempDir dir;
  QImage image(3, 1, QImage::Format_ARGB32);
  image.setPixel(0, 0, qRgba(0, 0, 0, 0));      // clear: the paper
  image.setPixel(1, 0, qRgba(0, 0, 0, 255));    // opaque ink
  image.setPixel(2, 0, qRgba(255, 0, 0, 128));  // half-covered red
  Bitmap loaded;
  std::string error;
  ASSERT_TRUE(LoadBitmapFile(Write(dir, image, "png"), loaded, error)) << error;
  EXPECT_EQ(loaded.pixel(0, 0), MakeColour(255, 255, 255));
  EXPECT_EQ(loaded.pixel(1, 0), MakeColour(0, 0, 0));
  EXPECT_EQ(loaded.pixel(2, 0), MakeColour(255, 127, 127));
}

TEST(PictureFormats, TheSizeLimitHoldsForEveryFormatBeforeDecoding) {
  TempDir dir;
  const QImage image = ToQImage(TestPicture());
  for (const char* format : {"png", "tiff", "webp", "ppm", "gif", "jpg"}) {
    SCOPED_TRACE(format);
    Bitmap out(2, 2);
    std::string error;
    EXPECT_FALSE(LoadBitmapFile(Write(dir, image, format), out, error, 100));
    EXPECT_NE(error.find("it is 37 x 23 pixels"), std::string::npos) << error;
    EXPECT_EQ(out.width(), 2);
  }
}

TEST(PictureFormats, DamagedFilesOfEachFormatGiveOneClearMessageAndLeaveThePicture) {
  TempDir dir;
  const QImage image = ToQImage(TestPicture());
  for (const char* format : {"png", "tiff", "webp", "ppm", "gif", "jpg"}) {
    SCOPED_TRACE(format);
    const std::string path = Write(dir, image, format);
    const std::string whole = ReadWholeFile(path);
    // Cut short after its header, and with the header itself spoilt.
    for (const std::string& damaged :
         {whole.substr(0, 24), std::string("\x01\x02garbage") + whole.substr(9)}) {
      WriteWholeFile(path, damaged);
      Bitmap out(2, 2);
      std::string error;
      EXPECT_FALSE(LoadBitmapFile(path, out, error));
      EXPECT_EQ(error.rfind("Cannot read the picture " + path + ": ", 0), 0u) << error;
      EXPECT_EQ(error.find('\n'), std::string::npos) << error;
      EXPECT_EQ(out.width(), 2);
    }
  }
}

TEST(PdfPages, APageRendersAtTheChosenResolution) {
  TempDir dir;
  const std::string path = WritePdf(dir);
  ASSERT_TRUE(IsPdfFile(path));
  std::string error;
  EXPECT_EQ(PdfPageCount(path, error), 2) << error;

  Bitmap page;
  ASSERT_TRUE(LoadPdfPage(path, {1, 150}, page, error)) << error;
  EXPECT_EQ(page.width(), 300);
  EXPECT_EQ(page.height(), 150);
  EXPECT_EQ(page.pixel(75, 75), MakeColour(0, 0, 0));
  EXPECT_EQ(page.pixel(225, 75), MakeColour(255, 255, 255));

  ASSERT_TRUE(LoadPdfPage(path, {2, 72}, page, error)) << error;
  EXPECT_EQ(page.width(), 144);
  EXPECT_EQ(page.pixel(36, 36), MakeColour(255, 255, 255));
}

TEST(PdfPages, BadChoicesAndDamagedDocumentsAreRefusedWithTheirReason) {
  TempDir dir;
  const std::string path = WritePdf(dir);
  Bitmap out(2, 2);
  std::string error;
  EXPECT_FALSE(LoadPdfPage(path, {3, 300}, out, error));
  EXPECT_NE(error.find("the document has 2 pages; there is no page 3"), std::string::npos) << error;
  EXPECT_FALSE(LoadPdfPage(path, {1, 5000}, out, error));
  EXPECT_NE(error.find("not 5000"), std::string::npos) << error;
  // 2 x 1 inches at 2400 dpi is 4800 x 2400 pixels: refused before rendering.
  EXPECT_FALSE(LoadPdfPage(path, {1, 2400}, out, error, 1000000));
  EXPECT_NE(error.find("it is 4800 x 2400 pixels"), std::string::npos) << error;

  WriteWholeFile(path, ReadWholeFile(path).substr(0, 40));
  EXPECT_FALSE(LoadPdfPage(path, {1, 300}, out, error));
  EXPECT_EQ(error, "Cannot read the picture " + path + ": it is not a PDF document Quorvix can read");
  EXPECT_EQ(out.width(), 2);
}

TEST(PdfPages, ADocumentLoadsAsThePictureAndADamagedOneChangesNothing) {
  TempDir dir;
  const std::string path = WritePdf(dir);
  AppState state;
  FakeUi ui;
  ASSERT_TRUE(LoadBitmapFromPath(state, ui, path, PdfPageChoice{1, 36}));
  EXPECT_EQ(state.BaseImage.width(), 72);
  EXPECT_EQ(ui.status[StatusFile], path);

  WriteWholeFile(path, "%PDF-1.4\nnot really");
  state.AsciiSaved = false;
  EXPECT_FALSE(LoadBitmapFromPath(state, ui, path));
  ASSERT_EQ(ui.errors.size(), 1u);
  EXPECT_EQ(state.BaseImage.width(), 72);
  EXPECT_FALSE(state.AsciiSaved);
}
