// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Decimal numbers read exactly, as integers of a fixed resolution: no floating point and no
// locale decides how "88.5" or "5.0W" is read.
#include <optional>
#include <string_view>

namespace radioprog {

// A decimal number as an integer count of 10^-decimals: "88.5" with 1 decimal gives 885.
// Blanks (spaces, tabs) around it are allowed. nullopt for anything but digits with at most
// one point, for a non-zero digit beyond the decimals, and for more than 9 digits before the
// point.
std::optional<long long> ParseFixedPoint(std::string_view text, int decimals);

// A power as files from other programs write it, in nanowatts: a number of watts with an
// optional unit "W" or "mW" (any letter case, blanks between): "5.0W" = 5000000000,
// "50 W", "1", "500mW" = 500000000. nullopt for anything else.
std::optional<long long> ParseNanowatts(std::string_view text);

}  // namespace radioprog
