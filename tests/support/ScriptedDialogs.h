#pragma once

#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ui/Dialogs.h"

// Answers the program's questions and file dialogs from queues and records
// what was asked, so window tests never block on a modal box.
class ScriptedDialogs : public Dialogs {
 public:
  std::deque<Answer> answers;
  std::deque<std::optional<std::string>> files;
  std::vector<std::string> questions;
  std::vector<std::string> errors;
  std::vector<std::string> messages;
  std::vector<std::string> openDirs;
  std::vector<std::pair<std::string, std::string>> abouts;  // title and text of each about box

  Answer ask(QuestionType, QuestionButtons buttons, const std::string& text) override {
    questions.push_back(text);
    if (answers.empty()) return buttons == QuestionButtons::YesNo ? Answer::No : Answer::Cancel;
    const Answer a = answers.front();
    answers.pop_front();
    return a;
  }
  void showError(const std::string& text) override { errors.push_back(text); }
  void showMessage(const std::string& text) override { messages.push_back(text); }
  std::optional<std::string> chooseOpenFile(const std::string&, const std::string& initialDir) override {
    openDirs.push_back(initialDir);
    return nextFile();
  }
  std::optional<std::string> chooseSaveFile(SaveDialog, const std::string&, const std::string&) override {
    return nextFile();
  }
  // The page dialog: the next scripted answer, or the proposal when none is left.
  std::deque<std::optional<PdfPageChoice>> pdfChoices;
  std::vector<int> pdfPageCounts;
  std::optional<PdfPageChoice> choosePdfPage(const std::string&, int pageCount,
                                             const PdfPageChoice& proposed) override {
    pdfPageCounts.push_back(pageCount);
    if (pdfChoices.empty()) return proposed;
    auto c = pdfChoices.front();
    pdfChoices.pop_front();
    return c;
  }
  void showAbout(const std::string& title, const std::string& text) override {
    abouts.emplace_back(title, text);
  }

 private:
  std::optional<std::string> nextFile() {
    if (files.empty()) return std::nullopt;
    auto f = files.front();
    files.pop_front();
    return f;
  }
};
