// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a new image holds. The image's own defaults (RadioImage::ApplyDefaults) give every
// block but the settings block's data, which comes from the settings table: each row's
// default, stored as the form stores it, and the bytes no row describes from one list.
#include <array>
#include <cstdint>

#include "model/radio_image.h"

namespace radioprog {

inline constexpr std::size_t kSettingsBlockSize = 64;  // 0x0E20..0x0E5F

// The settings block of a new image.
std::array<std::uint8_t, kSettingsBlockSize> NewSettingsBlock();

// Writes the contents of a new image (the spare bytes and band-limit data bytes 16..63 stay
// as they are). Every new document, new file and fresh simulated radio starts from it.
void WriteNewImage(RadioImage& image);

}  // namespace radioprog
