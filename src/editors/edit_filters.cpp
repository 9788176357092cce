#include "editors/edit_filters.h"

namespace radioprog {

namespace {

bool IsDigit(char32_t c) { return c >= U'0' && c <= U'9'; }
bool IsAsciiLetter(char32_t c) { return (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z'); }

}  // namespace

bool NameEditAccepts(char32_t c, std::size_t textLength, bool hasSelection) {
    if (c != kBackspaceKey && textLength >= kChannelNameEditLimit && !hasSelection) return false;
    return IsDigit(c) || IsAsciiLetter(c) || c == kBackspaceKey;
}

bool NumericEditAccepts(char32_t c, bool gridButtonDown) {
    if (gridButtonDown) return false;
    return IsDigit(c) || c == U'.' || c == kBackspaceKey || c == kCtrlC || c == kCtrlV || c == kCtrlX;
}

bool NumericTextAccepts(std::string_view text) {
    int points = 0;
    for (char c : text) {
        if (c == '.')
            ++points;
        else if (!IsDigit(static_cast<unsigned char>(c)))
            return false;
    }
    return points <= 1;
}

bool NameTextAccepts(std::string_view text) {
    if (text.size() > kChannelNameEditLimit) return false;
    for (char c : text)
        if (!IsDigit(static_cast<unsigned char>(c)) && !IsAsciiLetter(static_cast<unsigned char>(c))) return false;
    return true;
}

}  // namespace radioprog
