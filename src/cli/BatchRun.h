#pragma once

#include "cli/CliArguments.h"

// `extract` over several pictures: each in a state of its own, on a pool of
// `command.jobs` threads (the number of cores when 0), its points written to
// DIR/NAME plus the format's extension in the folder `command.output`. A
// picture that fails (unreadable, too large, no point found, not written)
// does not stop the others. One line per finished picture on standard error,
// a progress bar there when it is a terminal, and a summary at the end;
// the exit status is 1 when any picture failed.
int RunBatch(const CliCommand& command);
