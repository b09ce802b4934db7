#pragma once

#include <QPoint>
#include <QString>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "state/AppState.h"

class QMouseEvent;
class QPainter;

// A plain area that leaves its painting to its owner; nothing of its own is
// painted, so the parent's background shows where the owner draws nothing.
class TPaintBox : public QWidget {
  Q_OBJECT

 public:
  explicit TPaintBox(QWidget* parent);
  std::function<void(QPainter&)> OnPaint;
  // The pointer moved over the box, or a button was pressed on it.
  std::function<void(QMouseEvent*)> OnMouse;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
};

// The data preview window "ASCII form of the data": a stay-on-top tool window
// whose whole client area is one paint box showing the extracted spectrum,
// redrawn completely at every paint and resize.
class TForm2 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm2(AppState& state, QWidget* parent = nullptr);

  // The designed client size.
  static constexpr int DesignWidth = 392;
  static constexpr int DesignHeight = 222;

  // Shows the window without making it modal and brings it to the front.
  void ShowPreview();
  // Erases and paints the plot before returning.
  void RepaintPreview();
  void SetPreviewCaption(const std::string& text);

  TPaintBox* PaintBox1 = nullptr;  // owned by this window

  // One flag per point: those drawn highlighted (the points selected on the
  // picture).
  std::function<std::vector<char>()> selectedPoints;

  // Where point j of the lists was last drawn in the paint box.
  const std::vector<QPoint>& plottedPoints() const { return plotted_; }
  // The point drawn within a few pixels of `at`, or -1.
  int pointAt(QPoint at) const;
  // The tip shown for the point under the pointer; empty off the points.
  const QString& pointTip() const { return pointTip_; }

 signals:
  // Esc was typed while the window was active.
  void escapePressed();
  // A point of the plot was clicked.
  void pointClicked(int index);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void PaintBox1Paint(QPainter& painter);
  void PaintBox1Mouse(QMouseEvent* event);

  AppState& state_;
  std::vector<QPoint> plotted_;
  QString pointTip_;
};
