#pragma once

#include <string>
#include <string_view>

// Writes `content` as the whole of the file `path` without ever leaving a
// truncated file behind: the bytes go to a fresh temporary file in the same
// folder, are flushed to the disk, and the temporary file then takes the
// target's name (and its permission bits) in one rename. A failure leaves
// an earlier file of that name untouched and removes the temporary file.
//
// A link is followed, so the link itself stays. A device, pipe or other
// special file is written in place and never replaced by a plain file. A
// directory, and an existing file without any write permission, are
// refused. On failure `reason`, when given, gets the system's description
// of the problem ("No space left on device").
bool WriteFileReplacing(const std::string& path, std::string_view content, std::string* reason = nullptr);
