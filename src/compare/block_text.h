// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Names a stretch of the radio's memory by what the user knows it as: the channels it holds
// (numbered as the channel table numbers them), their names, the optional functions, the
// DTMF settings or the band limits.
#include <cstddef>
#include <cstdint>
#include <string>

#include "model/language_table.h"

namespace radioprog {

// The `size` bytes from radio address `address`: "CH 40" for one channel's 16 bytes,
// "CH 8-11" for a 64-byte block of channels, "CH 40 Name" for a name, "VFO A" ...; an
// address outside the known blocks as "0x1234".
std::string BlockText(std::uint16_t address, std::size_t size, const LanguageTable& language);

}  // namespace radioprog
