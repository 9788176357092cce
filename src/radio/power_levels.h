// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The radio's two transmit power levels as watts, for files that exchange channels with
// other programs: those programs write and read power as a number of watts ("5.0W").
#include <optional>
#include <string>
#include <string_view>

namespace radioprog {

struct PowerLevel {
    bool high;         // the channel's power flag
    double watts;      // what a handheld of this class puts out
    const char* text;  // how the export writes it
};

// The one table: High 5.0 W, Low 1.0 W.
inline constexpr PowerLevel kPowerLevels[] = {
    {true, 5.0, "5.0W"},
    {false, 1.0, "1.0W"},
};

// "5.0W" for High, "1.0W" for Low.
std::string PowerText(bool high);

// The level a power text means: "High"/"Low" and their usual short forms (ASCII case
// ignored; empty is High, a new channel's level), or a number of watts ("5.0W", "50 W", "1",
// "500mW") mapped to the nearest level on a logarithmic scale, so 2.3 W and more is High.
// nullopt for anything else, zero watts included.
std::optional<bool> PowerIsHigh(std::string_view text);

}  // namespace radioprog
