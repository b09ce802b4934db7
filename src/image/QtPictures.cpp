#include "image/QtPictures.h"

Bitmap PictureFromImage(const QImage& image) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  if (rgb.isNull()) return {};
  Bitmap picture(rgb.width(), rgb.height());
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    Colour* row = picture.row(y);
    for (int x = 0; x < rgb.width(); ++x) row[x] = MakeColour(qRed(in[x]), qGreen(in[x]), qBlue(in[x]));
  }
  return picture;
}

Bitmap PictureOnWhite(const QImage& image) {
  if (!image.hasAlphaChannel()) return PictureFromImage(image);
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  if (argb.isNull()) return {};
  // Each channel c of alpha a over white: (c a + 255 (255 - a)) / 255, rounded.
  const auto over = [](int c, int a) { return (c * a + 255 * (255 - a) + 127) / 255; };
  Bitmap picture(argb.width(), argb.height());
  for (int y = 0; y < argb.height(); ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
    Colour* row = picture.row(y);
    for (int x = 0; x < argb.width(); ++x) {
      const int a = qAlpha(in[x]);
      row[x] = MakeColour(over(qRed(in[x]), a), over(qGreen(in[x]), a), over(qBlue(in[x]), a));
    }
  }
  return picture;
}

QImage ImageFromPicture(const Bitmap& picture) {
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
