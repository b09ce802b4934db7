#pragma once

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointF>
#include <cmath>
#include <vector>

#include "state/Bitmap.h"
#include "ui/QuorvixMain.h"

// Dark blue discs of radius 3.5 with anti-aliased edges at the given centres.
inline Bitmap Discs(int w, int h, const std::vector<QPointF>& centres) {
  Bitmap b(w, h);
  for (const QPointF& c : centres) {
    for (int y = static_cast<int>(c.y()) - 5; y <= static_cast<int>(c.y()) + 5; ++y) {
      for (int x = static_cast<int>(c.x()) - 5; x <= static_cast<int>(c.x()) + 5; ++x) {
        int hits = 0;
        for (int j = 0; j < 4; ++j)
          for (int i = 0; i < 4; ++i)
            hits +=
                std::hypot(x - 0.5 + (i + 0.5) / 4 - c.x(), y - 0.5 + (j + 0.5) / 4 - c.y()) <= 3.5 ? 1 : 0;
        if (hits > 0 && b.contains(x, y))
          b.setPixel(x, y, MakeColour(255 - 235 * hits / 16, 255 - 215 * hits / 16, 255 - 105 * hits / 16));
      }
    }
  }
  return b;
}

// The item of the main window's menu `menuText` whose text is `text`.
inline QAction* MenuAction(TForm1& window, const QString& menuText, const QString& text) {
  for (QAction* menu : window.menuBar()->actions()) {
    if (menu->text() != menuText) continue;
    for (QAction* a : menu->menu()->actions())
      if (a->text() == text) return a;
  }
  return nullptr;
}
