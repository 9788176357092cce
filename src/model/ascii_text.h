// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// ASCII-only text helpers: case folding touches the letters A-Z and a-z and nothing else, so
// a UTF-8 text keeps every other byte, whatever the locale.
#include <string>
#include <string_view>

namespace radioprog {

// Characters (char or char32_t) that are ASCII digits or letters.
constexpr bool IsAsciiDigit(char32_t c) { return c >= U'0' && c <= U'9'; }
constexpr bool IsAsciiLetter(char32_t c) { return (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z'); }

constexpr char ToLowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
constexpr char ToUpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
std::string ToLowerAscii(std::string_view text);
std::string ToUpperAscii(std::string_view text);

// True when a and b are equal ignoring the case of ASCII letters.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);
// True when text begins with prefix ignoring the case of ASCII letters (an empty prefix
// begins every text).
bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix);

// The text without blanks (spaces and tabs) at both ends.
std::string TrimBlanks(std::string_view text);

}  // namespace radioprog
