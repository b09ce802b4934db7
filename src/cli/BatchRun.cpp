#include "cli/BatchRun.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <thread>
#include <vector>

#include "Stringop/FileReplacing.h"
#include "Stringop/PathText.h"
#include "cli/CliCommands.h"
#include "threads/RunOnThreads.h"

namespace {

constexpr int BarWidth = 30;

// The picture's file name without its extension.
std::string Stem(const std::string& path) {
  return std::filesystem::path(FileNameOfPath(path)).stem().string();
}

}  // namespace

int RunBatch(const CliCommand& command) {
  const std::size_t n = command.pictures.size();
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  const std::size_t jobs =
      std::min<std::size_t>(n, command.jobs > 0 ? static_cast<std::size_t>(command.jobs) : cores);
  const bool terminal = isatty(fileno(stderr)) != 0;
  std::atomic<std::size_t> next{0};
  std::mutex report;
  std::size_t done = 0, failed = 0;

  const auto finished = [&](const std::string& line, bool ok) {
    const std::lock_guard<std::mutex> hold(report);
    (ok ? done : failed) += 1;
    if (terminal) std::fputs("\r\033[K", stderr);
    std::fprintf(stderr, "%s\n", line.c_str());
    if (terminal) {
      const std::size_t shown = done + failed;
      const int filled = static_cast<int>(BarWidth * shown / n);
      std::fprintf(stderr, "[%s%s] %zu/%zu", std::string(static_cast<std::size_t>(filled), '#').c_str(),
                   std::string(static_cast<std::size_t>(BarWidth - filled), '-').c_str(), shown, n);
    }
    std::fflush(stderr);
  };

  const auto work = [&] {
    for (std::size_t i = next++; i < n; i = next++) {
      CliCommand one = command;
      one.picture = command.pictures[i];
      one.pictures = {one.picture};
      AppState state;
      HeadlessUi ui(state);
      ui.hideProgress();
      std::string text;
      CliOutcome outcome = RunExtractCommand(state, ui, one, text);
      if (outcome.status == ExitSuccess && text.empty()) outcome = {ExitFailure, "no data point found"};
      const std::string path =
          (std::filesystem::path(command.output) / (Stem(one.picture) + DataFormatExtension(command.format)))
              .string();
      if (outcome.status == ExitSuccess) {
        std::string reason;
        if (!WriteFileReplacing(path, text, &reason))
          outcome = {ExitFailure, "cannot write the file " + path + ": " + reason};
      }
      if (outcome.status == ExitSuccess) {
        finished(one.picture + ": " + std::to_string(state.DataPointCount) + " points to " + path, true);
      } else {
        finished("quorvix-cli: " + PrintableText(one.picture) + ": " + PrintableText(outcome.message), false);
      }
    }
  };
  RunOnThreads(jobs, work);
  if (terminal) std::fputs("\r\033[K", stderr);
  std::fprintf(stderr, "%zu pictures: %zu done, %zu failed\n", n, done, failed);
  return failed > 0 ? ExitFailure : ExitSuccess;
}
