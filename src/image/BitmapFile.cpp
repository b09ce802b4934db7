#include "image/BitmapFile.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <cstdint>
#include <string_view>

#include "Stringop/FileReplacing.h"

namespace {

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

// The size a BMP file's header announces, read from its first bytes, so that
// an absurd size gets its own message even where the codec refuses the
// header outright. False when the file does not start like a BMP file.
bool AnnouncedBmpSize(const QString& path, std::int64_t& width, std::int64_t& height) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  const QByteArray head = file.read(26);
  if (head.size() < 26 || !head.startsWith("BM")) return false;
  const auto byteAt = [&head](int i) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(head[i]));
  };
  const auto le = [&byteAt](int at, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | byteAt(at + i);
    return value;
  };
  const std::uint32_t headerSize = le(14, 4);
  if (headerSize == 12) {  // the old OS/2 header: 16-bit sizes
    width = le(18, 2);
    height = le(20, 2);
  } else if (headerSize >= 40) {
    width = static_cast<std::int32_t>(le(18, 4));
    height = static_cast<std::int32_t>(le(22, 4));
    if (height < 0) height = -height;  // rows stored top-down
  } else {
    return false;
  }
  return true;
}

}  // namespace

bool LoadBitmapFile(const std::string& path, Bitmap& out, std::string& error, std::int64_t maxPixels) {
  const auto fail = [&](const std::string& why) {
    error = "Cannot read the picture " + path + ": " + why;
    return false;
  };
  std::int64_t width = 0;
  std::int64_t height = 0;
  if (AnnouncedBmpSize(ToQString(path), width, height) && width > 0 && height > 0 &&
      !PictureSizeAllowed(width, height, maxPixels)) {
    return fail(PictureTooLargeText(width, height, maxPixels));
  }
  QImageReader::setAllocationLimit(AllocationLimitMegabytes(maxPixels));
  QImageReader reader(ToQString(path));
  reader.setAutoTransform(false);
  const QSize announced = reader.size();
  if (announced.isValid() && !PictureSizeAllowed(announced.width(), announced.height(), maxPixels)) {
    return fail(PictureTooLargeText(announced.width(), announced.height(), maxPixels));
  }
  QImage image;
  if (!reader.read(&image)) return fail(reader.errorString().toStdString());
  if (!PictureSizeAllowed(image.width(), image.height(), maxPixels)) {
    return fail(PictureTooLargeText(image.width(), image.height(), maxPixels));
  }
  image = image.convertToFormat(QImage::Format_RGB32);
  if (image.isNull()) return fail("out of memory");
  Bitmap picture(image.width(), image.height());
  for (int y = 0; y < image.height(); ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    Colour* row = picture.row(y);
    for (int x = 0; x < image.width(); ++x) row[x] = MakeColour(qRed(in[x]), qGreen(in[x]), qBlue(in[x]));
  }
  out = std::move(picture);
  return true;
}

bool SaveBitmapFile(const std::string& path, const Bitmap& picture, std::string& error) {
  const auto fail = [&](const std::string& why) {
    error = "Cannot write the picture " + path + ": " + why;
    return false;
  };
  QImage image(picture.width(), picture.height(), QImage::Format_RGB888);
  if (image.isNull() && !picture.empty()) return fail("out of memory");
  for (int y = 0; y < picture.height(); ++y) {
    uchar* out = image.scanLine(y);
    const Colour* in = picture.row(y);
    for (int x = 0; x < picture.width(); ++x) {
      out[3 * x] = static_cast<uchar>(RedOf(in[x]));
      out[3 * x + 1] = static_cast<uchar>(GreenOf(in[x]));
      out[3 * x + 2] = static_cast<uchar>(BlueOf(in[x]));
    }
  }
  // The whole file is made in memory first, so that the one on disk is only
  // ever replaced by a complete picture.
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "bmp");
  if (!writer.write(image)) return fail(writer.errorString().toStdString());
  buffer.close();
  std::string reason;
  if (!WriteFileReplacing(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                          &reason)) {
    return fail(reason);
  }
  return true;
}
