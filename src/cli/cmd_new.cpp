// SPDX-License-Identifier: GPL-3.0-or-later
// radioprog-cli new FILE: writes the image of a freshly started program.
#include <iostream>

#include "cli/command.h"
#include "cli/image_file.h"
#include "radio/new_image.h"

namespace radioprog::cli {
namespace {

int RunNew(const cmdline::Arguments& args) {
    int status = kExitOk;
    if (!CheckArgumentCount("new", args, 1, 1, "exactly one FILE", status)) return status;
    RadioImage image;
    WriteNewImage(image);
    return SaveImageFile(image, args.positional()[0]);
}

const CommandRegistration kRegistration{{
    "new",
    "new FILE",
    "write the default radio image (as after start-up) to FILE",
    "Writes the image that the program holds right after start-up (all channels\n"
    "empty, port 1, VFO A 136.00000 MHz, VFO B 400.00000 MHz) to FILE, 5592 bytes.\n"
    "FILE is used as given; no \".dat\" is appended. FILE \"-\" writes to standard\n"
    "output.\n",
    {},
    {},
    RunNew,
}};

}  // namespace
}  // namespace radioprog::cli
