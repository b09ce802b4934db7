#include "ui/MainView.h"

#include <QLabel>
#include <QScrollBar>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <string>

#include "app/StatusTexts.h"
#include "state/AppState.h"
#include "state/Ui.h"
#include "state/Viewport.h"
#include "ui/PictureArea.h"
#include "ui/QuorvixMain.h"

MainView::MainView(AppState& state, Ui& ui, TForm1& window) : state_(state), ui_(ui), window_(window) {}

void MainView::FormPaint() {
  ShowPictureStatus(state_, ui_);
  window_.ZoomShowLabel->setText(QString::number(state_.Zoom));
  LayoutViewport(state_, window_.viewportGeometry());

  const Rect& v = state_.ViewArea;
  const Rect& d = state_.DisplayRect;
  PictureArea& area = *window_.pictureArea();
  const QColor background = area.palette().color(QPalette::ToolTipBase);
  if (v.Bottom > d.Bottom) area.fillRect({d.Left, d.Bottom, v.Right + 1, v.Bottom + 1}, background);
  if (v.Right > d.Right) area.fillRect({d.Right, v.Top - 1, v.Right + 1, d.Bottom}, background);
  area.drawPicture(state_.WorkImage, d, v);
  state_.SelectionActive = false;
}

void MainView::setZoom(int zoom) {
  state_.Zoom = zoom;
  window_.ZoomShowLabel->setText(QString::number(zoom));
  FormPaint();
}

void MainView::zoomDown() {
  setZoom(ZoomDown(window_.ZoomShowLabel->text().toInt()));
}
void MainView::zoomUp() {
  setZoom(ZoomUp(window_.ZoomShowLabel->text().toInt()));
}

void MainView::xorSelection() {
  const Rect& s = state_.SelectionScreenRect;
  window_.pictureArea()->xorRectangle(s.Left, s.Top, s.Right, s.Bottom);
}

void MainView::FormMouseDown(Qt::MouseButton button, int x, int y) {
  if (button != Qt::LeftButton || !window_.PanelBtn->isEnabled()) return;
  state_.SelectionDragging = true;
  if (state_.SelectionActive) xorSelection();
  state_.SelectionScreenRect = {x, y, x, y};
  xorSelection();
}

void MainView::FormMouseMove(int x, int y) {
  if (!state_.SelectionDragging) return;
  xorSelection();
  state_.SelectionScreenRect.Right = x;
  state_.SelectionScreenRect.Bottom = y;
  xorSelection();

  const bool wasActive = state_.SelectionActive;
  state_.SelectionActive = true;
  LayoutViewport(state_, window_.viewportGeometry());
  const Rect r = MapSelectionToBitmap(state_);
  state_.SelectionActive = wasActive;
  ui_.setStatusText(StatusProgress, "( " + std::to_string(r.Left) + " , " + std::to_string(r.Top) +
                                        " ) x ( " + std::to_string(r.Right) + " , " +
                                        std::to_string(r.Bottom) + " )");
}

void MainView::FormMouseUp(Qt::MouseButton button) {
  if (button != Qt::LeftButton) return;
  state_.SelectionDragging = false;
  state_.SelectionActive = true;
}

void MainView::DrawSelectionOutline() {
  if (!state_.SelectionActive) return;
  const Rect& s = state_.SelectionScreenRect;
  if (s.Top == s.Bottom || s.Left == s.Right) return;
  xorSelection();
}

void MainView::paintOverlay(QPainter& painter, const FoundPointsOverlay::Edits& edits) {
  overlay_.paint(painter, state_, edits);
}

void MainView::showFoundPoints(bool shown) {
  state_.ShowFoundPoints = shown;
  window_.pictureArea()->update();
}

void MainView::showUnmatchedInk(bool shown) {
  state_.ShowUnmatchedInk = shown;
  window_.pictureArea()->update();
}

namespace {

// The scroll position (0 .. 100) that puts `offset` (screen pixels into the
// display) `at` screen pixels into a view `view` wide, for a display
// `display` wide and a bar `bar` long; `current` when the display fits the view.
int ScrollPositionFor(double offset, int display, int view, int bar, int current, double at) {
  const int room = display - bar + 1;
  if (display <= view || room <= 0) return current;
  const double position = 100.0 * (offset - at) / room;
  return std::clamp(static_cast<int>(std::lround(position)), 0, 100);
}

}  // namespace

void MainView::scrollTo(PictureCentre centre) {
  scrollToPlace(centre, std::nullopt);
}

void MainView::scrollToPlace(PictureCentre centre, std::optional<ScreenPoint> place) {
  const ViewportGeometry g = window_.viewportGeometry();
  LayoutViewport(state_, g);
  const Rect& d = state_.DisplayRect;
  const Rect& v = state_.ViewArea;
  // Where the point lies in the whole picture as shown, scrolled or not, and
  // where in the view it is to come.
  const ScreenPoint at = PictureToScreen(state_, centre);
  const double intoX = place ? place->x - v.Left : v.width() / 2.0;
  const double intoY = place ? place->y - v.Top : v.height() / 2.0;
  window_.HorizBar->setValue(
      ScrollPositionFor(at.x - d.Left, d.width(), v.width(), g.HorizBarWidth, g.HorizBarPosition, intoX));
  window_.VertBar->setValue(
      ScrollPositionFor(at.y - d.Top, d.height(), v.height(), g.VertBarHeight, g.VertBarPosition, intoY));
}

void MainView::zoomAt(int steps, int x, int y) {
  int zoom = state_.Zoom;
  for (int i = 0; i < std::abs(steps); ++i) zoom = steps > 0 ? ZoomUp(zoom) : ZoomDown(zoom);
  if (zoom == state_.Zoom) return;
  LayoutViewport(state_, window_.viewportGeometry());
  const ScreenPoint pointer{x + 0.5, y + 0.5};
  const PictureCentre under = ScreenToPicture(state_, pointer);
  setZoom(zoom);
  scrollToPlace(under, pointer);
}
