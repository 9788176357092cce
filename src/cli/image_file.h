#pragma once
#include <string>

#include "model/radio_image.h"

namespace radioprog::cli {

// Starts from the default image and opens FILE into it as File Open does. On failure
// prints the reason and returns kExitUsage.
int LoadImageFile(const std::string& path, RadioImage& image);

}  // namespace radioprog::cli
