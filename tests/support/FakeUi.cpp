#include "support/FakeUi.h"

FakeUi::FakeUi() {
  // The texts the main window's fields start with.
  fields = {{Field::Match, "60"}, {Field::Vmin, "-5.0"}, {Field::Vmax, "5.0"},
            {Field::Min, "0.90"}, {Field::Max, "1.00"},  {Field::WhiteLimit, "255"}};
}

Answer FakeUi::ask(QuestionType type, QuestionButtons buttons, const std::string& text) {
  questions.push_back({type, buttons, text});
  if (answers.empty()) return buttons == QuestionButtons::YesNo ? Answer::No : Answer::Cancel;
  const Answer a = answers.front();
  answers.pop_front();
  return a;
}

std::optional<std::string> FakeUi::chooseOpenFile(const std::string&, const std::string& initialDir) {
  openDialogDirs.push_back(initialDir);
  if (chosenFiles.empty()) return std::nullopt;
  auto chosen = chosenFiles.front();
  chosenFiles.pop_front();
  return chosen;
}

std::optional<std::string> FakeUi::chooseSaveFile(SaveDialog, const std::string&, const std::string&) {
  if (chosenFiles.empty()) return std::nullopt;
  auto chosen = chosenFiles.front();
  chosenFiles.pop_front();
  return chosen;
}

void FakeUi::setStatusText(int panel, const std::string& text) {
  status[panel] = text;
  statusHistory[panel].push_back(text);
}

std::string FakeUi::fieldText(Field field) const {
  const auto it = fields.find(field);
  return it == fields.end() ? std::string() : it->second;
}

bool FakeUi::isEnabled(Control control) const {
  const auto it = enabled.find(control);
  return it != enabled.end() && it->second;
}

void FakeUi::processPendingMessages() {
  ++pendingMessageCalls;
  if (onPendingMessages) onPendingMessages();
}
