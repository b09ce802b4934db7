#include "ui/AscIIForm.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QToolTip>
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

void TPaintBox::mouseMoveEvent(QMouseEvent* event) {
  if (OnMouse) OnMouse(event);
}

void TPaintBox::mousePressEvent(QMouseEvent* event) {
  if (OnMouse) OnMouse(event);
}

namespace {

// The graph's canvas noting where each point's symbol is drawn: the symbols
// are the graph's only ellipses, one per point in the lists' order.
class PointNotingCanvas : public QtCanvas {
 public:
  PointNotingCanvas(QPainter& painter, std::vector<QPoint>& centres) : QtCanvas(painter), centres_(centres) {}
  void Ellipse(int x1, int y1, int x2, int y2) override {
    centres_.emplace_back((x1 + x2) / 2, (y1 + y2) / 2);
    QtCanvas::Ellipse(x1, y1, x2, y2);
  }

 private:
  std::vector<QPoint>& centres_;
};

// A pointer this close to a point's symbol picks it.
constexpr int PickReach = 6;

}  // namespace

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
  PaintBox1->OnMouse = [this](QMouseEvent* event) { PaintBox1Mouse(event); };
  PaintBox1->setMouseTracking(true);
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
  plotted_.clear();
  if (!RebuildPreviewSeries(state_)) return;
  PointNotingCanvas canvas(painter, plotted_);
  // The paint box's font: the window's, in the window-text colour.
  canvas.Font() = {font().family().toStdString(), font().pointSize(),
                   FromQColor(palette().color(QPalette::WindowText))};
  const std::string separator = QLocale::system().decimalPoint().toStdString();
  DrawGraph(canvas, PaintBox1->width(), PaintBox1->height(), state_.PlotCaptions, state_.PreviewSeries,
            separator);
  // The points selected on the picture, ringed.
  if (!selectedPoints) return;
  const std::vector<char> selected = selectedPoints();
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(QPen(QColor(255, 0, 200), 1.6));
  painter.setBrush(Qt::NoBrush);
  for (std::size_t j = 0; j < plotted_.size() && j < selected.size(); ++j)
    if (selected[j]) painter.drawEllipse(QPointF(plotted_[j]) + QPointF(0.5, 0.5), 4.5, 4.5);
  painter.restore();
}

int TForm2::pointAt(QPoint at) const {
  int best = -1;
  int nearest = PickReach * PickReach + 1;
  for (std::size_t j = 0; j < plotted_.size(); ++j) {
    const QPoint d = plotted_[j] - at;
    const int distance = d.x() * d.x() + d.y() * d.y();
    if (distance < nearest) {
      nearest = distance;
      best = static_cast<int>(j);
    }
  }
  return best;
}

void TForm2::PaintBox1Mouse(QMouseEvent* event) {
  const int j = pointAt(event->position().toPoint());
  const std::size_t count = std::min(state_.VelocityArray.size(), state_.CountsArray.size());
  if (event->type() == QEvent::MouseMove) {
    if (j < 0 || static_cast<std::size_t>(j) >= count) {
      pointTip_.clear();
      QToolTip::hideText();
      return;
    }
    const std::size_t k = static_cast<std::size_t>(j);
    pointTip_ = QStringLiteral("velocity %1, value %2")
                    .arg(state_.VelocityArray[k], 0, 'f', 6)
                    .arg(state_.CountsArray[k], 0, 'f', 6);
    QToolTip::showText(event->globalPosition().toPoint(), pointTip_, PaintBox1);
    return;
  }
  if (event->type() == QEvent::MouseButtonPress && event->button() == Qt::LeftButton && j >= 0)
    emit pointClicked(j);
}
