#pragma once

#include <QFrame>
#include <QString>
#include <array>

class QLabel;

// The four-panel status bar at the bottom of the main window.
class StatusPanels : public QFrame {
  Q_OBJECT

 public:
  explicit StatusPanels(QWidget* parent = nullptr);

  QString text(int panel) const;
  void setText(int panel, const QString& text);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  std::array<QLabel*, 4> panels_{};
};
