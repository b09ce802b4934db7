#pragma once

#include <QPainter>
#include <Qt>
#include <optional>

#include "state/Viewport.h"
#include "ui/FoundPointsOverlay.h"

class TForm1;
class Ui;
struct AppState;

// The main window's picture area: repaint at the current zoom and scroll
// position, the zoom buttons, and the rubber-band selection.
class MainView {
 public:
  MainView(AppState& state, Ui& ui, TForm1& window);

  // The repaint: status texts, layout, background strips, picture; the
  // selection outline is painted over.
  void FormPaint();
  void zoomDown();
  void zoomUp();
  // `steps` zoom steps up (down when negative) keeping the picture point
  // under the screen point (x, y) where it is, as far as the scroll bars allow.
  void zoomAt(int steps, int x, int y);

  void FormMouseDown(Qt::MouseButton button, int x, int y);
  void FormMouseMove(int x, int y);
  void FormMouseUp(Qt::MouseButton button);
  // Redraws the outline of an active selection after a repaint.
  void DrawSelectionOutline();
  // The found points over the picture, on every paint of the picture area.
  void paintOverlay(QPainter& painter, const FoundPointsOverlay::Edits& edits);
  // View > "Show found points" checked or unchecked.
  void showFoundPoints(bool shown);
  // View > "Show unmatched ink" likewise.
  void showUnmatchedInk(bool shown);
  // Scrolls a larger-than-the-view picture so that the picture point lies
  // in the middle of the view, as far as the scroll bars reach.
  void scrollTo(PictureCentre centre);

 private:
  // Scrolls so that the picture point comes to `place` on the screen, or to
  // the middle of the view.
  void scrollToPlace(PictureCentre centre, std::optional<ScreenPoint> place);
  void xorSelection();
  void setZoom(int zoom);

  AppState& state_;
  Ui& ui_;
  TForm1& window_;
  FoundPointsOverlay overlay_;
};
