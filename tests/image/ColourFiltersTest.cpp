#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "image/DiscardColour.h"
#include "image/EditCommands.h"
#include "image/EditTestSupport.h"
#include "image/GreyLimit.h"

namespace {

const Colour Bluish = MakeColour(10, 20, 31);  // grey value 61 div 3 = 20

struct GreyLimitCase {
  Colour colour;
  int limit;
  bool whitened;
};

TEST(ApplyGreyLimit, WhitensOnlyPixelsStrictlyLighterThanTheLimit) {
  const std::vector<GreyLimitCase> cases = {
      {Bluish, 0, true},
      {Bluish, 19, true},
      {Bluish, 20, false},  // equal to the limit: kept
      {Bluish, 255, false},
      {BlackColour, 0, false},
      {MakeColour(1, 1, 0), 0, false},  // channels sum to 2: grey 0
      {MakeColour(1, 1, 1), 0, true},
      {MakeColour(255, 255, 254), 254, false},
      {MakeColour(255, 255, 254), 253, true},
      {WhiteColour, 0, false},  // white is never touched (and stays white)
  };
  for (const GreyLimitCase& c : cases) {
    Bitmap picture(2, 1, BlackColour);
    picture.setPixel(1, 0, c.colour);
    ApplyGreyLimit(picture, c.limit);
    EXPECT_EQ(picture.pixel(1, 0), c.whitened ? WhiteColour : c.colour)
        << "colour " << std::hex << c.colour << std::dec << " at limit " << c.limit;
    EXPECT_EQ(picture.pixel(0, 0), BlackColour);
  }
}

TEST(DiscardColour, TurnsColoursIntoTheGreyOfTheirGreyValue) {
  Bitmap picture(3, 2, WhiteColour);
  picture.setPixel(0, 0, Bluish);
  picture.setPixel(1, 0, BlackColour);
  picture.setPixel(2, 0, MakeColour(255, 0, 0));
  picture.setPixel(0, 1, MakeColour(255, 255, 254));
  picture.setPixel(1, 1, MakeColour(7, 7, 7));
  std::vector<std::string> rows;
  DiscardColour(picture, [&rows](int step, int total) { rows.push_back(PassStatusText(step, total)); });

  EXPECT_EQ(picture.pixel(0, 0), MakeColour(20, 20, 20));
  EXPECT_EQ(picture.pixel(1, 0), BlackColour);
  EXPECT_EQ(picture.pixel(2, 0), MakeColour(85, 85, 85));
  EXPECT_EQ(picture.pixel(0, 1), MakeColour(254, 254, 254));
  EXPECT_EQ(picture.pixel(1, 1), MakeColour(7, 7, 7));
  EXPECT_EQ(picture.pixel(2, 1), WhiteColour);
  EXPECT_EQ(rows, (std::vector<std::string>{"Status: 1 / 2", "Status: 2 / 2"}));
}

// A picture with one pixel of each kind, loaded.
struct GreyLimitCommandTest : ::testing::Test {
  GreyLimitCommandTest() : ui(state) {
    Bitmap picture(3, 1, BlackColour);
    picture.setPixel(0, 0, Bluish);
    picture.setPixel(1, 0, MakeColour(200, 100, 50));  // grey 116
    LoadPicture(state, picture);
    ui.enabled[Control::ButtonPanel] = true;
  }

  void enter(const std::string& text) {
    ui.fields[Field::WhiteLimit] = text;
    GreyLimitCommand(state, ui, [this] { ++focusMoves; });
  }

  AppState state;
  RepaintingUi ui;
  int focusMoves = 0;
};

struct LimitTextCase {
  std::string text;
  int applied;
  std::string fieldAfter;
};

TEST_F(GreyLimitCommandTest, ClampsTheTypedLimitAndWritesItBack) {
  const std::vector<LimitTextCase> cases = {
      {"19", 19, "19"},     {"20", 20, "20"},      {"300", 255, "255"}, {"-5", 0, "0"},
      {"+116", 116, "116"}, {"  115", 115, "115"}, {"-0", 0, "0"},
  };
  for (const LimitTextCase& c : cases) {
    enter(c.text);
    EXPECT_EQ(state.GreyLimit, c.applied) << c.text;
    EXPECT_EQ(ui.fields[Field::WhiteLimit], c.fieldAfter) << c.text;
    Bitmap expected = state.BaseImage;
    ApplyGreyLimit(expected, c.applied);
    EXPECT_EQ(state.WorkImage, expected) << c.text;
  }
  EXPECT_TRUE(ui.errors.empty());
}

TEST_F(GreyLimitCommandTest, StartsAgainFromTheCommittedPicture) {
  enter("0");
  EXPECT_EQ(state.WorkImage.pixel(0, 0), WhiteColour);
  EXPECT_EQ(state.WorkImage.pixel(2, 0), BlackColour);
  enter("20");  // raising the limit brings the whitened pixel back
  EXPECT_EQ(state.WorkImage.pixel(0, 0), Bluish);
  EXPECT_EQ(state.WorkImage.pixel(1, 0), WhiteColour);
  EXPECT_EQ(state.BaseImage, state.DiskImage);  // never committed
}

TEST_F(GreyLimitCommandTest, RunsItsStepsAroundThePass) {
  enter("20");
  EXPECT_EQ(ui.statusHistory[StatusProgress],
            (std::vector<std::string>{"Status: Working...", "Status: Ready"}));
  EXPECT_EQ(ui.busyHistory, (std::vector<bool>{true, false}));
  EXPECT_EQ(ui.mainRepaints, 1);
  EXPECT_EQ(focusMoves, 1);

  ui.enabled[Control::ButtonPanel] = false;
  enter("20");
  EXPECT_EQ(focusMoves, 1);  // a disabled panel does not take the focus
}

TEST_F(GreyLimitCommandTest, RejectsTextThatIsNoWholeNumberButStillCloses) {
  enter("100");
  for (const std::string text : {"abc", "", "12x", "1.5", "2 0", "99999999999", "+", "+-3", "0x10"}) {
    state.WorkImage.setPixel(2, 0, MakeColour(1, 2, 3));  // a provisional change to be undone
    ui.statusHistory[StatusProgress].clear();
    ui.busyHistory.clear();
    ui.errors.clear();
    const int repaints = ui.mainRepaints;
    const int focus = focusMoves;

    enter(text);
    EXPECT_EQ(ui.errors, std::vector<std::string>{"'" + text + "' is not a valid integer value"}) << text;
    EXPECT_EQ(state.GreyLimit, 100) << text;
    EXPECT_EQ(ui.fields[Field::WhiteLimit], text);
    EXPECT_EQ(state.WorkImage, state.BaseImage) << text;
    EXPECT_EQ(ui.mainRepaints, repaints + 1);
    EXPECT_EQ(ui.busyHistory, (std::vector<bool>{true, false}));
    EXPECT_EQ(focusMoves, focus + 1);
    EXPECT_EQ(ui.statusHistory[StatusProgress],
              (std::vector<std::string>{"Status: Working...", "Status: Ready"}));
  }
}

struct DiscardCommandTest : ::testing::Test {
  DiscardCommandTest() : ui(state) {}
  AppState state;
  RepaintingUi ui;
};

TEST_F(DiscardCommandTest, AsksThenGreysRowByRowWithoutCommitting) {
  LoadPicture(state, RandomPicture(4, 3, 7, 0.2));
  ui.answers = {Answer::Yes};
  DiscardColourCommand(state, ui);

  ASSERT_EQ(ui.questions.size(), 1u);
  EXPECT_EQ(ui.questions[0].text, "Discard color information ?");
  EXPECT_EQ(ui.questions[0].type, QuestionType::Confirmation);
  EXPECT_EQ(ui.questions[0].buttons, QuestionButtons::YesCancel);
  Bitmap expected = state.BaseImage;
  DiscardColour(expected);
  EXPECT_EQ(state.WorkImage, expected);
  EXPECT_NE(state.WorkImage, state.BaseImage);
  EXPECT_EQ(state.BaseImage, state.DiskImage);
  EXPECT_EQ(ui.statusHistory[StatusProgress],
            (std::vector<std::string>{"Status: 1 / 3", "Status: 2 / 3", "Status: 3 / 3", "Status: Ready"}));
  EXPECT_EQ(ui.mainRepaints, 1);
}

TEST_F(DiscardCommandTest, CancelChangesNothing) {
  LoadPicture(state, RandomPicture(4, 3, 8));
  ui.answers = {Answer::Cancel};
  DiscardColourCommand(state, ui);
  EXPECT_EQ(state.WorkImage, state.DiskImage);
  EXPECT_TRUE(ui.statusHistory[StatusProgress].empty());
  EXPECT_EQ(ui.mainRepaints, 0);
}

TEST_F(DiscardCommandTest, WithoutAPictureItStillAsksAndEndsReady) {
  ui.answers = {Answer::Yes};
  DiscardColourCommand(state, ui);
  EXPECT_EQ(ui.questions.size(), 1u);
  EXPECT_EQ(ui.statusHistory[StatusProgress], std::vector<std::string>{"Status: Ready"});
  EXPECT_TRUE(state.WorkImage.empty());
}

TEST_F(DiscardCommandTest, TheGreyLimitBringsTheColoursBack) {
  Bitmap picture(2, 1);
  picture.setPixel(0, 0, Bluish);
  picture.setPixel(1, 0, MakeColour(200, 100, 50));
  LoadPicture(state, picture);
  ui.answers = {Answer::Yes};
  DiscardColourCommand(state, ui);
  EXPECT_EQ(state.WorkImage.pixel(0, 0), MakeColour(20, 20, 20));

  ui.fields[Field::WhiteLimit] = "200";
  GreyLimitCommand(state, ui);
  EXPECT_EQ(state.WorkImage, picture);  // nothing whitened, colours back

  ui.fields[Field::WhiteLimit] = "20";
  GreyLimitCommand(state, ui);
  EXPECT_EQ(state.WorkImage.pixel(0, 0), Bluish);
  EXPECT_EQ(state.WorkImage.pixel(1, 0), WhiteColour);
}

}  // namespace
