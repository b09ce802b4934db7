#pragma once

#include <QImage>
#include <QPainter>
#include <QWidget>
#include <functional>

#include "state/Bitmap.h"
#include "state/Rect.h"

// The main window's client area. It keeps a screen image of what has been
// drawn on the window (the picture, the background strips, the XOR outline of
// the selection), as a window canvas would, and shows it on every paint.
class PictureArea : public QWidget {
  Q_OBJECT

 public:
  explicit PictureArea(QWidget* parent = nullptr);

  // Fills a rectangle (exclusive right and bottom) of the screen image.
  void fillRect(const Rect& r, QColor colour);
  // Draws the picture stretched into `display`, clipped to the view area.
  void drawPicture(const Bitmap& picture, const Rect& display, const Rect& viewArea);
  // Draws a rectangle outline with the XOR pen (dashed, white, 2 wide);
  // drawing it twice restores the screen.
  void xorRectangle(int x1, int y1, int x2, int y2);

  const QImage& screen() const { return screen_; }

  // Paints over the screen image on every paint, without changing it.
  std::function<void(QPainter&)> onPaintOverlay;
  // Sees every press, move, release and double click first; when it returns
  // true the three handlers below do not.
  std::function<bool(QMouseEvent*)> onPointerEvent;
  std::function<void(Qt::MouseButton, int, int)> onMouseDown;
  std::function<void(Qt::MouseButton, int, int)> onMouseUp;
  std::function<void(int, int)> onMouseMove;
  // Ctrl + the wheel: whole steps (up positive) with the pointer's position.
  std::function<void(int, int, int)> onZoomWheel;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  QImage screen_;
  int wheelTurned_ = 0;  // eighths of a degree not yet taken as a step (fine-grained wheels)
};
