// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ansi_text.h"

namespace radioprog {

std::size_t Utf8SequenceLength(unsigned char b) {
    if (b < 0x80) return 1;
    if ((b & 0xE0) == 0xC0) return 2;
    if ((b & 0xF0) == 0xE0) return 3;
    if ((b & 0xF8) == 0xF0) return 4;
    return 1;
}

namespace {
std::size_t CharAt(std::string_view text, std::size_t i) {
    std::size_t n = Utf8SequenceLength(static_cast<unsigned char>(text[i]));
    return i + n > text.size() ? text.size() - i : n;
}
}  // namespace

std::size_t AnsiLength(std::string_view text) {
    std::size_t ansi = 0;
    for (std::size_t i = 0; i < text.size(); i += CharAt(text, i))
        ansi += static_cast<unsigned char>(text[i]) < 0x80 ? 1 : 2;
    return ansi;
}

std::size_t Utf8IndexForAnsi(std::string_view text, std::size_t ansiPos) {
    std::size_t ansi = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t width = static_cast<unsigned char>(text[i]) < 0x80 ? 1 : 2;
        if (ansi + width > ansiPos) break;
        ansi += width;
        i += CharAt(text, i);
    }
    return i;
}

std::string AnsiPrefix(std::string_view text, std::size_t maxAnsi) {
    return std::string(text.substr(0, Utf8IndexForAnsi(text, maxAnsi)));
}

}  // namespace radioprog
