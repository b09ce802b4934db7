#include "image/BitmapFile.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "Stringop/FileReplacing.h"
#include "image/BmpHeader.h"

namespace {

// The picture as a 24-bit image, and a 32-bit image (RGB32) as a picture.
QImage ToImage(const Bitmap& picture) {
  QImage image(picture.width(), picture.height(), QImage::Format_RGB888);
  if (image.isNull()) return image;
  for (int y = 0; y < picture.height(); ++y) {
    uchar* out = image.scanLine(y);
    const Colour* in = picture.row(y);
    for (int x = 0; x < picture.width(); ++x) {
      out[3 * x] = static_cast<uchar>(RedOf(in[x]));
      out[3 * x + 1] = static_cast<uchar>(GreenOf(in[x]));
      out[3 * x + 2] = static_cast<uchar>(BlueOf(in[x]));
    }
  }
  return image;
}

Bitmap FromImage(const QImage& image) {
  Bitmap picture(image.width(), image.height());
  for (int y = 0; y < image.height(); ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    Colour* row = picture.row(y);
    for (int x = 0; x < image.width(); ++x) row[x] = MakeColour(qRed(in[x]), qGreen(in[x]), qBlue(in[x]));
  }
  return picture;
}

// The most a decoder may need for one pixel (16 bits a channel with alpha).
constexpr std::int64_t LargestPixelBytes = 8;

QString ToQString(const std::string& text) {
  return QString::fromStdString(text);
}

// Qt's own ceiling for what a decoder may allocate, the backstop for formats
// whose header announces no size.
int AllocationLimitMegabytes(std::int64_t maxPixels) {
  return static_cast<int>(maxPixels * LargestPixelBytes / (std::int64_t{1} << 20) + 1);
}

// The header of a BMP file, when the file starts like one.
std::optional<BmpHeaderFacts> PeekBmpHeader(const QString& path, std::int64_t& fileSize) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  fileSize = file.size();
  const QByteArray head = file.read(static_cast<qint64>(BmpHeaderBytes));
  return ReadBmpHeader(std::string_view(head.constData(), static_cast<std::size_t>(head.size())));
}

// A picture of the announced size and format in which every pixel is already
// set, so that pixels a decoder skips (runs that jump past the end, missing
// rows) come out the same on every load instead of as stale memory: colour
// index 0, or black.
QImage PrefilledImage(const QSize& size, QImage::Format format) {
  if (!size.isValid() || format == QImage::Format_Invalid) return {};
  QImage image(size, format);
  image.fill(0);
  return image;
}

// The size a reader announces; the BMP codec gives top-down pictures a
// negative height.
QSize AnnouncedSize(const QImageReader& reader) {
  const QSize size = reader.size();
  return {size.width(), size.height() < 0 ? -size.height() : size.height()};
}

}  // namespace

bool LoadBitmapFile(const std::string& path, Bitmap& out, std::string& error, std::int64_t maxPixels) {
  const auto fail = [&](const std::string& why) {
    error = "Cannot read the picture " + path + ": " + why;
    return false;
  };
  std::int64_t fileSize = 0;
  if (const auto bmp = PeekBmpHeader(ToQString(path), fileSize)) {
    if (bmp->width > 0 && bmp->height > 0 && !PictureSizeAllowed(bmp->width, bmp->height, maxPixels)) {
      return fail(PictureTooLargeText(bmp->width, bmp->height, maxPixels));
    }
    const std::int64_t needed = UncompressedBmpFileSize(*bmp);
    if (needed > fileSize) {
      return fail("the file is cut short: its " + std::to_string(bmp->width) + " x " +
                  std::to_string(bmp->height) + " pixels need " + std::to_string(needed) +
                  " bytes, it holds " + std::to_string(fileSize));
    }
  }
  QImageReader::setAllocationLimit(AllocationLimitMegabytes(maxPixels));
  QImageReader reader(ToQString(path));
  reader.setAutoTransform(false);
  const QSize announced = AnnouncedSize(reader);
  if (announced.isValid() && !PictureSizeAllowed(announced.width(), announced.height(), maxPixels)) {
    return fail(PictureTooLargeText(announced.width(), announced.height(), maxPixels));
  }
  QImage image = PrefilledImage(announced, reader.imageFormat());
  if (!reader.read(&image)) return fail(reader.errorString().toStdString());
  if (!PictureSizeAllowed(image.width(), image.height(), maxPixels)) {
    return fail(PictureTooLargeText(image.width(), image.height(), maxPixels));
  }
  image = image.convertToFormat(QImage::Format_RGB32);
  if (image.isNull()) return fail("out of memory");
  out = FromImage(image);
  return true;
}

namespace {

// Writes the picture in `format` ("bmp", "png") through Qt's image writer.
bool SavePictureFile(const std::string& path, const Bitmap& picture, const char* format, std::string& error) {
  const auto fail = [&](const std::string& why) {
    error = "Cannot write the picture " + path + ": " + why;
    return false;
  };
  const QImage image = ToImage(picture);
  if (image.isNull() && !picture.empty()) return fail("out of memory");
  // The whole file is made in memory first, so that the one on disk is only
  // ever replaced by a complete picture.
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, format);
  if (!writer.write(image)) return fail(writer.errorString().toStdString());
  buffer.close();
  std::string reason;
  if (!WriteFileReplacing(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                          &reason)) {
    return fail(reason);
  }
  return true;
}

}  // namespace

bool SaveBitmapFile(const std::string& path, const Bitmap& picture, std::string& error) {
  return SavePictureFile(path, picture, "bmp", error);
}

bool SavePngFile(const std::string& path, const Bitmap& picture, std::string& error) {
  return SavePictureFile(path, picture, "png", error);
}

std::string EncodePng(const Bitmap& picture) {
  const QImage image = ToImage(picture);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "png");
  if (!writer.write(image)) return {};
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

bool DecodePng(const std::string& bytes, int maxWidth, int maxHeight, Bitmap& out, std::string& error) {
  QByteArray data(bytes.data(), static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "png");
  // The size the header announces is checked before any pixel is decoded.
  const QSize announced = reader.size();
  if (announced.isValid() && (announced.width() > maxWidth || announced.height() > maxHeight)) {
    error = "the template is " + std::to_string(announced.width()) + " x " +
            std::to_string(announced.height()) + " pixels, larger than " + std::to_string(maxWidth) + " x " +
            std::to_string(maxHeight);
    return false;
  }
  QImage image;
  if (!reader.read(&image)) {
    error = "the template does not decode as a PNG picture (" + reader.errorString().toStdString() + ")";
    return false;
  }
  if (image.width() > maxWidth || image.height() > maxHeight || image.isNull()) {
    error = "the template is larger than " + std::to_string(maxWidth) + " x " + std::to_string(maxHeight);
    return false;
  }
  image = image.convertToFormat(QImage::Format_RGB32);
  out = FromImage(image);
  return true;
}
