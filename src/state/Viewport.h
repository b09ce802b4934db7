#pragma once

#include "state/AppState.h"

// Where the main window's controls around the picture area stand, as the
// picture layout needs them.
struct ViewportGeometry {
  int PanelWidth = 129;  // the button panel on the left
  int PanelTop = 0;
  int VertBarLeft = 816;
  int VertBarHeight = 449;
  int VertBarPosition = 98;  // 0..100
  int HorizBarTop = 552;
  int HorizBarWidth = 601;
  int HorizBarPosition = 0;  // 0..100
};

// Recomputes ViewArea, SourceRect and DisplayRect for the current zoom and
// scroll positions.
void LayoutViewport(AppState& state, const ViewportGeometry& geometry);

// The twelve zoom codes: -32 ... -1, 1 ... 32.
int ZoomDown(int zoom);
int ZoomUp(int zoom);

// The selection corners mapped to an inclusive picture rectangle (all -1 when
// it covers no pixel; all 0 when no selection is active).
Rect MapSelectionToBitmap(const AppState& state);
// Orders the corners and clamps them to a width x height picture.
void NormaliseBitmapRect(Rect& r, int width, int height);

// A point of the picture (pixel-index coordinates: pixel k's centre at k) on
// the screen as the picture is shown (DisplayRect), and a screen point back
// on the picture. Screen pixel k spans [k, k + 1) too.
struct ScreenPoint {
  double x = 0.0;
  double y = 0.0;
};
ScreenPoint PictureToScreen(const AppState& state, PictureCentre centre);
PictureCentre ScreenToPicture(const AppState& state, ScreenPoint at);

// Screen pixels per picture pixel as the picture is shown (the smaller of
// the two directions).
double DisplayScale(const AppState& state);
