#include "model/dat_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
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

}  // namespace

std::string DatSaveName(const std::string& chosenPath) {
    if (chosenPath.find(".dat") != std::string::npos) return chosenPath;
    return chosenPath + ".dat";
}

FileResult SaveDatFile(const RadioImage& image, const std::string& path) {
    std::vector<std::uint8_t> content(kDatFileSize, 0);
    std::copy(image.bytes.begin(), image.bytes.end(), content.begin());

    std::string temp = path + ".tmpXXXXXX";
    std::vector<char> pattern(temp.begin(), temp.end());
    pattern.push_back('\0');
    int fd = ::mkstemp(pattern.data());
    if (fd < 0) return {false, Reason("Cannot create a file beside", path, errno)};
    std::string tempPath(pattern.data());
    // A new .dat file gets the usual permissions of a user's document, not mkstemp's 0600.
    mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);

    bool written = WriteAll(fd, content.data(), content.size());
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
        return {false, Reason("Cannot write", path, err)};
    }
    if (::rename(tempPath.c_str(), path.c_str()) != 0) {
        err = errno;
        ::unlink(tempPath.c_str());
        return {false, Reason("Cannot replace", path, err)};
    }
    return {};
}

FileResult OpenDatFile(const std::string& path, RadioImage& image) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return {false, Reason("Cannot open", path, errno)};
    std::vector<std::uint8_t> content(kImageSize);
    std::size_t got = 0;
    while (got < content.size()) {
        ssize_t n = ::read(fd, content.data() + got, content.size() - got);
        if (n < 0) {
            if (errno == EINTR) continue;
            int err = errno;
            ::close(fd);
            return {false, Reason("Cannot read", path, err)};
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (got < kDatMinimumSize)
        return {false, path + " is not a radio image: it holds " + std::to_string(got) + " bytes, a .dat file holds " +
                           std::to_string(kDatFileSize) + "."};
    std::size_t restored = got >= kImageSize ? kImageSize : kDatMinimumSize;
    std::copy(content.begin(), content.begin() + static_cast<std::ptrdiff_t>(restored), image.bytes.begin());
    return {};
}

}  // namespace radioprog
