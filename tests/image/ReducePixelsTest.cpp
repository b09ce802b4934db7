#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "image/EditCommands.h"
#include "image/EditTestSupport.h"
#include "image/ReducePixels.h"

namespace {

struct SizeCase {
  int width, height;
  int newWidth, newHeight;
};

TEST(ReducePixels, HalvesBothSidesAndDropsAnOddLastColumnOrRow) {
  const std::vector<SizeCase> cases = {
      {4, 4, 2, 2},     {5, 5, 2, 2},     {640, 480, 320, 240}, {7, 4, 3, 2}, {4, 9, 2, 4},
      {3, 100, 3, 100}, {100, 3, 100, 3}, {3, 3, 3, 3},  // below 4 in a direction: untouched
  };
  for (const SizeCase& c : cases) {
    const Bitmap original = RandomPicture(c.width, c.height, 3);
    Bitmap picture = original;
    ReducePixels(picture);
    EXPECT_EQ(picture.width(), c.newWidth) << c.width << " x " << c.height;
    EXPECT_EQ(picture.height(), c.newHeight) << c.width << " x " << c.height;
    if (!CanReducePixels(original)) {
      EXPECT_EQ(picture, original);
    }
  }
}

struct BlockCase {
  Colour a, b, c, d;  // (0, 0), (1, 0), (0, 1), (1, 1)
  Colour mean;
};

TEST(ReducePixels, EachPixelIsTheChannelMeanOfItsBlock) {
  const Colour red = MakeColour(255, 0, 0);
  const Colour blue = MakeColour(0, 0, 255);
  const Colour olive = MakeColour(12, 200, 77);
  const std::vector<BlockCase> cases = {
      {BlackColour, BlackColour, BlackColour, WhiteColour, MakeColour(63, 63, 63)},
      {red, blue, BlackColour, BlackColour, MakeColour(63, 0, 63)},
      {olive, olive, olive, olive, olive},
      {WhiteColour, WhiteColour, WhiteColour, WhiteColour, WhiteColour},
      {MakeColour(1, 2, 3), MakeColour(1, 2, 3), MakeColour(1, 2, 3), MakeColour(0, 1, 2),
       MakeColour(0, 1, 2)},
  };
  for (const BlockCase& c : cases) {
    // The block sits at (2, 2) of a 5 x 5 picture: its mean is pixel (1, 1).
    Bitmap picture(5, 5, BlackColour);
    picture.setPixel(2, 2, c.a);
    picture.setPixel(3, 2, c.b);
    picture.setPixel(2, 3, c.c);
    picture.setPixel(3, 3, c.d);
    ReducePixels(picture);
    EXPECT_EQ(picture.pixel(1, 1), c.mean) << std::hex << c.a << " " << c.b << " " << c.c << " " << c.d;
    EXPECT_EQ(picture.pixel(0, 0), BlackColour);
  }
}

TEST(ReducePixels, MatchesTheBlockMeanEverywhere) {
  for (const auto& [width, height] : std::vector<std::pair<int, int>>{{9, 7}, {301, 6}, {256, 4}}) {
    const Bitmap original = RandomPicture(width, height, 11, 0.3);
    Bitmap picture = original;
    ReducePixels(picture);
    ASSERT_EQ(picture.width(), width / 2);
    ASSERT_EQ(picture.height(), height / 2);
    for (int j = 0; j < height / 2; ++j) {
      for (int i = 0; i < width / 2; ++i) {
        const Colour p[4] = {original.pixel(2 * i, 2 * j), original.pixel(2 * i + 1, 2 * j),
                             original.pixel(2 * i, 2 * j + 1), original.pixel(2 * i + 1, 2 * j + 1)};
        int sum[3] = {0, 0, 0};
        for (const Colour c : p) {
          sum[0] += RedOf(c);
          sum[1] += GreenOf(c);
          sum[2] += BlueOf(c);
        }
        ASSERT_EQ(picture.pixel(i, j), MakeColour(sum[0] / 4, sum[1] / 4, sum[2] / 4))
            << width << " x " << height << " at " << i << ", " << j;
      }
    }
  }
}

TEST(ReducePixels, CountsEverySecondColumnInOrder) {
  for (const int width : {300, 301}) {
    Bitmap picture(width, 4, BlackColour);
    std::vector<int> steps;
    ReducePixels(picture, [&steps, width](int step, int total) {
      EXPECT_EQ(total, width);
      steps.push_back(step);
    });
    std::vector<int> expected;
    for (int x = 0; x <= width - 1; x += 2) expected.push_back(x + 1);
    EXPECT_EQ(steps, expected) << width;
  }
}

struct ReduceCommandTest : ::testing::Test {
  ReduceCommandTest() : ui(state) {}
  AppState state;
  RepaintingUi ui;
};

TEST_F(ReduceCommandTest, AsksHalvesAndCommitsWhatIsShown) {
  LoadPicture(state, RandomPicture(5, 6, 21));
  state.WorkImage.setPixel(0, 0, BlackColour);  // a provisional edit: it is reduced too
  Bitmap expected = state.WorkImage;
  ReducePixels(expected);
  ui.answers = {Answer::Yes};
  ReduceBitmapCommand(state, ui);

  ASSERT_EQ(ui.questions.size(), 1u);
  EXPECT_EQ(ui.questions[0].text, "Reduce the number of pixels ?");
  EXPECT_EQ(ui.questions[0].type, QuestionType::Confirmation);
  EXPECT_EQ(ui.questions[0].buttons, QuestionButtons::YesCancel);
  EXPECT_EQ(state.WorkImage, expected);
  EXPECT_EQ(state.BaseImage, expected);
  EXPECT_EQ(state.DiskImage.width(), 5);  // "Undo all" still has the picture as loaded
  EXPECT_EQ(ui.statusHistory[StatusProgress],
            (std::vector<std::string>{"Status: 1 / 5", "Status: 3 / 5", "Status: 5 / 5", "Status: Ready"}));
  EXPECT_EQ(ui.mainRepaints, 1);
}

TEST_F(ReduceCommandTest, TwoReductionsQuarterThePicture) {
  LoadPicture(state, Bitmap(640, 480, BlackColour));
  ui.answers = {Answer::Yes, Answer::Yes};
  ReduceBitmapCommand(state, ui);
  ReduceBitmapCommand(state, ui);
  EXPECT_EQ(state.WorkImage.width(), 160);
  EXPECT_EQ(state.WorkImage.height(), 120);
  EXPECT_EQ(state.BaseImage, state.WorkImage);
}

TEST_F(ReduceCommandTest, CancelOrASmallPictureChangesNothing) {
  LoadPicture(state, RandomPicture(8, 8, 5));
  state.WorkImage.setPixel(1, 1, BlackColour);
  const Bitmap shown = state.WorkImage;
  ui.answers = {Answer::Cancel};
  ReduceBitmapCommand(state, ui);
  EXPECT_EQ(state.WorkImage, shown);
  EXPECT_EQ(state.BaseImage, state.DiskImage);  // no commit either
  EXPECT_TRUE(ui.statusHistory[StatusProgress].empty());
  EXPECT_EQ(ui.mainRepaints, 0);

  for (const auto& [w, h] : std::vector<std::pair<int, int>>{{3, 100}, {100, 3}}) {
    ui.questions.clear();
    LoadPicture(state, RandomPicture(w, h, 6));
    ui.answers = {Answer::Yes};
    ReduceBitmapCommand(state, ui);
    EXPECT_TRUE(ui.questions.empty()) << w << " x " << h;
    EXPECT_EQ(state.WorkImage, state.DiskImage);
  }
  EXPECT_EQ(ui.mainRepaints, 0);
}

}  // namespace
