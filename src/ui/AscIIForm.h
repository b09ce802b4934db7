#pragma once

#include <QWidget>
#include <functional>
#include <string>

#include "app/AppState.h"

class QPainter;

// A plain area that leaves its painting to its owner; nothing of its own is
// painted, so the parent's background shows where the owner draws nothing.
class TPaintBox : public QWidget {
  Q_OBJECT

 public:
  explicit TPaintBox(QWidget* parent);
  std::function<void(QPainter&)> OnPaint;

 protected:
  void paintEvent(QPaintEvent* event) override;
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

 signals:
  // Esc was typed while the window was active.
  void escapePressed();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void PaintBox1Paint(QPainter& painter);

  AppState& state_;
};
