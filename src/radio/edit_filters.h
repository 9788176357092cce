// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The character filters of the two filtered edit fields: a refused character is dropped
// (and the field beeps). Texts the program sets are not filtered.
#include <cstddef>
#include <string_view>

namespace radioprog {

inline constexpr char32_t kBackspaceKey = 8;
inline constexpr char32_t kCtrlC = 3;
inline constexpr char32_t kCtrlV = 22;
inline constexpr char32_t kCtrlX = 24;
inline constexpr std::size_t kChannelNameEditLimit = 7;

// Channel-name field: digits, letters A-Z and a-z and backspace; a character that would make
// the text longer than 7 characters is refused unless it replaces a selection. textLength
// counts characters.
bool NameEditAccepts(char32_t c, std::size_t textLength, bool hasSelection);

// Frequency and channel-number fields: digits, the point, backspace, Ctrl+C, Ctrl+V and
// Ctrl+X; nothing at all while the left mouse button is held on the channel grid.
bool NumericEditAccepts(char32_t c, bool gridButtonDown);

// Whole texts, as a paste or a typed character would leave them. Frequency and channel-number
// fields: digits and at most one point (a pasted line break or second point is refused).
// Channel names: at most 7 digits and letters A-Z, a-z.
bool NumericTextAccepts(std::string_view text);
bool NameTextAccepts(std::string_view text);

}  // namespace radioprog
