#include "ui/StatusPanels.h"

#include <QLabel>

namespace {
constexpr std::array<int, 4> PanelWidths{100, 95, 200, 50};
}

StatusPanels::StatusPanels(QWidget* parent) : QFrame(parent) {
  setAutoFillBackground(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  const std::array<QString, 4> initial{"Size:  1024 x 768", "ASCII Data:  512", "Position/Progress",
                                       "Filename"};
  for (std::size_t i = 0; i < panels_.size(); ++i) {
    auto* label = new QLabel(initial[i], this);  // owned by this frame
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAlignment(i == 3 ? (Qt::AlignLeft | Qt::AlignVCenter) : Qt::AlignCenter);
    label->setAutoFillBackground(true);
    label->setTextFormat(Qt::PlainText);
    panels_[i] = label;
  }
}

QString StatusPanels::text(int panel) const {
  return panels_.at(static_cast<std::size_t>(panel))->text();
}

void StatusPanels::setText(int panel, const QString& text) {
  panels_.at(static_cast<std::size_t>(panel))->setText(text);
}

void StatusPanels::resizeEvent(QResizeEvent* event) {
  int x = 0;
  for (std::size_t i = 0; i < panels_.size(); ++i) {
    // The last panel takes the rest of the bar.
    const int w = i + 1 < panels_.size() ? PanelWidths[i] : std::max(PanelWidths[i], width() - x);
    panels_[i]->setGeometry(x, 0, w, height());
    x += w + 2;
  }
  QFrame::resizeEvent(event);
}
