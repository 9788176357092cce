// radioprog-cli new FILE: writes the image of a freshly started program.
#include <iostream>

#include "cli/command.h"
#include "model/dat_file.h"

namespace radioprog::cli {
namespace {

int RunNew(const std::vector<std::string>& args) {
    if (args.size() != 1) return UsageError("new: expected exactly one FILE");
    RadioImage image;
    image.ApplyDefaults();
    FileResult saved = SaveDatFile(image, args[0]);
    if (!saved.ok) return UsageError(saved.error);
    return kExitOk;
}

const CommandRegistration kRegistration{{
    "new",
    "new FILE",
    "write the default radio image (as after start-up) to FILE",
    "Writes the image that the program holds right after start-up (all channels empty,\n"
    "port 1, VFO A 136.00000 MHz, VFO B 400.00000 MHz) to FILE, 5592 bytes.\n"
    "FILE is used as given; no \".dat\" is appended.\n",
    RunNew,
}};

}  // namespace
}  // namespace radioprog::cli
