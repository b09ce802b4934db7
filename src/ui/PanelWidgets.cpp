#include "ui/PanelWidgets.h"

#include <QPainter>
#include <QToolButton>

ZoomButtons::ZoomButtons(QWidget* parent) : QWidget(parent) {
  up_ = new QToolButton(this);  // owned by this widget
  down_ = new QToolButton(this);
  up_->setArrowType(Qt::UpArrow);
  down_->setArrowType(Qt::DownArrow);
  for (QToolButton* button : {up_, down_}) {
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
  }
  connect(up_, &QToolButton::clicked, this, &ZoomButtons::zoomUp);
  connect(down_, &QToolButton::clicked, this, &ZoomButtons::zoomDown);
}

void ZoomButtons::resizeEvent(QResizeEvent* event) {
  const int half = height() / 2;
  up_->setGeometry(0, 0, width(), half);
  down_->setGeometry(0, half, width(), height() - half);
  QWidget::resizeEvent(event);
}

UnitPictureBox::UnitPictureBox(QWidget* parent) : QWidget(parent) {}

void UnitPictureBox::setPicture(const QImage& picture) {
  picture_ = picture;
  update();
}

void UnitPictureBox::paintEvent(QPaintEvent*) {
  if (picture_.isNull()) return;
  QPainter painter(this);
  painter.drawImage(rect(), picture_);
}
