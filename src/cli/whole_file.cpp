// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
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
        FileResult written = WriteOutputFile(
            path, std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(content.data()), content.size()));
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

namespace {

// "-" is standard output; a path is a terminal when it names one (/dev/tty, /dev/pts/3).
bool IsTerminal(const std::string& path) {
    if (path == kStandardStream) return ::isatty(STDOUT_FILENO) != 0;
#ifndef _WIN32
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISCHR(info.st_mode)) return false;
    const int fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    const bool terminal = ::isatty(fd) != 0;
    ::close(fd);
    return terminal;
#else
    return false;
#endif
}

}  // namespace

int RefuseTerminal(const std::string& path) {
    if (!IsTerminal(path)) return kExitOk;
    return UsageError(OutputName(path) +
                      " is a terminal; the image is binary data: redirect it to a file (> FILE.dat) or a pipe");
}

}  // namespace radioprog::cli
