// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/terminal_text.h"

#include <array>
#include <cstdlib>
#include <utility>

#include "model/ascii_text.h"

namespace radioprog {

namespace {

// UTF-8 sign and its ASCII spelling.
constexpr std::array<std::pair<std::string_view, std::string_view>, 9> kAsciiSpellings{{
    {"\xE2\x86\x92", "->"},   // → rightwards arrow
    {"\xE2\x86\x90", "<-"},   // ← leftwards arrow
    {"\xE2\x80\xA6", "..."},  // … ellipsis
    {"\xE2\x80\x93", "-"},    // – en dash
    {"\xE2\x80\x94", "--"},   // — em dash
    {"\xC2\xA9", "(C)"},      // © copyright sign
    {"\xC3\x97", "x"},        // × multiplication sign
    {"\xE2\x80\x98", "'"},    // ‘ quotation marks
    {"\xE2\x80\x99", "'"},    // ’
}};

void AppendEscaped(std::string& out, unsigned char byte) {
    static constexpr char kDigits[] = "0123456789abcdef";
    out += "\\x";
    out += kDigits[byte >> 4];
    out += kDigits[byte & 0xF];
}

// The length of the well-formed UTF-8 sequence text starts with (its first byte is not
// ASCII), or 0 when it starts with none: a stray continuation byte, a cut or overlong
// sequence, a surrogate, a code point past U+10FFFF.
std::size_t Utf8SequenceLength(std::string_view text) {
    const auto at = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = at(0);
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (text.size() < length || at(1) < low || at(1) > high) return 0;
    for (std::size_t k = 2; k < length; ++k)
        if (at(k) < 0x80 || at(k) > 0xBF) return 0;
    return length;
}

}  // namespace

bool LocaleIsUtf8(const char* lcAll, const char* lcCtype, const char* lang) {
    std::string_view name;
    for (const char* candidate : {lcAll, lcCtype, lang})
        if (candidate && *candidate) {
            name = candidate;
            break;
        }
    // The character set follows the '.' and ends at a '@' modifier: "sr_RS.UTF-8@latin".
    const std::size_t dot = name.find('.');
    if (dot == std::string_view::npos) return false;
    std::string_view charset = name.substr(dot + 1);
    charset = charset.substr(0, charset.find('@'));
    return EqualsIgnoringCase(charset, "UTF-8") || EqualsIgnoringCase(charset, "utf8");
}

bool LocaleIsUtf8() { return LocaleIsUtf8(std::getenv("LC_ALL"), std::getenv("LC_CTYPE"), std::getenv("LANG")); }

std::string AsciiSpelling(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        bool replaced = false;
        if (static_cast<unsigned char>(text[i]) >= 0x80)
            for (const auto& [sign, ascii] : kAsciiSpellings)
                if (text.substr(i).starts_with(sign)) {
                    result += ascii;
                    i += sign.size();
                    replaced = true;
                    break;
                }
        if (!replaced) result += text[i++];
    }
    return result;
}

std::string EscapeControls(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80) {
            const bool control = (byte < 0x20 && byte != '\n' && byte != '\t') || byte == 0x7F;
            if (control) {
                AppendEscaped(out, byte);
            } else {
                out += static_cast<char>(byte);
            }
            ++i;
            continue;
        }
        const std::size_t length = Utf8SequenceLength(text.substr(i));
        // U+0080 ... U+009F are C2 80 ... C2 9F in UTF-8.
        const bool c1 = length == 2 && byte == 0xC2 && static_cast<unsigned char>(text[i + 1]) <= 0x9F;
        if (length == 0 || c1) {
            // A byte that starts no valid sequence is shown alone; the next one starts afresh.
            const std::size_t shown = c1 ? 2 : 1;
            for (std::size_t k = 0; k < shown; ++k) AppendEscaped(out, static_cast<unsigned char>(text[i + k]));
            i += shown;
        } else {
            out.append(text.substr(i, length));
            i += length;
        }
    }
    return out;
}

std::string TerminalText(std::string_view text) {
    std::string escaped = EscapeControls(text);
    return LocaleIsUtf8() ? escaped : AsciiSpelling(escaped);
}

}  // namespace radioprog
