// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one way the program writes a whole file: the bytes go to an anonymous file in the
// target's directory, are flushed to disk, and only then get the target's name. A failed or
// interrupted write never destroys the previous file and leaves no temporary file behind.
// A path that is a symlink is written through: the file it points to is replaced, the link
// stays. Where the file system has no anonymous files, a named temporary file beside the
// target is renamed over it instead. A named temporary file that a killed write left beside
// the target (".NAME.tmpXXXXXXXX", older than a minute) goes at the next write of the target.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "model/file_failure.h"

namespace radioprog {

struct FileResult {
    bool ok = true;
    std::string error;                            // why it failed, for the user
    int systemError = 0;                          // the system's error number when the system refused, else 0
    ReadFailure readFailure = ReadFailure::None;  // why a file was not read, for reading
};

// Writes data to path atomically. A new file gets the usual permissions of a user's document
// (0666 less the umask); an existing file keeps its permissions.
FileResult WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> data);
FileResult WriteFileAtomically(const std::string& path, std::string_view text);

// Writes an output file of a command-line program: a path that names something other than a
// regular file or a folder (a pipe, a terminal, /dev/stdout, /dev/null) is written straight
// through, as a shell's redirection would; everything else atomically.
FileResult WriteOutputFile(const std::string& path, std::span<const std::uint8_t> data);
// Whether a write of path could start: something written straight through, or a file whose
// folder exists and takes new files. Fails with the reason the write itself would give, so a
// long job (reading the radio) can refuse before it starts rather than lose its result.
FileResult CheckOutputFile(const std::string& path);

namespace detail {
// anonymousTemp false takes the named-temporary-file way (for tests of that way).
FileResult WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> data, bool anonymousTemp);
}  // namespace detail

}  // namespace radioprog
