#pragma once

#include <QImage>
#include <QWidget>

class QToolButton;

// The up/down pair next to the zoom label; both halves repeat while held.
class ZoomButtons : public QWidget {
  Q_OBJECT

 public:
  explicit ZoomButtons(QWidget* parent = nullptr);
  QToolButton* upButton() const { return up_; }
  QToolButton* downButton() const { return down_; }

 signals:
  void zoomUp();
  void zoomDown();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QToolButton* up_ = nullptr;
  QToolButton* down_ = nullptr;
};

// Shows the unit template stretched to the control.
class UnitPictureBox : public QWidget {
  Q_OBJECT

 public:
  explicit UnitPictureBox(QWidget* parent = nullptr);
  void setPicture(const QImage& picture);
  const QImage& picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage picture_;
};
