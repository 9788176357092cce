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

}  // namespace radioprog
