#pragma once

#include <string>

// Where the program keeps its four files (settings, last directory, exchange
// list, marker): beside the program, as the host suite expects them, while
// that folder can be written; otherwise (installed under /usr/bin, say) in
// the user's configuration folder, created when missing.
std::string ProgramFilesFolder(const std::string& programDir);

// The user's home folder, where the open dialog starts when the program's
// own folder is not the user's.
std::string HomeFolder();
