#include "ui/AscIIForm.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLocale>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

#include "GraphDraw/DrawGraph.h"
#include "app/PreviewCommands.h"
#include "ui/QtCanvas.h"

TPaintBox::TPaintBox(QWidget* parent) : QWidget(parent) {}

void TPaintBox::paintEvent(QPaintEvent*) {
  if (!OnPaint) return;
  QPainter painter(this);
  OnPaint(painter);
}

TForm2::TForm2(AppState& state, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), state_(state) {
  setWindowTitle(QStringLiteral("ASCII form of the data"));
  setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
  setCursor(Qt::ArrowCursor);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);
  setAutoFillBackground(true);

  PaintBox1 = new TPaintBox(this);
  PaintBox1->OnPaint = [this](QPainter& painter) { PaintBox1Paint(painter); };
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(PaintBox1);

  resize(DesignWidth, DesignHeight);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
}

void TForm2::ShowPreview() {
  show();
  raise();
  activateWindow();
}

void TForm2::RepaintPreview() {
  PaintBox1->repaint();
}

void TForm2::SetPreviewCaption(const std::string& text) {
  setWindowTitle(QString::fromStdString(text));
}

void TForm2::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    emit escapePressed();
    return;
  }
  QWidget::keyPressEvent(event);
}

void TForm2::PaintBox1Paint(QPainter& painter) {
  if (!RebuildPreviewSeries(state_)) return;
  QtCanvas canvas(painter);
  // The paint box's font: the window's, in the window-text colour.
  canvas.Font() = {font().family().toStdString(), font().pointSize(),
                   FromQColor(palette().color(QPalette::WindowText))};
  const std::string separator = QLocale::system().decimalPoint().toStdString();
  DrawGraph(canvas, PaintBox1->width(), PaintBox1->height(), state_.PlotCaptions, state_.PreviewSeries,
            separator);
}
