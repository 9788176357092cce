#include "model/dat_file.h"

#include <algorithm>
#include <vector>

#include "model/file_read.h"

namespace radioprog {

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
    FileContent content = ReadWholeFile(path);
    if (!content.ok) return {false, content.error};
    std::size_t got = content.bytes.size();
    if (got < kDatMinimumSize)
        return {false, path + " is not a radio image: it holds " + std::to_string(got) + " bytes, a .dat file holds " +
                           std::to_string(kDatFileSize) + "."};
    std::size_t restored = got >= kImageSize ? kImageSize : kDatMinimumSize;
    std::copy(content.bytes.begin(), content.bytes.begin() + static_cast<std::ptrdiff_t>(restored), image.bytes.begin());
    return {};
}

}  // namespace radioprog
