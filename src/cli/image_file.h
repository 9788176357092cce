// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading and writing the image files radioprog-cli's commands take and give, standard
// input and output included.
#include <string>

#include "model/radio_image.h"

namespace radioprog::cli {

// Starts from the default image and opens FILE into it as File Open does ("-": standard
// input). On failure prints the reason and returns kExitUsage.
int LoadImageFile(const std::string& path, RadioImage& image);
// Writes the image as a .dat file, atomically ("-": standard output). On failure prints the
// reason and returns kExitUsage.
// A terminal is refused (an image is binary).
int SaveImageFile(const RadioImage& image, const std::string& path);
// Before a long job that ends in SaveImageFile: kExitOk when path can take the image, else
// prints the reason the save would give and returns kExitUsage.
int CheckImageDestination(const std::string& path);

}  // namespace radioprog::cli
