// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/image_file.h"

#include "cli/command.h"
#include "cli/whole_file.h"
#include "model/dat_file.h"

namespace radioprog::cli {

int LoadImageFile(const std::string& path, RadioImage& image) {
    image.ApplyDefaults();
    if (path == kStandardStream) {
        std::string content;
        if (int status = ReadWholeInput(path, content); status != kExitOk) return status;
        FileResult decoded = DecodeDatFile(
            std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(content.data()), content.size()),
            InputName(path), image);
        if (!decoded.ok) return UsageError(decoded.error);
        return kExitOk;
    }
    FileResult opened = OpenDatFile(path, image);
    if (!opened.ok) return UsageError(opened.error);
    return kExitOk;
}

int SaveImageFile(const RadioImage& image, const std::string& path) {
    if (int status = RefuseTerminal(path); status != kExitOk) return status;
    const std::vector<std::uint8_t> bytes = DatFileBytes(image);
    return WriteWholeOutput(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

int CheckImageDestination(const std::string& path) {
    if (int status = RefuseTerminal(path); status != kExitOk) return status;
    return CheckWholeOutput(path);
}

}  // namespace radioprog::cli
