#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "image/EditTestSupport.h"
#include "image/Rotation.h"
#include "image/RotationCommands.h"
#include "support/TurnAndTrim.h"

namespace {

// A fake that can make the turn fail part-way, as a failing allocation would.
class FailingUi : public RepaintingUi {
 public:
  using RepaintingUi::RepaintingUi;
  void setStatusText(int panel, const std::string& text) override {
    RepaintingUi::setStatusText(panel, text);
    if (text == failAt) throw std::runtime_error("Out of memory");
  }
  std::string failAt;
};

struct RotationCommandTest : ::testing::Test {
  RotationCommandTest() : ui(state) {
    LoadPicture(state, RandomPicture(30, 20, 31, 0.5));
    enableButtons = [this](bool on) { buttonStates.push_back(on); };
  }

  void turn(const std::string& angle) {
    ui.fields[Field::RotateAngle] = angle;
    RotateClockwiseCommand(state, ui, enableButtons);
  }
  // The dialog opened, `inside` run while it is shown, then closed.
  void openDialog(const std::function<void()>& inside) { RotateBitmapCommand(state, ui, inside); }

  AppState state;
  FailingUi ui;
  std::vector<bool> buttonStates;
  EnableRotationButtons enableButtons;
};

TEST_F(RotationCommandTest, OpeningCommitsTheShownPictureAndClosingCommitsTheTurn) {
  state.WorkImage.setPixel(0, 0, BlackColour);  // a provisional grey-limit result
  const Bitmap shown = state.WorkImage;
  state.RotationTotal = 1.0;
  bool ran = false;
  openDialog([&] {
    ran = true;
    EXPECT_EQ(state.RotationTotal, 0.0);
    EXPECT_EQ(state.BaseImage, shown);
  });
  EXPECT_TRUE(ran);
  EXPECT_EQ(state.BaseImage, shown);  // closed right away: the picture as shown, committed
  EXPECT_EQ(state.WorkImage, shown);
  EXPECT_EQ(ui.mainRepaints, 1);

  openDialog([&] { turn("12.5"); });
  Bitmap expected = shown;
  TurnAndTrim(expected, DegreesToRadians(12.5));
  EXPECT_EQ(state.WorkImage, expected);
  EXPECT_EQ(state.BaseImage, expected);
}

TEST_F(RotationCommandTest, EachTurnStartsFromThePictureAtOpeningWithTheWholeTotal) {
  const Bitmap atOpening = state.WorkImage;
  openDialog([&] {
    turn("10");
    turn("10");
    EXPECT_EQ(state.RotationTotal, DegreesToRadians(20.0));
    Bitmap once = atOpening;
    TurnAndTrim(once, DegreesToRadians(20.0));
    EXPECT_EQ(state.WorkImage, once);
    EXPECT_EQ(state.BaseImage, atOpening);
  });
}

TEST_F(RotationCommandTest, ResetOriginalGoesBackToThePictureAtOpening) {
  const Bitmap atOpening = state.WorkImage;
  openDialog([&] {
    turn("25");
    turn("-3");
    ResetOriginalCommand(state, ui);
    EXPECT_EQ(state.WorkImage, atOpening);
    EXPECT_EQ(state.RotationTotal, 0.0);
    EXPECT_EQ(ui.fields[Field::RotateAngle], "-3");  // the angle text stays
    turn("0");                                       // the next turn starts from 0: only the margin goes
    Bitmap trimmed = atOpening;
    int w = 0, h = 0;
    TrimWhiteBorder(trimmed, w, h);
    EXPECT_EQ(state.WorkImage, trimmed);
  });
}

TEST_F(RotationCommandTest, AnUnreadableAngleAddsNothing) {
  openDialog([&] {
    turn("15");
    const Bitmap turned = state.WorkImage;
    const double total = state.RotationTotal;
    for (const std::string text : {"abc", "", "--", "+."}) {
      turn(text);
      EXPECT_EQ(state.RotationTotal, total) << text;
      EXPECT_EQ(state.WorkImage, turned) << text;
    }
  });
}

TEST_F(RotationCommandTest, ReportsColumnsAndSwitchesTheButtonsOffMeanwhile) {
  LoadPicture(state, Bitmap(300, 200, BlackColour));  // canvas 361
  turn("5");
  std::vector<std::string> expected = {"Status: Starting..."};
  for (int i = 1; i <= 361; ++i) expected.push_back(PassStatusText(i, 361));
  expected.push_back("Status: Finalizing...");
  expected.push_back("Status: Ready");
  EXPECT_EQ(ui.statusHistory[StatusProgress], expected);
  EXPECT_EQ(buttonStates, (std::vector<bool>{false, true}));
  EXPECT_EQ(ui.mainRepaints, 1);
  EXPECT_TRUE(ui.errors.empty());
}

TEST_F(RotationCommandTest, AFailurePartWayStillRunsTheClosingSteps) {
  ui.failAt = "Status: 3 / 36";  // the canvas of a 30 x 20 picture is 36 wide
  turn("30");
  EXPECT_EQ(buttonStates, (std::vector<bool>{false, true}));
  const auto& status = ui.statusHistory[StatusProgress];
  ASSERT_GE(status.size(), 3u);
  EXPECT_EQ(status[status.size() - 3], "Status: 3 / 36");
  EXPECT_EQ(status[status.size() - 2], "Status: Finalizing...");
  EXPECT_EQ(status.back(), "Status: Ready");
  EXPECT_EQ(ui.mainRepaints, 1);
  EXPECT_EQ(ui.errors, std::vector<std::string>{"Out of memory"});
}

TEST_F(RotationCommandTest, AWhitePictureKeepsItsSize) {
  LoadPicture(state, Bitmap(30, 20));
  openDialog([&] { turn("40"); });
  EXPECT_EQ(state.WorkImage, Bitmap(30, 20));
  EXPECT_EQ(state.BaseImage, Bitmap(30, 20));
  // The pass still walks the columns of the untrimmed picture.
  const auto& status = ui.statusHistory[StatusProgress];
  ASSERT_EQ(status.size(), 33u);
  EXPECT_EQ(status[1], "Status: 1 / 30");
  EXPECT_EQ(status[30], "Status: 30 / 30");
}

TEST_F(RotationCommandTest, NothingTurnsDuringAnExtractionRun) {
  const Bitmap shown = state.WorkImage;
  state.RunInProgress = true;
  bool shownDialog = false;
  openDialog([&] { shownDialog = true; });
  turn("30");
  ResetOriginalCommand(state, ui);
  EXPECT_FALSE(shownDialog);
  EXPECT_EQ(state.WorkImage, shown);
  EXPECT_TRUE(buttonStates.empty());
  EXPECT_EQ(ui.mainRepaints, 0);
}

}  // namespace
