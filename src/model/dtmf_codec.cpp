// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/dtmf_codec.h"

#include "model/ascii_text.h"

namespace radioprog {

std::uint8_t DtmfCharToCode(char c) {
    if (c >= '1' && c <= '9') return static_cast<std::uint8_t>(c - '0');
    if (c == '0') return 10;
    if (c == '*') return 11;
    if (c == '#') return 12;
    c = ToUpperAscii(c);
    if (c >= 'A' && c <= 'D') return static_cast<std::uint8_t>(13 + (c - 'A'));
    return kDtmfInvalid;
}

char DtmfCodeToChar(std::uint8_t code) {
    static constexpr char kChars[] = "01234567890*#ABCD";
    return code <= 16 ? kChars[code] : '\0';
}

}  // namespace radioprog
