#pragma once

#include <QImage>
#include <QPainter>

#include "image/Bitmap.h"

struct AppState;

// The found points over the picture as it is shown: the marker of
// output/PointMarkers at each centre mapped through the displayed picture's
// rectangle, sized for the zoom, clipped to the view area. Nothing while a
// run is under way, when "Show found points" is off, or when the centres no
// longer match the picture. The marker is made once per size and colour and
// then copied to every point, so that thousands of points paint in a few
// milliseconds.
class FoundPointsOverlay {
 public:
  void paint(QPainter& painter, const AppState& state);

 private:
  QImage marker_;
  int half_ = 0;
  double radius_ = -1;
  Colour colour_ = 0;
};
