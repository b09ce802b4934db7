#pragma once

#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QRect>
#include <vector>

#include "state/AppState.h"

// The found points over the picture as it is shown (and, with "Show
// unmatched ink", the ink none of them explains tinted under them): the marker of
// output/PointMarkers at each centre mapped through the displayed picture's
// rectangle, sized for the zoom, clipped to the view area. Nothing while a
// run is under way, when "Show found points" is off, or when the centres no
// longer match the picture; the markers only with "Show found points". The
// marker is made once per size and colour and
// then copied to every point, so that thousands of points paint in a few
// milliseconds.
class FoundPointsOverlay {
 public:
  // What editing the points adds: the selected points (one flag per point),
  // drawn highlighted and, while they are dragged, moved by `dragged` screen
  // pixels; and the rectangle being dragged out to select (screen pixels).
  struct Edits {
    std::vector<char> selected;
    QPointF dragged;
    QRect band;
  };

  void paint(QPainter& painter, const AppState& state, const Edits& edits);

  // The ring's radius on screen at the state's zoom.
  static double radius(const AppState& state);
  // A point's centre on the screen.
  static QPointF onScreen(const AppState& state, PictureCentre centre);

 private:
  const QImage& marker(bool selected) const { return selected ? selectedMarker_ : marker_; }

  // The tint over the unmatched ink, made again when the points or the
  // picture's size change.
  const QImage& unmatchedTint(const AppState& state);

  QImage marker_;
  QImage selectedMarker_;
  QImage tint_;
  std::size_t tintKey_ = 0;
  int half_ = 0;
  double radius_ = -1;
  Colour colour_ = 0;
};
