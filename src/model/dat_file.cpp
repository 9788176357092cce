// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/dat_file.h"

#include <algorithm>
#include <vector>

#include "model/file_read.h"

namespace radioprog {

std::string DatSaveName(const std::string& chosenPath) {
    if (chosenPath.find(".dat") != std::string::npos) return chosenPath;
    return chosenPath + ".dat";
}

std::vector<std::uint8_t> DatFileBytes(const RadioImage& image) {
    std::vector<std::uint8_t> content(kDatFileSize, 0);
    std::copy(image.bytes.begin(), image.bytes.end(), content.begin());
    return content;
}

FileResult SaveDatFile(const RadioImage& image, const std::string& path) {
    return WriteFileAtomically(path, DatFileBytes(image));
}

FileResult OpenDatFile(const std::string& path, RadioImage& image) {
    FileContent content = ReadWholeFile(path);
    if (!content.ok) return {false, content.error, content.systemError, content.failure};
    return DecodeDatFile(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(content.bytes.data()),
                                                       content.bytes.size()),
                         path, image);
}

FileResult DecodeDatFile(std::span<const std::uint8_t> content, const std::string& name, RadioImage& image) {
    const std::size_t got = std::min(content.size(), kImageSize);
    if (got < kDatMinimumSize || content.size() > kDatMaximumSize)
        return {false, name + " is not a radio image: it holds " + std::to_string(content.size()) +
                           " bytes, a .dat file holds " + std::to_string(kDatFileSize) + "."};
    std::size_t restored = got >= kImageSize ? kImageSize : kDatMinimumSize;
    std::copy(content.begin(), content.begin() + static_cast<std::ptrdiff_t>(restored), image.bytes.begin());
    return {};
}

}  // namespace radioprog
