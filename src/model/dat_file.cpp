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

}  // namespace

std::string DatSaveName(const std::string& chosenPath) {
    if (chosenPath.find(".dat") != std::string::npos) return chosenPath;
    return chosenPath + ".dat";
}

FileResult SaveDatFile(const RadioImage& image, const std::string& path) {
    std::vector<std::uint8_t> content(kDatFileSize, 0);
    std::copy(image.bytes.begin(), image.bytes.end(), content.begin());
    return WriteFileAtomically(path, content);
}

FileResult OpenDatFile(const std::string& path, RadioImage& image) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return {false, Reason("Cannot open", path, errno), errno};
    std::vector<std::uint8_t> content(kImageSize);
    std::size_t got = 0;
    while (got < content.size()) {
        ssize_t n = ::read(fd, content.data() + got, content.size() - got);
        if (n < 0) {
            if (errno == EINTR) continue;
            int err = errno;
            ::close(fd);
            return {false, Reason("Cannot read", path, err), err};
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
