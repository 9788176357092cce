// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Texts are UTF-8. Where a rule depends on a text's length in bytes (field limits, font
// sizes, cuts), it counts as the radio's original double-byte code page did: one per ASCII
// character, two per any other character. Texts are never cut inside a character.
#include <cstddef>
#include <string>
#include <string_view>

namespace radioprog {

// Byte length of the UTF-8 sequence that starts with lead byte b (1 for stray bytes).
std::size_t Utf8SequenceLength(unsigned char b);

// Length of the text counted as the code page counts it.
std::size_t AnsiLength(std::string_view text);

// The longest prefix of text whose code-page length is at most maxAnsi, ending on a
// character boundary.
std::string AnsiPrefix(std::string_view text, std::size_t maxAnsi);

// The position (UTF-8 byte index) that lies closest to the code-page position ansiPos
// without passing it and without splitting a character.
std::size_t Utf8IndexForAnsi(std::string_view text, std::size_t ansiPos);

}  // namespace radioprog
