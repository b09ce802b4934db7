#include "image/PdfPages.h"

#include <poppler-qt6.h>

#include <QFile>
#include <QImage>
#include <algorithm>
#include <cmath>
#include <memory>

#include "image/QtPictures.h"

namespace {

constexpr double PointsPerInch = 72.0;

std::unique_ptr<Poppler::Document> OpenDocument(const std::string& path, std::string& why) {
  std::unique_ptr<Poppler::Document> document = Poppler::Document::load(QString::fromStdString(path));
  if (!document) {
    why = "it is not a PDF document Quorvix can read";
    return nullptr;
  }
  if (document->isLocked()) {
    why = "the document is locked with a password";
    return nullptr;
  }
  if (document->numPages() < 1) {
    why = "the document has no pages";
    return nullptr;
  }
  return document;
}

std::string PageCountText(int pages) {
  return pages == 1 ? "1 page" : std::to_string(pages) + " pages";
}

}  // namespace

bool IsPdfFile(const std::string& path) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) return false;
  return file.read(5) == "%PDF-";
}

int PdfPageCount(const std::string& path, std::string& error) {
  std::string why;
  const auto document = OpenDocument(path, why);
  if (!document) {
    error = "Cannot read the picture " + path + ": " + why;
    return 0;
  }
  return document->numPages();
}

bool LoadPdfPage(const std::string& path, const PdfPageChoice& choice, Bitmap& out, std::string& error,
                 std::int64_t maxPixels) {
  const auto fail = [&](const std::string& why) {
    error = "Cannot read the picture " + path + ": " + why;
    return false;
  };
  if (choice.dpi < MinPdfDpi || choice.dpi > MaxPdfDpi) {
    return fail("a page is rendered at " + std::to_string(MinPdfDpi) + " to " + std::to_string(MaxPdfDpi) +
                " dots per inch, not " + std::to_string(choice.dpi));
  }
  std::string why;
  const auto document = OpenDocument(path, why);
  if (!document) return fail(why);
  if (choice.page < 1 || choice.page > document->numPages()) {
    return fail("the document has " + PageCountText(document->numPages()) + "; there is no page " +
                std::to_string(choice.page));
  }
  const std::unique_ptr<Poppler::Page> page = document->page(choice.page - 1);
  if (!page) return fail("page " + std::to_string(choice.page) + " cannot be read");

  const QSizeF points = page->pageSizeF();
  const double scale = choice.dpi / PointsPerInch;
  // The largest size the renderer may make of it (it rounds up), held below
  // what any size limit allows so that it converts safely; 0 for no size.
  const auto pixels = [&](double length) -> std::int64_t {
    const double p = std::ceil(length * scale);
    return p >= 1 ? static_cast<std::int64_t>(std::min(p, 1e9)) : 0;
  };
  const std::int64_t width = pixels(points.width());
  const std::int64_t height = pixels(points.height());
  const std::string where =
      " (page " + std::to_string(choice.page) + " at " + std::to_string(choice.dpi) + " dpi)";
  if (!(width >= 1 && height >= 1)) return fail("page " + std::to_string(choice.page) + " has no size");
  if (!PictureSizeAllowed(width, height, maxPixels)) {
    return fail(PictureTooLargeText(width, height, maxPixels) + where);
  }

  document->setRenderHint(Poppler::Document::Antialiasing, true);
  document->setRenderHint(Poppler::Document::TextAntialiasing, true);
  document->setPaperColor(Qt::white);
  const QImage image = page->renderToImage(choice.dpi, choice.dpi);
  if (image.isNull()) return fail("page " + std::to_string(choice.page) + " cannot be rendered" + where);
  if (!PictureSizeAllowed(image.width(), image.height(), maxPixels)) {
    return fail(PictureTooLargeText(image.width(), image.height(), maxPixels) + where);
  }
  out = PictureOnWhite(image);
  return true;
}
