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

std::string TerminalText(std::string_view text) { return LocaleIsUtf8() ? std::string(text) : AsciiSpelling(text); }

}  // namespace radioprog
