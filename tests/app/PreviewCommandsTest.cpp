#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "app/PreviewCommands.h"
#include "extract/DataPointList.h"

namespace {

// Records what the preview commands tell the windows; field texts are given.
class PreviewUi : public Ui {
 public:
  std::map<Field, std::string> fields;
  std::map<int, std::string> status;
  std::vector<std::string> events;  // "caption:<text>", "show", "repaint"

  Answer ask(QuestionType, QuestionButtons, const std::string&) override { return Answer::No; }
  void showError(const std::string&) override {}
  void showMessage(const std::string&) override {}
  std::optional<std::string> chooseOpenFile(const std::string&, const std::string&) override { return {}; }
  std::optional<std::string> chooseSaveFile(SaveDialog, const std::string&, const std::string&) override {
    return {};
  }
  std::string statusText(int panel) const override {
    const auto it = status.find(panel);
    return it == status.end() ? std::string() : it->second;
  }
  void setStatusText(int panel, const std::string& text) override { status[panel] = text; }
  std::string fieldText(Field field) const override {
    const auto it = fields.find(field);
    return it == fields.end() ? std::string() : it->second;
  }
  void setFieldText(Field field, const std::string& text) override { fields[field] = text; }
  bool strictMatchChecked() const override { return false; }
  void setOptionChecked(Option, bool) override {}
  bool isEnabled(Control) const override { return true; }
  void setEnabled(Control, bool) override {}
  void repaintMain() override { events.push_back("repaintMain"); }
  void unitPictureChanged() override {}
  void drawSelectionOutline() override {}
  void showPreview() override { events.push_back("show"); }
  void hidePreview() override { events.push_back("hide"); }
  void setPreviewCaption(const std::string& text) override { events.push_back("caption:" + text); }
  void repaintPreview() override { events.push_back("repaint"); }
  void setBusy(bool) override {}
  void processPendingMessages() override {}
};

TEST(RebuildPreviewSeries, OneBlackSymbolSeriesOverTheShorterArray) {
  struct Case {
    TSPD Velocity;
    TSPD Counts;
    std::size_t Points;  // 0: nothing to draw
  };
  const std::vector<Case> cases = {
      {{}, {}, 0},
      {{1, 2}, {}, 0},
      {{}, {0.9}, 0},
      {{-1, 0, 1}, {0.95, 0.91, 0.97}, 3},
      {{-1, 0, 1}, {0.95, 0.91}, 2},
      {{-1}, {0.95, 0.91, 0.97}, 1},
  };
  for (const Case& c : cases) {
    AppState state;
    state.VelocityArray = c.Velocity;
    state.CountsArray = c.Counts;
    state.DataPointCount = 99;  // the arrays decide, not the count
    const TGraphSingleData earlier{{7}, {7}, {false}, 9, 9, 0x123456};
    state.PreviewSeries = {earlier, earlier};
    const bool drawn = RebuildPreviewSeries(state);
    if (c.Points == 0) {
      EXPECT_FALSE(drawn);
      EXPECT_EQ(state.PreviewSeries.size(), 2u);
      continue;
    }
    ASSERT_TRUE(drawn);
    ASSERT_EQ(state.PreviewSeries.size(), 1u);
    const TGraphSingleData& s = state.PreviewSeries[0];
    EXPECT_EQ(s.X, TSPD(c.Velocity.begin(), c.Velocity.begin() + static_cast<long>(c.Points)));
    EXPECT_EQ(s.Y, TSPD(c.Counts.begin(), c.Counts.begin() + static_cast<long>(c.Points)));
    EXPECT_EQ(s.Visible, TSPDV(c.Points, true));
    EXPECT_EQ(s.SymbolRadius, 2);
    EXPECT_EQ(s.LineWidth, 0);
    EXPECT_EQ(s.SeriesColor, 0u);
  }
}

TEST(PreviewEscape, SetsTheStopFlagAndTheStatusLine) {
  AppState state;
  PreviewUi ui;
  ui.status[StatusData] = "ASCII data: 4";
  PreviewEscape(state, ui);
  EXPECT_TRUE(state.StopRequested);
  EXPECT_EQ(ui.status[StatusProgress], "Status: Stopping...");
  EXPECT_EQ(ui.status[StatusData], "ASCII data: 4");
}

TEST(ShowDataPreview, ReadsTheFourFieldsAsTheyStandThenTitlesShowsAndRepaints) {
  AppState state;
  state.DataPointCount = 17;
  PreviewUi ui;
  ui.fields = {{Field::Vmin, "5.0"}, {Field::Vmax, "-5.0"}, {Field::Min, "1.00"}, {Field::Max, "0.90"}};
  ShowDataPreview(state, ui);
  EXPECT_EQ(state.VminValue, 5.0);
  EXPECT_EQ(state.VmaxValue, -5.0);
  EXPECT_EQ(state.MinValue, 1.0);  // a reversed pair stays reversed
  EXPECT_EQ(state.MaxValue, 0.9);
  EXPECT_EQ(ui.events,
            (std::vector<std::string>{"caption:ASCII form of the data [ 17 ]", "show", "repaint"}));
  EXPECT_EQ(PreviewCaption(0), "ASCII form of the data [ 0 ]");
}

}  // namespace
