// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/transfer_trace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef _WIN32
#include <io.h>
#endif

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "model/file_path.h"

namespace radioprog {

namespace {

std::string Hex(const std::uint8_t* data, std::size_t size) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(size * 3);
    for (std::size_t i = 0; i < size; ++i) {
        text += ' ';
        text += kDigits[data[i] >> 4];
        text += kDigits[data[i] & 0xF];
    }
    return text;
}

}  // namespace

std::shared_ptr<TransferTrace> TransferTrace::open(const std::string& path, std::string* error) {
    auto fail = [&](const std::string& reason) -> std::shared_ptr<TransferTrace> {
        if (error) *error = "cannot open the trace file " + path + ": " + reason;
        return nullptr;
    };
#ifdef _WIN32
    int fd = ::_wopen(FilePath(path).c_str(), O_WRONLY | O_APPEND | O_CREAT | O_BINARY, 0666);
#else
    // Not blocking: opening a FIFO for writing would wait for a reader forever.
    int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
#endif
    if (fd < 0) return fail(errno == ENXIO ? "it is not a regular file" : std::strerror(errno));
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return fail("it is not a regular file");
    }
#ifndef _WIN32
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
#endif
    std::FILE* file = ::fdopen(fd, "a");
    if (!file) {
        const int err = errno;
        ::close(fd);
        return fail(std::strerror(err));
    }
    return std::shared_ptr<TransferTrace>(new TransferTrace(file, path));
}

std::shared_ptr<TransferTrace> TransferTrace::fromEnvironment() {
    const char* path = std::getenv("RADIOPROG_TRACE");
    return path && *path ? open(path) : nullptr;
}

TransferTrace::TransferTrace(std::FILE* file, std::string path) : file_(file), path_(std::move(path)) {}

TransferTrace::~TransferTrace() { std::fclose(file_); }

void TransferTrace::writeLine(const std::string& text) {
    std::lock_guard<std::mutex> lock(mutex_);
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start_).count();
    errno = 0;
    const bool written = std::fprintf(file_, "%10.3f  %s\n", ms, text.c_str()) >= 0 && std::fflush(file_) == 0;
    if (written || !writeError_.empty()) return;
    writeError_ = "cannot write the trace file " + path_ + (errno ? std::string(": ") + std::strerror(errno) : "");
    // A failed line is lost, but the next ones may still fit.
    std::clearerr(file_);
}

std::string TransferTrace::writeError() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return writeError_;
}

void TransferTrace::note(const std::string& text) { writeLine(text); }

void TransferTrace::sent(const std::uint8_t* data, std::size_t size) { writeLine(">" + Hex(data, size)); }

void TransferTrace::received(const std::uint8_t* data, std::size_t size, std::size_t wanted) {
    if (size == 0) {
        writeLine("<  (nothing within the timeout; " + std::to_string(wanted) + (wanted == 1 ? " byte" : " bytes") +
                  " wanted)");
        return;
    }
    std::string line = "<" + Hex(data, size);
    if (size < wanted) line += "  (timeout: " + std::to_string(size) + " of " + std::to_string(wanted) + " bytes)";
    writeLine(line);
}

}  // namespace radioprog
