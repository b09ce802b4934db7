#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>

#include "image/Bitmap.h"

struct AppState;

// A colour for the found points' markers that stands out from the symbol's
// own (the unit template's mean ink) and from white paper.
QColor FoundPointColour(const Bitmap& unit);

// The found points over the picture as it is shown: a marker at each centre
// mapped through the displayed picture's rectangle, a ring just around the
// symbol as shown (never smaller than a few pixels) with a dot at the
// centre, clipped to the view area. Nothing while a run is under way, when
// "Show found points" is off, or when the centres no longer match the
// picture. The marker is drawn once per size and colour and then copied to
// every point, so that thousands of points paint in a few milliseconds.
class FoundPointsOverlay {
 public:
  void paint(QPainter& painter, const AppState& state);

 private:
  QImage marker_;
  double radius_ = -1;
  QColor colour_;
};
