// quorvix-cli: the extraction and the picture edits of Quorvix for batch work
// and scripts. No window opens and none of the program's own files (settings,
// exchange list, marker) are touched.
#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/BatchRun.h"
#include "cli/CliCommands.h"
#include "output/AsciiFile.h"

namespace {

// Qt's own notes about damaged or oversized pictures would add lines to the
// one message a failure prints; only its serious ones are let through.
void KeepSeriousQtMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtCriticalMsg || type == QtFatalMsg) {
    std::fprintf(stderr, "quorvix-cli: %s\n", PrintableText(text.toStdString()).c_str());
  }
}

int Fail(const CliOutcome& outcome) {
  // One line, whatever the paths and texts quoted in it hold.
  std::fprintf(stderr, "quorvix-cli: %s\n", PrintableText(outcome.message).c_str());
  if (outcome.status == ExitUsage) std::fprintf(stderr, "Try 'quorvix-cli --help' for more information.\n");
  return outcome.status;
}

}  // namespace

int main(int argc, char** argv) {
  qInstallMessageHandler(KeepSeriousQtMessages);
  const std::vector<std::string> words(argv + 1, argv + argc);
  std::string error;
  const auto command = ParseCliArguments(words, error);
  if (!command) return Fail({ExitUsage, error});
  if (command->kind == CliCommand::Kind::Help) {
    std::fputs(CliUsage, stdout);
    return ExitSuccess;
  }
  if (command->kind == CliCommand::Kind::Version) {
    std::fputs("quorvix-cli " QUORVIX_VERSION "\n", stdout);
    return ExitSuccess;
  }

  AppState state;
  HeadlessUi ui(state);
  if (command->kind == CliCommand::Kind::Edit) {
    const CliOutcome outcome = RunEditCommand(state, ui, *command);
    return outcome.status == ExitSuccess ? ExitSuccess : Fail(outcome);
  }

  // Several pictures: the batch, into a folder. One picture keeps its file
  // (a folder given as that file is an error, as ever).
  if (command->pictures.size() > 1) {
    if (command->output.empty() || !std::filesystem::is_directory(command->output)) {
      return Fail({ExitUsage, command->output.empty()
                                  ? "several pictures need -o DIR, a folder to write their files into"
                                  : "several pictures need -o DIR, a folder; '" +
                                        PrintableText(command->output) + "' is not one"});
    }
    return RunBatch(*command);
  }

  if ((command->thorough || command->channels) && (command->matchGiven || command->strict)) {
    std::fprintf(stderr, "quorvix-cli: note: --match and --strict are ignored with %s\n",
                 command->channels ? "--channels" : "--thorough");
  }
  std::string text;
  const CliOutcome outcome = RunExtractCommand(state, ui, *command, text);
  if (outcome.status != ExitSuccess) return Fail(outcome);
  if (!state.ChannelReport.empty()) std::fprintf(stderr, "%s\n", state.ChannelReport.c_str());
  // The overlay is written even without points: it shows that none was found.
  if (!command->overlay.empty()) {
    const CliOutcome written = WriteOverlayPicture(state, command->overlay);
    if (written.status != ExitSuccess) return Fail(written);
  }
  if (text.empty()) {
    std::fprintf(stderr, "quorvix-cli: no data point found; nothing written\n");
    return ExitSuccess;
  }
  if (command->output.empty()) {
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0) {
      return Fail({ExitFailure, "cannot write to standard output"});
    }
  } else if (std::string reason; !WriteFileReplacing(command->output, text, &reason)) {
    return Fail({ExitFailure, "cannot write the file " + command->output + ": " + reason});
  }
  return ExitSuccess;
}
