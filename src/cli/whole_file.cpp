// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/whole_file.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "cli/command.h"
#include "model/atomic_file.h"
#include "model/file_read.h"

namespace radioprog::cli {

std::string InputName(const std::string& path) { return path == kStandardStream ? "standard input" : path; }
std::string OutputName(const std::string& path) { return path == kStandardStream ? "standard output" : path; }

int ReadWholeInput(const std::string& path, std::string& content) {
    if (path != kStandardStream) {
        FileContent file = ReadWholeFile(path);
        if (!file.ok) return UsageError(file.error);
        content = std::move(file.bytes);
        return kExitOk;
    }
    content.clear();
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return UsageError(std::string("Cannot read standard input: ") + std::strerror(errno));
        if (n == 0) return kExitOk;
        content.append(buffer, static_cast<std::size_t>(n));
        if (content.size() > kMaxInputBytes) return UsageError("standard input: " + InputTooLargeText());
    }
}

int WriteWholeOutput(const std::string& path, std::string_view content) {
    if (path != kStandardStream) {
        FileResult written = WriteFileAtomically(path, content);
        if (!written.ok) return UsageError(written.error);
        return kExitOk;
    }
    while (!content.empty()) {
        ssize_t n = ::write(STDOUT_FILENO, content.data(), content.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return UsageError(std::string("Cannot write standard output: ") + std::strerror(errno));
        content.remove_prefix(static_cast<std::size_t>(n));
    }
    return kExitOk;
}

int CheckWholeOutput(const std::string& path) {
    if (path == kStandardStream) return kExitOk;
    FileResult check = CheckOutputFile(path);
    return check.ok ? kExitOk : UsageError(check.error);
}

}  // namespace radioprog::cli
