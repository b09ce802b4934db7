#include "image/BitmapFile.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>

namespace {

// Pictures beyond this many megabytes of decoded pixels are refused before
// they are allocated.
constexpr int AllocationLimitMegabytes = 1024;

QString ToQString(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

bool LoadBitmapFile(const std::string& path, Bitmap& out, std::string& error) {
  QImageReader::setAllocationLimit(AllocationLimitMegabytes);
  QImageReader reader(ToQString(path));
  reader.setAutoTransform(false);
  QImage image;
  if (!reader.read(&image)) {
    error = "Cannot read the picture " + path + ": " + reader.errorString().toStdString();
    return false;
  }
  image = image.convertToFormat(QImage::Format_RGB32);
  if (image.isNull()) {
    error = "Cannot read the picture " + path + ": out of memory";
    return false;
  }
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
  QImage image(picture.width(), picture.height(), QImage::Format_RGB888);
  for (int y = 0; y < picture.height(); ++y) {
    uchar* out = image.scanLine(y);
    const Colour* in = picture.row(y);
    for (int x = 0; x < picture.width(); ++x) {
      out[3 * x] = static_cast<uchar>(RedOf(in[x]));
      out[3 * x + 1] = static_cast<uchar>(GreenOf(in[x]));
      out[3 * x + 2] = static_cast<uchar>(BlueOf(in[x]));
    }
  }
  QImageWriter writer(ToQString(path), "bmp");
  if (!writer.write(image)) {
    error = "Cannot write the picture " + path + ": " + writer.errorString().toStdString();
    return false;
  }
  return true;
}
