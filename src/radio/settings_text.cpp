// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/settings_text.h"

#include "model/ascii_text.h"

namespace radioprog {

bool IsSixCharTextChar(char c) {
    return c == ' ' || c == '+' || c == '-' || c == '?' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z');
}

std::string ReadSixCharText(const std::uint8_t* bytes) {
    std::string text;
    for (int i = 0; i < kSixCharTextLength && IsSixCharTextChar(static_cast<char>(bytes[i])); ++i)
        text += static_cast<char>(bytes[i]);
    if (text.size() == kSixCharTextLength) text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

void WriteSixCharText(std::uint8_t* bytes, const std::string& text) {
    bool ended = false;
    for (std::size_t i = 0; i < kSixCharTextLength; ++i) {
        char c = ToUpperAscii(!ended && i < text.size() ? text[i] : ' ');
        if (c == '/')
            c = '-';
        else if (!IsSixCharTextChar(c)) {
            ended = true;
            c = ' ';
        }
        bytes[i] = static_cast<std::uint8_t>(c);
    }
}

}  // namespace radioprog
