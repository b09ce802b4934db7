#pragma once

#include <map>
#include <string>

#include "state/AppState.h"
#include "state/Ui.h"

// The Ui of the command line: no windows. Field texts come from the
// arguments, messages go to standard error, questions are answered Yes, and
// the progress counter becomes a bar on standard error when it is a terminal.
class HeadlessUi : public Ui {
 public:
  explicit HeadlessUi(const AppState& state);
  ~HeadlessUi() override;

  std::map<Field, std::string> fields;
  bool strict = false;
  int errorCount = 0;
  bool quiet = false;  // errors are counted and kept but not printed
  std::string lastError;

  Answer ask(QuestionType type, QuestionButtons buttons, const std::string& text) override;
  void showError(const std::string& text) override;
  void showMessage(const std::string& text) override;
  std::optional<std::string> chooseOpenFile(const std::string&, const std::string&) override { return {}; }
  std::optional<std::string> chooseSaveFile(SaveDialog, const std::string&, const std::string&) override {
    return {};
  }
  std::string statusText(int panel) const override { return status_[panel]; }
  void setStatusText(int panel, const std::string& text) override;
  std::string fieldText(Field field) const override;
  void setFieldText(Field field, const std::string& text) override { fields[field] = text; }
  bool strictMatchChecked() const override { return strict; }
  void setOptionChecked(Option option, bool checked) override {
    if (option == Option::StrictMatch) strict = checked;
  }
  bool isEnabled(Control) const override { return true; }
  void setEnabled(Control, bool) override {}
  void repaintMain() override;
  void unitPictureChanged() override {}
  void drawSelectionOutline() override {}
  void showPreview() override {}
  void hidePreview() override {}
  void setPreviewCaption(const std::string&) override {}
  void repaintPreview() override {}
  void setBusy(bool) override {}
  void processPendingMessages() override {}

  // Ends the progress bar's line, when one is shown.
  void finishProgress();
  // No progress bar, whatever standard error is (a batch shows its own).
  void hideProgress() { showProgress_ = false; }

 private:
  const AppState& state_;
  std::string status_[4];
  bool showProgress_ = false;
  int shownPercent_ = -1;
};
