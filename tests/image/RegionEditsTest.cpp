#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "image/EditCommands.h"
#include "image/EditTestSupport.h"
#include "image/RegionEdits.h"
#include "state/Viewport.h"

namespace {

bool Inside(const Rect& area, int x, int y) {
  return x >= area.Left && x <= area.Right && y >= area.Top && y <= area.Bottom;
}

struct AreaCase {
  const char* name;
  Rect area;  // inclusive
};

// Areas of a 6 x 5 picture.
const std::vector<AreaCase> Areas = {
    {"one pixel", {2, 3, 2, 3}},         {"whole picture", {0, 0, 5, 4}}, {"top left edge", {0, 0, 2, 1}},
    {"bottom right edge", {3, 2, 5, 4}}, {"inner", {1, 1, 3, 2}},         {"one column", {4, 0, 4, 4}},
};

TEST(RegionEdits, ClearInsideAndOutsideSplitThePictureAtTheAreaEdges) {
  const Bitmap original = RandomPicture(6, 5, 1);
  for (const AreaCase& c : Areas) {
    Bitmap inside = original;
    Bitmap outside = original;
    ClearInside(inside, c.area);
    ClearOutside(outside, c.area);
    for (int y = 0; y < 5; ++y) {
      for (int x = 0; x < 6; ++x) {
        const bool in = Inside(c.area, x, y);
        EXPECT_EQ(inside.pixel(x, y), in ? WhiteColour : original.pixel(x, y))
            << c.name << " " << x << "," << y;
        EXPECT_EQ(outside.pixel(x, y), in ? original.pixel(x, y) : WhiteColour)
            << c.name << " " << x << "," << y;
      }
    }
  }
}

TEST(RegionEdits, CropKeepsExactlyTheArea) {
  const Bitmap original = RandomPicture(6, 5, 2);
  for (const AreaCase& c : Areas) {
    Bitmap picture = original;
    CropToArea(picture, c.area);
    ASSERT_EQ(picture.width(), c.area.Right - c.area.Left + 1) << c.name;
    ASSERT_EQ(picture.height(), c.area.Bottom - c.area.Top + 1) << c.name;
    for (int y = 0; y < picture.height(); ++y) {
      for (int x = 0; x < picture.width(); ++x) {
        EXPECT_EQ(picture.pixel(x, y), original.pixel(c.area.Left + x, c.area.Top + y)) << c.name;
      }
    }
  }
}

TEST(RegionEdits, AnAreaThatCoversNothingChangesNothing) {
  const Bitmap original = RandomPicture(6, 5, 3);
  for (const Rect area : {Rect{-1, -1, -1, -1}, Rect{3, 1, 2, 4}, Rect{1, 3, 4, 2}}) {
    Bitmap picture = original;
    ClearInside(picture, area);
    ClearOutside(picture, area);
    CropToArea(picture, area);
    EXPECT_EQ(picture, original);
  }
}

using Command = std::function<void(AppState&, Ui&)>;

struct RegionCommandTest : ::testing::Test {
  RegionCommandTest() : ui(state) { LoadPicture(state, RandomPicture(6, 5, 4)); }
  AppState state;
  RepaintingUi ui;
};

// Drags given in picture pixels (one past the last column or row lies
// beyond the picture) and the inclusive area they select.
struct DragCase {
  const char* name;
  int x1, y1, x2, y2;
  Rect area;
};

const std::vector<DragCase> Drags = {
    {"one pixel", 2, 3, 2, 3, {2, 3, 2, 3}},
    {"whole picture", 0, 0, 5, 4, {0, 0, 5, 4}},
    {"beyond the picture", -3, -2, 9, 8, {0, 0, 5, 4}},
    {"left and top edge, dragged backwards", 2, 1, 0, 0, {0, 0, 2, 1}},
    {"right and bottom edge", 3, 2, 5, 4, {3, 2, 5, 4}},
};

TEST_F(RegionCommandTest, ClearsKeepTheSelectionAndCommit) {
  const Bitmap original = state.WorkImage;
  const std::vector<std::pair<const char*, Command>> commands = {{"Clear Inside", ClearInsideCommand},
                                                                 {"Clear Outside", ClearOutsideCommand},
                                                                 {"Delete", DeleteKeyCommand}};
  for (const auto& [name, command] : commands) {
    for (const DragCase& d : Drags) {
      LoadPicture(state, original);
      state.WorkImage.setPixel(0, 0, BlackColour);  // a provisional edit, committed with the clear
      Bitmap expected = state.WorkImage;
      if (std::string(name) == "Clear Outside") {
        ClearOutside(expected, d.area);
      } else {
        ClearInside(expected, d.area);
      }
      SelectPixels(state, d.x1, d.y1, d.x2, d.y2);
      ASSERT_EQ(MapSelectionToBitmap(state), d.area) << d.name;
      ui.outlineWhileActive.clear();
      const int repaints = ui.mainRepaints;

      command(state, ui);
      EXPECT_EQ(state.WorkImage, expected) << name << ", " << d.name;
      EXPECT_EQ(state.BaseImage, state.WorkImage) << name << ", " << d.name;
      EXPECT_EQ(state.DiskImage, original);
      EXPECT_TRUE(state.SelectionActive) << name << ", " << d.name;
      EXPECT_EQ(ui.outlineWhileActive, std::vector<bool>{true}) << name << ", " << d.name;
      EXPECT_EQ(ui.mainRepaints, repaints + 1);
    }
  }
}

TEST_F(RegionCommandTest, ClearingTwiceLeavesThePictureAndTheOutline) {
  SelectPixels(state, 1, 1, 3, 2);
  ClearInsideCommand(state, ui);
  const Bitmap once = state.WorkImage;
  ClearInsideCommand(state, ui);
  EXPECT_EQ(state.WorkImage, once);
  EXPECT_EQ(ui.outlineWhileActive, (std::vector<bool>{true, true}));
  EXPECT_TRUE(state.SelectionActive);
}

TEST_F(RegionCommandTest, CropEndsTheSelectionAndCommits) {
  const Bitmap original = state.WorkImage;
  for (const DragCase& d : Drags) {
    LoadPicture(state, original);
    Bitmap expected = original;
    CropToArea(expected, d.area);
    SelectPixels(state, d.x1, d.y1, d.x2, d.y2);
    CropImageCommand(state, ui);
    EXPECT_EQ(state.WorkImage, expected) << d.name;
    EXPECT_EQ(state.BaseImage, expected) << d.name;
    EXPECT_FALSE(state.SelectionActive) << d.name;
  }
  EXPECT_EQ(ui.selectionOutlineDraws, 0);

  // A second crop without a new selection does nothing.
  const Bitmap cropped = state.WorkImage;
  const int repaints = ui.mainRepaints;
  CropImageCommand(state, ui);
  EXPECT_EQ(state.WorkImage, cropped);
  EXPECT_EQ(ui.mainRepaints, repaints);
}

TEST_F(RegionCommandTest, NothingHappensWithoutASelectionOfPicturePixels) {
  const Bitmap original = state.WorkImage;
  state.WorkImage.setPixel(0, 0, BlackColour);
  const Bitmap shown = state.WorkImage;
  const std::vector<Command> commands = {ClearInsideCommand, ClearOutsideCommand, CropImageCommand,
                                         DeleteKeyCommand};
  for (const Command& command : commands) {
    state.SelectionActive = false;  // no selection (or a repaint ended it)
    command(state, ui);
    SelectPixels(state, 0, 7, 5, 9);  // wholly below the picture
    ASSERT_EQ(MapSelectionToBitmap(state), (Rect{-1, -1, -1, -1}));
    command(state, ui);
    SelectPixels(state, 7, 0, 9, 4);  // wholly right of it
    command(state, ui);
  }
  EXPECT_EQ(state.WorkImage, shown);
  EXPECT_EQ(state.BaseImage, original);
  EXPECT_EQ(ui.mainRepaints, 0);
  EXPECT_EQ(ui.selectionOutlineDraws, 0);
  EXPECT_TRUE(ui.statusHistory[StatusProgress].empty());
}

TEST_F(RegionCommandTest, EveryEditWaitsForAnExtractionRunToEnd) {
  state.RunInProgress = true;
  ui.answers = {Answer::Yes, Answer::Yes, Answer::Yes};
  ui.fields[Field::WhiteLimit] = "0";
  const std::vector<Command> commands = {
      [](AppState& s, Ui& u) { GreyLimitCommand(s, u); },
      DiscardColourCommand,
      ReduceBitmapCommand,
      ClearInsideCommand,
      ClearOutsideCommand,
      CropImageCommand,
      DeleteKeyCommand,
  };
  const Bitmap original = state.WorkImage;
  for (const Command& command : commands) {
    SelectPixels(state, 1, 1, 3, 3);
    command(state, ui);
  }
  EXPECT_EQ(state.WorkImage, original);
  EXPECT_EQ(state.GreyLimit, 255);
  EXPECT_TRUE(ui.questions.empty());
  EXPECT_EQ(ui.mainRepaints, 0);
  EXPECT_TRUE(ui.statusHistory[StatusProgress].empty());
}

}  // namespace
