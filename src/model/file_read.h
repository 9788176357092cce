// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one way the program reads a whole file (radio image, CSV, language file): only a
// regular file is read (a pipe or device would hang or never end), and never more than a
// limit, so a wrong file cannot exhaust memory.
#include <cstddef>
#include <string>

#include "model/file_failure.h"

namespace radioprog {

// Everything the program reads whole is a few kilobytes; 16 MB is far beyond any of it.
inline constexpr std::size_t kMaxInputBytes = 16u * 1024u * 1024u;

struct FileContent {
    bool ok = false;
    ReadFailure failure = ReadFailure::None;
    std::string bytes;
    std::string error;    // why it failed, for the user
    int systemError = 0;  // the system's error number when the system refused, else 0
};

// Reads the whole file at path. Refuses, before reading anything, a path that is not a
// regular file (opening never waits for a pipe's writer) and a file over `limit` bytes.
FileContent ReadWholeFile(const std::string& path, std::size_t limit = kMaxInputBytes);

// The message for text over kMaxInputBytes given other than as a file (pasted text).
std::string InputTooLargeText();

}  // namespace radioprog
