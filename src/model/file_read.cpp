// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/file_read.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef _WIN32
#include <io.h>
#endif

#include <cerrno>
#include <cstring>
#include <new>

#include "model/file_path.h"

namespace radioprog {

namespace {

std::string Reason(const std::string& what, const std::string& path, int err) {
    return what + " " + path + ": " + std::strerror(err);
}

FileContent Failed(ReadFailure failure, std::string error, int systemError = 0) {
    FileContent content;
    content.failure = failure;
    content.error = std::move(error);
    content.systemError = systemError;
    return content;
}

std::string LimitText() { return std::to_string(kMaxInputBytes / (1024 * 1024)) + " MB"; }

FileContent TooLarge(const std::string& path) {
    return Failed(ReadFailure::TooLarge, path + " is larger than " + LimitText() + " and is not read");
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

}  // namespace

std::string InputTooLargeText() { return "The text is larger than " + LimitText() + " and is not read"; }

FileContent ReadWholeFile(const std::string& path, std::size_t limit) {
#ifdef _WIN32
    // Binary: Windows would turn CR LF into LF and stop at a Ctrl-Z.
    Descriptor file(::_wopen(FilePath(path).c_str(), O_RDONLY | O_BINARY));
#else
    // O_NONBLOCK: opening a pipe without a writer must not wait for one.
    Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
#endif
    if (file.get() < 0) return Failed(ReadFailure::Open, Reason("Cannot open", path, errno), errno);
    struct stat info {};
    if (::fstat(file.get(), &info) != 0) return Failed(ReadFailure::Open, Reason("Cannot open", path, errno), errno);
    if (!S_ISREG(info.st_mode)) return Failed(ReadFailure::NotRegular, path + " is not a regular file and is not read");
    if (info.st_size < 0 || static_cast<std::size_t>(info.st_size) > limit) return TooLarge(path);
#ifndef _WIN32
    int flags = ::fcntl(file.get(), F_GETFL);
    if (flags >= 0) ::fcntl(file.get(), F_SETFL, flags & ~O_NONBLOCK);
#endif

    FileContent content;
    try {
        // The file may grow while it is read: read one byte past the limit to notice.
        content.bytes.resize(static_cast<std::size_t>(info.st_size) + 1);
        std::size_t got = 0;
        for (;;) {
            if (got == content.bytes.size()) {
                if (got > limit) return TooLarge(path);
                content.bytes.resize(std::min(limit + 1, got * 2 + 4096));
            }
            ssize_t n = ::read(file.get(), content.bytes.data() + got, content.bytes.size() - got);
            if (n < 0) {
                if (errno == EINTR) continue;
                return Failed(ReadFailure::Read, Reason("Cannot read", path, errno), errno);
            }
            if (n == 0) break;
            got += static_cast<std::size_t>(n);
        }
        if (got > limit) return TooLarge(path);
        content.bytes.resize(got);
    } catch (const std::bad_alloc&) {
        return Failed(ReadFailure::NoMemory, "Not enough memory to read " + path);
    }
    content.ok = true;
    return content;
}

}  // namespace radioprog
