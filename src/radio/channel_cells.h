// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The channel table's cell texts: what each of the 12 grid columns shows for a channel.
#include <array>
#include <string>

#include "model/language_table.h"
#include "model/radio_image.h"

namespace radioprog {

inline constexpr int kChannelColumnCount = 12;
using ChannelRow = std::array<std::string, kChannelColumnCount>;

// Grid columns.
namespace column {
inline constexpr int kNumber = 0;
inline constexpr int kBand = 1;
inline constexpr int kRxFrequency = 2;
inline constexpr int kTxFrequency = 3;
inline constexpr int kRxTone = 4;
inline constexpr int kTxTone = 5;
inline constexpr int kPower = 6;
inline constexpr int kBandwidth = 7;
inline constexpr int kBit14 = 8;
inline constexpr int kBusyLockout = 9;
inline constexpr int kSignalling = 10;
inline constexpr int kName = 11;
}  // namespace column

inline constexpr const char* kBandText = "VHF/UHF";

// A flag column (6..9): the flag-word bit it shows and the language rows shown for 0 and 1.
struct FlagColumn {
    int column;
    int bit;
    int rowFor0;
    int rowFor1;
};

// The flag column's description; nullptr for any other column.
const FlagColumn* FindFlagColumn(int column);

// A flag text stores bit 0 when it equals the text of language row kLow, kNo, kNarrow or kToneOff, whatever
// the column; every other text stores 1.
bool IsZeroFlagText(const std::string& text, const LanguageTable& language);

// Language rows of the column headers, columns 0..11.
const std::array<int, kChannelColumnCount>& ChannelHeaderRows();

// The 12 cell texts of channel n.
ChannelRow ChannelToRow(const RadioImage& image, const LanguageTable& language, int n);

}  // namespace radioprog
