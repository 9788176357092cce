// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Files the tool reads or writes as a whole; "-" is standard input or output.
#include <string>
#include <string_view>

namespace radioprog::cli {

inline constexpr const char* kStandardStream = "-";

// How messages name the file: "standard input"/"standard output" for "-".
std::string InputName(const std::string& path);
std::string OutputName(const std::string& path);

// Reads the whole file (or standard input); prints why and returns kExitUsage when it cannot.
int ReadWholeInput(const std::string& path, std::string& content);
// Writes the whole file atomically (or to standard output, or straight into a pipe or device);
// prints why and returns kExitUsage when it cannot.
int WriteWholeOutput(const std::string& path, std::string_view content);
// Before a long job: kExitOk when WriteWholeOutput could write path, else prints the reason
// the write would give and returns kExitUsage.
int CheckWholeOutput(const std::string& path);
// Binary output (an image) is not for a terminal: prints a hint to redirect it and returns
// kExitUsage when path ("-": standard output) is one.
int RefuseTerminal(const std::string& path);

}  // namespace radioprog::cli
