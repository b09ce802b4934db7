#include "cli/HeadlessUi.h"

#include <unistd.h>

#include <cstdio>

#include "app/StatusTexts.h"
#include "cli/CliArguments.h"

HeadlessUi::HeadlessUi(const AppState& state) : state_(state), showProgress_(isatty(STDERR_FILENO) == 1) {}

HeadlessUi::~HeadlessUi() {
  finishProgress();
}

Answer HeadlessUi::ask(QuestionType, QuestionButtons, const std::string&) {
  return Answer::Yes;
}

void HeadlessUi::showError(const std::string& text) {
  ++errorCount;
  lastError = text;
  if (quiet) return;
  finishProgress();
  std::fprintf(stderr, "quorvix-cli: %s\n", PrintableText(text).c_str());
}

void HeadlessUi::showMessage(const std::string& text) {
  finishProgress();
  std::fprintf(stderr, "quorvix-cli: %s\n", PrintableText(text).c_str());
}

std::string HeadlessUi::fieldText(Field field) const {
  const auto it = fields.find(field);
  return it == fields.end() ? std::string() : it->second;
}

void HeadlessUi::repaintMain() {
  ShowPictureStatus(state_, *this);
}

void HeadlessUi::setStatusText(int panel, const std::string& text) {
  status_[panel] = text;
  if (panel != StatusProgress || !showProgress_) return;
  long done = 0;
  long total = 0;
  if (std::sscanf(text.c_str(), "Status: %ld / %ld", &done, &total) != 2 || total <= 0) return;
  const int percent = static_cast<int>(100 * done / total);
  if (percent == shownPercent_) return;
  shownPercent_ = percent;
  constexpr int Width = 40;
  char bar[Width + 1];
  for (int i = 0; i < Width; ++i) bar[i] = i < percent * Width / 100 ? '#' : '.';
  bar[Width] = '\0';
  std::fprintf(stderr, "\r[%s] %3d%%", bar, percent);
  std::fflush(stderr);
}

void HeadlessUi::finishProgress() {
  if (shownPercent_ < 0) return;
  std::fprintf(stderr, "\n");
  shownPercent_ = -1;
}
