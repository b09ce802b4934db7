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
#include "image/QtPictures.h"

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

// The first bytes of a file (enough for every reader to tell its format)
// and the file's size; nothing when it cannot be opened.
std::optional<QByteArray> ReadHead(const QString& path, std::int64_t& fileSize) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  fileSize = file.size();
  return file.read(64 * 1024);
}

// The picture format the bytes show, whatever the file's name; empty when
// none is recognised. Asked of the bytes in memory: of the file itself, the
// reader would go by its name as well.
QByteArray ContentFormat(QByteArray head) {
  QBuffer buffer(&head);
  buffer.open(QIODevice::ReadOnly);
  return QImageReader::imageFormat(&buffer);
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
  const std::optional<QByteArray> head = ReadHead(ToQString(path), fileSize);
  const bool bmpSigned = head && head->startsWith("BM");
  const std::optional<BmpHeaderFacts> bmp =
      head ? ReadBmpHeader(std::string_view(head->constData(), static_cast<std::size_t>(head->size())))
           : std::nullopt;
  if (bmp) {
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
  // Any other format is read by the reader its content calls for, never by
  // its name alone: the GIF reader, say, takes a damaged header's bytes for a
  // size. A file that cannot be opened is left to the reader to name the reason.
  QByteArray format;
  if (head && !bmpSigned) {
    format = ContentFormat(*head);
    if (format.isEmpty()) return fail("Unsupported image format");
  }
  QImageReader reader(ToQString(path), format);
  // A BMP's pixels are taken exactly as stored; a photograph's orientation
  // mark (a JPEG's, a TIFF's) is followed as every viewer does.
  reader.setAutoTransform(!bmp);
  const QSize announced = AnnouncedSize(reader);
  if (announced.isValid() && !PictureSizeAllowed(announced.width(), announced.height(), maxPixels)) {
    return fail(PictureTooLargeText(announced.width(), announced.height(), maxPixels));
  }
  QImage image = PrefilledImage(announced, reader.imageFormat());
  if (!reader.read(&image)) return fail(reader.errorString().toStdString());
  if (!PictureSizeAllowed(image.width(), image.height(), maxPixels)) {
    return fail(PictureTooLargeText(image.width(), image.height(), maxPixels));
  }
  // A BMP's alpha, where it has one, is dropped as ever; other formats' transparent
  // pixels are laid on white paper.
  Bitmap picture = bmp ? PictureFromImage(image) : PictureOnWhite(image);
  if (picture.empty()) return fail("out of memory");
  out = std::move(picture);
  return true;
}

namespace {

// Writes the picture in `format` ("bmp", "png") through Qt's image writer.
bool SavePictureFile(const std::string& path, const Bitmap& picture, const char* format, std::string& error) {
  const auto fail = [&](const std::string& why) {
    error = "Cannot write the picture " + path + ": " + why;
    return false;
  };
  const QImage image = ImageFromPicture(picture);
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
  const QImage image = ImageFromPicture(picture);
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
  out = PictureFromImage(image);
  return true;
}
