// Times the picture edits, as commands over the application state, on a
// 3000 x 2000 picture whose every pixel is non-white.

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "image/EditCommands.h"
#include "image/Rotation.h"
#include "image/RotationCommands.h"
#include "state/AppState.h"
#include "state/Ui.h"

namespace {

// A Ui that answers Yes and keeps only the texts the commands set.
class BenchUi : public Ui {
 public:
  Answer ask(QuestionType, QuestionButtons, const std::string&) override { return Answer::Yes; }
  void showError(const std::string& text) override { std::printf("error: %s\n", text.c_str()); }
  void showMessage(const std::string&) override {}
  std::optional<std::string> chooseOpenFile(const std::string&, const std::string&) override { return {}; }
  std::optional<std::string> chooseSaveFile(SaveDialog, const std::string&, const std::string&) override {
    return {};
  }
  std::string statusText(int panel) const override { return status_[panel]; }
  void setStatusText(int panel, const std::string& text) override { status_[panel] = text; }
  std::string fieldText(Field field) const override { return field == Field::RotateAngle ? angle : limit; }
  void setFieldText(Field field, const std::string& text) override {
    (field == Field::RotateAngle ? angle : limit) = text;
  }
  bool strictMatchChecked() const override { return false; }
  void setOptionChecked(Option, bool) override {}
  bool isEnabled(Control) const override { return true; }
  void setEnabled(Control, bool) override {}
  void repaintMain() override {}
  void drawSelectionOutline() override {}
  void unitPictureChanged() override {}
  void showPreview() override {}
  void hidePreview() override {}
  void setPreviewCaption(const std::string&) override {}
  void repaintPreview() override {}
  void setBusy(bool) override {}
  void processPendingMessages() override {}

  std::string limit = "200";
  std::string angle = "7";

 private:
  std::string status_[4];
};

Bitmap LargePicture() {
  Bitmap picture(3000, 2000);
  for (int y = 0; y < picture.height(); ++y) {
    Colour* row = picture.row(y);
    for (int x = 0; x < picture.width(); ++x) row[x] = MakeColour(x % 251, y % 241, (x + y) % 239);
  }
  return picture;
}

void Load(AppState& state, const Bitmap& picture) {
  state.BaseImage = picture;
  state.WorkImage = picture;
  state.DiskImage = picture;
  state.DisplayRect = {129, 0, 129 + picture.width(), picture.height()};
}

// Selects picture pixels (x1, y1) to (x2, y2) at zoom 1.
void Select(AppState& state, int x1, int y1, int x2, int y2) {
  state.SelectionScreenRect = {129 + x1, y1, 129 + x2, y2};
  state.SelectionActive = true;
}

void Time(const char* name, AppState& state, const Bitmap& picture, const std::function<void()>& command) {
  Load(state, picture);
  Select(state, 300, 200, 2700, 1800);
  const auto start = std::chrono::steady_clock::now();
  command();
  const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
  std::printf("%-20s %8.1f ms   result %d x %d\n", name, took.count(), state.WorkImage.width(),
              state.WorkImage.height());
}

}  // namespace

int main() {
  const Bitmap picture = LargePicture();
  AppState state;
  BenchUi ui;
  std::printf("picture 3000 x 2000, every pixel non-white\n");
  Time("grey limit", state, picture, [&] { GreyLimitCommand(state, ui); });
  Time("discard colour", state, picture, [&] { DiscardColourCommand(state, ui); });
  Time("reduce", state, picture, [&] { ReduceBitmapCommand(state, ui); });
  Time("clear outside", state, picture, [&] { ClearOutsideCommand(state, ui); });
  Time("crop", state, picture, [&] { CropImageCommand(state, ui); });
  Time("rotate 7 degrees", state, picture, [&] { RotateClockwiseCommand(state, ui, {}); });
  return 0;
}
