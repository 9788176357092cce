// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/edit_filters.h"

#include "model/ascii_text.h"

namespace radioprog {

bool NameEditAccepts(char32_t c, std::size_t textLength, bool hasSelection) {
    if (c != kBackspaceKey && textLength >= kChannelNameEditLimit && !hasSelection) return false;
    return IsAsciiDigit(c) || IsAsciiLetter(c) || c == kBackspaceKey;
}

bool NumericEditAccepts(char32_t c, bool gridButtonDown) {
    if (gridButtonDown) return false;
    return IsAsciiDigit(c) || c == U'.' || c == kBackspaceKey || c == kCtrlC || c == kCtrlV || c == kCtrlX;
}

bool NumericTextAccepts(std::string_view text) {
    int points = 0;
    for (char c : text) {
        if (c == '.')
            ++points;
        else if (!IsAsciiDigit(static_cast<unsigned char>(c)))
            return false;
    }
    return points <= 1;
}

bool NameTextAccepts(std::string_view text) {
    if (text.size() > kChannelNameEditLimit) return false;
    for (char c : text)
        if (!IsAsciiDigit(static_cast<unsigned char>(c)) && !IsAsciiLetter(static_cast<unsigned char>(c))) return false;
    return true;
}

}  // namespace radioprog
