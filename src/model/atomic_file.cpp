#include "model/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace radioprog {

namespace {

std::string Reason(const std::string& what, const std::string& path, int err) {
    return what + " " + path + ": " + std::strerror(err);
}

bool WriteAll(int fd, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

mode_t DocumentMode(const std::string& path) {
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0) return existing.st_mode & 07777;
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

FileResult WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> data) {
    std::string temp = path + ".tmpXXXXXX";
    std::vector<char> pattern(temp.begin(), temp.end());
    pattern.push_back('\0');
    int fd = ::mkstemp(pattern.data());
    if (fd < 0) return {false, Reason("Cannot create a file beside", path, errno), errno};
    std::string tempPath(pattern.data());
    ::fchmod(fd, DocumentMode(path));

    bool written = WriteAll(fd, data.data(), data.size());
    int err = errno;
    if (written && ::fsync(fd) != 0) {
        written = false;
        err = errno;
    }
    if (::close(fd) != 0 && written) {
        written = false;
        err = errno;
    }
    if (!written) {
        ::unlink(tempPath.c_str());
        return {false, Reason("Cannot write", path, err), err};
    }
    if (::rename(tempPath.c_str(), path.c_str()) != 0) {
        err = errno;
        ::unlink(tempPath.c_str());
        return {false, Reason("Cannot replace", path, err), err};
    }
    return {};
}

FileResult WriteFileAtomically(const std::string& path, std::string_view text) {
    return WriteFileAtomically(
        path, std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

}  // namespace radioprog
