// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The six-character text of the settings block (0x0E50..0x0E55): space, "+", "-", "?",
// digits and capital letters.
#include <cstdint>
#include <string>

namespace radioprog {

inline constexpr std::uint16_t kSixCharTextAddress = 0x0E50;
inline constexpr int kSixCharTextLength = 6;

bool IsSixCharTextChar(char c);
// The allowed characters from the start, at most six, up to the first other byte; when all
// six were taken, trailing spaces are dropped.
std::string ReadSixCharText(const std::uint8_t* bytes);
// Writes exactly six bytes: allowed characters as they are, "/" as "-", "a".."z" in capitals;
// any other character ends the text, and it and every later position become spaces.
void WriteSixCharText(std::uint8_t* bytes, const std::string& text);

}  // namespace radioprog
