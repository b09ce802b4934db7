#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "state/Ui.h"

// A scripted Ui for tests: records what the commands asked and showed, and
// answers questions and file dialogs from queues (an empty queue answers No
// or Cancel, and cancels a dialog).
class FakeUi : public Ui {
 public:
  FakeUi();

  struct Question {
    QuestionType type;
    QuestionButtons buttons;
    std::string text;
  };

  std::deque<Answer> answers;
  std::deque<std::optional<std::string>> chosenFiles;
  std::vector<Question> questions;
  std::vector<std::string> errors;
  std::vector<std::string> messages;
  std::vector<std::string> openDialogDirs;
  std::map<Field, std::string> fields;
  std::map<Control, bool> enabled;
  std::string status[4];
  std::vector<std::string> statusHistory[4];
  bool strict = false;
  bool previewVisible = false;
  bool busy = false;
  std::string previewCaption;
  int mainRepaints = 0;
  int selectionOutlineDraws = 0;
  int previewRepaints = 0;
  int unitPictureChanges = 0;
  int pendingMessageCalls = 0;
  std::function<void()> onPendingMessages;

  Answer ask(QuestionType type, QuestionButtons buttons, const std::string& text) override;
  void showError(const std::string& text) override { errors.push_back(text); }
  void showMessage(const std::string& text) override { messages.push_back(text); }
  std::optional<std::string> chooseOpenFile(const std::string& filter,
                                            const std::string& initialDir) override;
  std::optional<std::string> chooseSaveFile(SaveDialog dialog, const std::string& filter,
                                            const std::string& proposedName) override;
  std::string statusText(int panel) const override { return status[panel]; }
  void setStatusText(int panel, const std::string& text) override;
  std::string fieldText(Field field) const override;
  void setFieldText(Field field, const std::string& text) override { fields[field] = text; }
  bool strictMatchChecked() const override { return strict; }
  void setOptionChecked(Option option, bool checked) override {
    if (option == Option::StrictMatch) strict = checked;
  }
  bool isEnabled(Control control) const override;
  void setEnabled(Control control, bool on) override { enabled[control] = on; }
  void repaintMain() override { ++mainRepaints; }
  void drawSelectionOutline() override { ++selectionOutlineDraws; }
  void unitPictureChanged() override { ++unitPictureChanges; }
  void showPreview() override { previewVisible = true; }
  void hidePreview() override { previewVisible = false; }
  void setPreviewCaption(const std::string& text) override { previewCaption = text; }
  void repaintPreview() override { ++previewRepaints; }
  void setBusy(bool on) override { busy = on; }
  void processPendingMessages() override;
};
