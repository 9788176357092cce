// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// DTMF digits as the radio stores them: "1".."9" = 1..9, "0" = 10, "*" = 11, "#" = 12,
// "A".."D" = 13..16; anything else is 0xFF. Codes above 16 end a code.
#include <cstdint>

namespace radioprog {

inline constexpr std::uint8_t kDtmfInvalid = 0xFF;

std::uint8_t DtmfCharToCode(char c);
// 0..16 give their character (0 also gives "0"); anything else gives '\0'.
char DtmfCodeToChar(std::uint8_t code);

}  // namespace radioprog
