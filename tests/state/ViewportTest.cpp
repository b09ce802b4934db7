#include <gtest/gtest.h>

#include "state/Viewport.h"

namespace {

AppState WithPicture(int w, int h, int zoom) {
  AppState state;
  state.WorkImage.setSize(w, h);
  state.Zoom = zoom;
  return state;
}

TEST(LayoutViewport, DisplaySizeForEveryZoomCode) {
  struct Case {
    int zoom, width, height;
  };
  for (const Case& c : {Case{1, 1000, 800}, Case{2, 2000, 1600}, Case{32, 32000, 25600}, Case{-1, 500, 400},
                        Case{-2, 250, 200}, Case{-32, 15, 12}}) {
    SCOPED_TRACE(c.zoom);
    AppState state = WithPicture(1000, 800, c.zoom);
    ViewportGeometry g;
    g.VertBarPosition = 0;
    LayoutViewport(state, g);
    EXPECT_EQ(state.DisplayRect.width(), c.width);
    EXPECT_EQ(state.DisplayRect.height(), c.height);
    EXPECT_EQ(state.SourceRect, (Rect{0, 0, 1000, 800}));
    EXPECT_EQ(state.ViewArea, (Rect{129, 0, 816, 551}));
  }
}

TEST(LayoutViewport, ScrollBarsMoveOnlyPicturesThatDoNotFit) {
  ViewportGeometry g;  // vertical bar at 98, horizontal at 0
  AppState fits = WithPicture(100, 50, 1);
  g.HorizBarPosition = 70;
  LayoutViewport(fits, g);
  EXPECT_EQ(fits.DisplayRect, (Rect{129, 0, 229, 50}));

  // Taller than the area: (h - bar height + 1) * 98 / 100, rounded half to even.
  AppState tall = WithPicture(100, 1000, 1);
  LayoutViewport(tall, g);
  const int expected = 541;  // (1000 - 449 + 1) * 0.98 = 540.96
  EXPECT_EQ(tall.DisplayRect.Top, -expected);
  EXPECT_EQ(tall.DisplayRect.Bottom, 1000 - expected);

  AppState wide = WithPicture(2000, 10, 1);
  g.HorizBarPosition = 50;  // (2000 - 601 + 1) * 0.5 = 700
  LayoutViewport(wide, g);
  EXPECT_EQ(wide.DisplayRect.Left, 129 - 700);
  g.HorizBarWidth = 1998;  // (2000 - 1998 + 1) * 0.5 = 1.5 -> 2 (half to even)
  LayoutViewport(wide, g);
  EXPECT_EQ(wide.DisplayRect.Left, 129 - 2);
}

TEST(Zoom, StepsThroughTheTwelveCodesAndStopsAtTheEnds) {
  const int codes[] = {-32, -16, -8, -4, -2, -1, 1, 2, 4, 8, 16, 32};
  for (int i = 0; i < 12; ++i) {
    SCOPED_TRACE(codes[i]);
    EXPECT_EQ(ZoomUp(codes[i]), codes[std::min(i + 1, 11)]);
    EXPECT_EQ(ZoomDown(codes[i]), codes[std::max(i - 1, 0)]);
  }
}

struct Drag {
  int x1, y1, x2, y2;
  Rect expected;
};

TEST(MapSelectionToBitmap, MapsScreenCornersToInclusivePicturePixels) {
  // A 100 x 50 picture at zoom 2, picture area starting at client (129, 0).
  const Drag drags[] = {
      {139, 10, 159, 30, {5, 5, 15, 15}},    // the plain drag
      {159, 30, 139, 10, {5, 5, 15, 15}},    // the same drag backwards
      {159, 10, 139, 30, {5, 5, 15, 15}},    // reversed in x only
      {100, 10, 139, 30, {0, 5, 5, 15}},     // starts left of the picture
      {400, 10, 420, 30, {-1, -1, -1, -1}},  // wholly right of the picture
      {139, 10, 600, 300, {5, 5, 99, 49}},   // ends beyond the lower right
  };
  for (const Drag& d : drags) {
    SCOPED_TRACE(::testing::Message() << d.x1 << "," << d.y1 << " -> " << d.x2 << "," << d.y2);
    AppState state = WithPicture(100, 50, 2);
    LayoutViewport(state, ViewportGeometry{});
    state.SelectionActive = true;
    state.SelectionScreenRect = {d.x1, d.y1, d.x2, d.y2};
    EXPECT_EQ(MapSelectionToBitmap(state), d.expected);
  }
}

TEST(MapSelectionToBitmap, EdgeCases) {
  AppState state = WithPicture(100, 50, 1);
  LayoutViewport(state, ViewportGeometry{});
  state.SelectionScreenRect = {139, 10, 159, 30};
  EXPECT_EQ(MapSelectionToBitmap(state), (Rect{0, 0, 0, 0})) << "no active selection";

  state.SelectionActive = true;
  state.SelectionScreenRect = {129 + 99, 5, 129 + 100, 5};  // last column to one beyond
  const Rect r = MapSelectionToBitmap(state);
  EXPECT_EQ(r.Left, 99);
  EXPECT_EQ(r.Right, 99);

  AppState empty;  // no picture loaded
  LayoutViewport(empty, ViewportGeometry{});
  empty.SelectionActive = true;
  empty.SelectionScreenRect = {130, 1, 140, 10};
  EXPECT_EQ(MapSelectionToBitmap(empty), (Rect{-1, -1, -1, -1}));
}

}  // namespace
