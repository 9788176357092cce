// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/message_layout.h"

#include "model/ansi_text.h"

namespace radioprog {

int MessageFontPoints(const std::string& message) {
    std::size_t n = AnsiLength(message);
    if (n <= 12) return 19;
    if (n <= 25) return 16;
    return 12;
}

bool MessageNeedsSplit(const std::string& message, bool fitsOnOneLine) {
    return !fitsOnOneLine && AnsiLength(message) >= 24;
}

std::size_t MessageSplitIndex(const std::string& message) {
    // The code-page byte at position p is a space only where an ASCII space sits there.
    auto spaceAt = [&message](std::size_t ansiPos) {
        std::size_t i = Utf8IndexForAnsi(message, ansiPos);
        return i < message.size() && message[i] == ' ' && AnsiLength(message.substr(0, i)) == ansiPos;
    };
    std::size_t split = 23;
    if (spaceAt(22))
        split = 22;
    else if (spaceAt(23))
        split = 24;
    else if (spaceAt(24))
        split = 25;
    return Utf8IndexForAnsi(message, split);
}

bool MessageSplitIsClean(const std::string& message, std::size_t split) {
    if (split == 0 || split >= message.size()) return true;
    const auto before = static_cast<unsigned char>(message[split - 1]);
    const auto after = static_cast<unsigned char>(message[split]);
    return before == ' ' || after == ' ' || before >= 0x80 || after >= 0x80;
}

namespace {

// The pieces that are never broken: a run of ASCII characters other than space, or one
// character outside ASCII; each with the spaces that follow it.
std::vector<std::string> UnbreakablePieces(const std::string& message) {
    std::vector<std::string> pieces;
    std::size_t i = 0;
    while (i < message.size()) {
        std::size_t end = i;
        const auto byte = static_cast<unsigned char>(message[i]);
        if (byte >= 0x80) {
            end = i + 1;
            while (end < message.size() && (static_cast<unsigned char>(message[end]) & 0xC0) == 0x80) ++end;
        } else {
            while (end < message.size() && message[end] != ' ' && static_cast<unsigned char>(message[end]) < 0x80)
                ++end;
        }
        while (end < message.size() && message[end] == ' ') ++end;
        pieces.push_back(message.substr(i, end - i));
        i = end;
    }
    return pieces;
}

std::string WithoutTrailingSpaces(std::string text) {
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

}  // namespace

std::vector<std::string> WrapMessage(const std::string& message, int maxWidth,
                                     const std::function<int(const std::string&)>& width) {
    std::vector<std::string> lines;
    std::string line;
    for (const std::string& piece : UnbreakablePieces(message)) {
        if (!line.empty() && width(WithoutTrailingSpaces(line + piece)) > maxWidth) {
            lines.push_back(WithoutTrailingSpaces(line));
            line.clear();
        }
        line += piece;
    }
    if (!line.empty() || lines.empty()) lines.push_back(WithoutTrailingSpaces(line));
    return lines;
}

}  // namespace radioprog
