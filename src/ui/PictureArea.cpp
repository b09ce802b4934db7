#include "ui/PictureArea.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "ui/PictureRender.h"

PictureArea::PictureArea(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
}

void PictureArea::fillRect(const Rect& r, QColor colour) {
  if (r.width() <= 0 || r.height() <= 0 || screen_.isNull()) return;
  QPainter painter(&screen_);
  painter.fillRect(QRect(r.Left, r.Top, r.width(), r.height()), colour);
  update(r.Left, r.Top, r.width(), r.height());
}

void PictureArea::drawPicture(const Bitmap& picture, const Rect& display, const Rect& viewArea) {
  if (screen_.isNull()) return;
  // The picture may cover the view area up to and including its right column
  // and bottom row; the controls around it are separate widgets.
  const Rect clip{viewArea.Left, viewArea.Top, viewArea.Right + 1, viewArea.Bottom + 1};
  RenderPicture(picture, display, clip, screen_);
  update(QRect(clip.Left, clip.Top, clip.width(), clip.height()));
}

void PictureArea::xorRectangle(int x1, int y1, int x2, int y2) {
  // A rectangle without area draws nothing, so drawing it twice stays a no-op.
  if (screen_.isNull() || x1 == x2 || y1 == y2) return;
  QPainter painter(&screen_);
  painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  QPen pen(Qt::white, 2, Qt::DashLine);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  const QRect box =
      QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2), std::max(y1, y2)));
  painter.drawRect(box);
  update(box.adjusted(-3, -3, 3, 3));
}

void PictureArea::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.drawImage(event->rect(), screen_, event->rect());
  if (onPaintOverlay) onPaintOverlay(painter);
}

void PictureArea::resizeEvent(QResizeEvent* event) {
  QImage larger(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  larger.fill(palette().color(QPalette::ToolTipBase));
  if (!screen_.isNull()) {
    QPainter painter(&larger);
    painter.drawImage(0, 0, screen_);
  }
  screen_ = std::move(larger);
  QWidget::resizeEvent(event);
}

void PictureArea::mousePressEvent(QMouseEvent* event) {
  if (onPointerEvent && onPointerEvent(event)) return;
  if (onMouseDown)
    onMouseDown(event->button(), event->position().toPoint().x(), event->position().toPoint().y());
}

void PictureArea::mouseMoveEvent(QMouseEvent* event) {
  if (onPointerEvent && onPointerEvent(event)) return;
  if (onMouseMove) onMouseMove(event->position().toPoint().x(), event->position().toPoint().y());
}

void PictureArea::mouseReleaseEvent(QMouseEvent* event) {
  if (onPointerEvent && onPointerEvent(event)) return;
  if (onMouseUp) onMouseUp(event->button(), event->position().toPoint().x(), event->position().toPoint().y());
}

void PictureArea::mouseDoubleClickEvent(QMouseEvent* event) {
  // Without a taker, the second press of a double click is a press as before.
  if (onPointerEvent && onPointerEvent(event)) return;
  mousePressEvent(event);
}

void PictureArea::wheelEvent(QWheelEvent* event) {
  if (!(event->modifiers() & Qt::ControlModifier) || !onZoomWheel) {
    event->ignore();
    return;
  }
  // One step per notch (120 eighths of a degree); a touchpad's small turns add up.
  constexpr int Notch = 120;
  wheelTurned_ += event->angleDelta().y();
  const int steps = wheelTurned_ / Notch;
  wheelTurned_ -= steps * Notch;
  event->accept();
  const QPoint at = event->position().toPoint();
  if (steps != 0) onZoomWheel(steps, at.x(), at.y());
}
