#pragma once

#include <random>
#include <string>
#include <vector>

#include "state/AppState.h"
#include "state/Bitmap.h"
#include "support/FakeUi.h"

// A fake Ui whose repaint ends the selection, as the main window's repaint
// does, and which notes whether the selection was active when its outline
// was drawn.
class RepaintingUi : public FakeUi {
 public:
  explicit RepaintingUi(AppState& state) : state_(state) {}

  void repaintMain() override {
    FakeUi::repaintMain();
    state_.SelectionActive = false;
  }
  void drawSelectionOutline() override {
    FakeUi::drawSelectionOutline();
    outlineWhileActive.push_back(state_.SelectionActive);
  }
  void setBusy(bool on) override {
    FakeUi::setBusy(on);
    busyHistory.push_back(on);
  }

  std::vector<bool> outlineWhileActive;
  std::vector<bool> busyHistory;

 private:
  AppState& state_;
};

// A picture of random colours, white pixels among them at about `whiteShare`.
inline Bitmap RandomPicture(int width, int height, unsigned seed, double whiteShare = 0.0) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<std::uint32_t> colour(0, 0xFFFFFE);
  std::bernoulli_distribution white(whiteShare);
  Bitmap picture(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) picture.setPixel(x, y, white(random) ? WhiteColour : colour(random));
  }
  return picture;
}

// A state with `picture` loaded: the three bitmaps equal, shown at zoom 1 in
// a picture area that starts at client x 129.
inline void LoadPicture(AppState& state, const Bitmap& picture) {
  state.BaseImage = picture;
  state.WorkImage = picture;
  state.DiskImage = picture;
  state.Zoom = 1;
  state.DisplayRect = {129, 0, 129 + picture.width(), picture.height()};
}

// A finished drag over the picture from pixel (x1, y1) to pixel (x2, y2).
inline void SelectPixels(AppState& state, int x1, int y1, int x2, int y2) {
  state.SelectionScreenRect = {state.DisplayRect.Left + x1, state.DisplayRect.Top + y1,
                               state.DisplayRect.Left + x2, state.DisplayRect.Top + y2};
  state.SelectionActive = true;
}
