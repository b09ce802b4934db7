#include "ui/PictureTransfer.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QUrl>

#include "image/FileCommands.h"
#include "image/QtPictures.h"

QString LocalFileOf(const QMimeData& data) {
  if (!data.hasUrls()) return {};
  for (const QUrl& url : data.urls()) {
    if (url.isLocalFile()) return url.toLocalFile();
  }
  return {};
}

void PasteFromClipboard(AppState& state, Ui& ui) {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (data != nullptr && !data->hasImage()) {
    const QString file = LocalFileOf(*data);
    if (!file.isEmpty()) {
      LoadPictureCommand(state, ui, file.toStdString());
      return;
    }
  }
  const QImage image =
      data != nullptr && data->hasImage() ? qvariant_cast<QImage>(data->imageData()) : QImage();
  PastePictureCommand(state, ui, image.width(), image.height(), [&image] { return PictureOnWhite(image); });
}
