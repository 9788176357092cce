// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Tone codes: 0xFFFF = off; below 0x2800 CTCSS in 0.1 Hz; 0x2800 + octal number = DCS
// normal ("D023N"); 0xA800 + octal number = DCS inverted ("D023I").
#include <cstdint>
#include <string>
#include <vector>

namespace radioprog {

inline constexpr std::uint16_t kToneOff = 0xFFFF;
inline constexpr int kToneListSize = 259;

std::uint16_t ToneTextToCode(const std::string& text, bool enabled, const std::string& offText);
// Off gives offText when showOff is set, else an empty text.
std::string ToneCodeToText(std::uint16_t code, bool showOff, const std::string& offText);

// The 259 entries of every tone list, in list order: the off text, 50 CTCSS tones,
// 104 DCS normal, the same 104 DCS inverted.
std::vector<std::string> ToneListEntries(const std::string& offText);

const std::vector<std::string>& CtcssTexts();      // "67.0" ... "254.1"
const std::vector<std::string>& DcsNumberTexts();  // "023" ... "754"

}  // namespace radioprog
