#include "cli/image_file.h"

#include "cli/command.h"
#include "model/dat_file.h"

namespace radioprog::cli {

int LoadImageFile(const std::string& path, RadioImage& image) {
    image.ApplyDefaults();
    FileResult opened = OpenDatFile(path, image);
    if (!opened.ok) return UsageError(opened.error);
    return kExitOk;
}

}  // namespace radioprog::cli
