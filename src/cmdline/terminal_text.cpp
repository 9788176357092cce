// SPDX-License-Identifier: GPL-3.0-or-later
#include "cmdline/terminal_text.h"

namespace radioprog::cmdline {

namespace {

void AppendEscaped(std::string& out, unsigned char byte) {
    static constexpr char kDigits[] = "0123456789abcdef";
    out += "\\x";
    out += kDigits[byte >> 4];
    out += kDigits[byte & 0xF];
}

}  // namespace

std::string TerminalText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const bool control = (byte < 0x20 && byte != '\n' && byte != '\t') || byte == 0x7F;
        // U+0080 ... U+009F are C2 80 ... C2 9F in UTF-8.
        const bool c1 = byte == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                        static_cast<unsigned char>(text[i + 1]) <= 0x9F;
        if (control) {
            AppendEscaped(out, byte);
        } else if (c1) {
            AppendEscaped(out, byte);
            AppendEscaped(out, static_cast<unsigned char>(text[++i]));
        } else {
            out += static_cast<char>(byte);
        }
    }
    return out;
}

}  // namespace radioprog::cmdline
