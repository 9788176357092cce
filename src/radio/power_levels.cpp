// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/power_levels.h"

#include <cmath>
#include <set>

#include "model/ascii_text.h"
#include "model/fixed_point.h"

namespace radioprog {

std::string PowerText(bool high) {
    for (const PowerLevel& level : kPowerLevels)
        if (level.high == high) return level.text;
    return {};
}

std::optional<bool> PowerIsHigh(std::string_view text) {
    static const std::set<std::string> highWords = {"", "high", "hi", "h", "max"};
    static const std::set<std::string> lowWords = {"low", "lo", "l", "mid", "medium", "m", "min"};
    const std::string lower = ToLowerAscii(TrimBlanks(text));
    if (highWords.count(lower)) return true;
    if (lowWords.count(lower)) return false;
    const std::optional<long long> nanowatts = ParseNanowatts(lower);
    if (!nanowatts || *nanowatts <= 0) return std::nullopt;
    const double watts = static_cast<double>(*nanowatts) / 1e9;
    const PowerLevel* nearest = nullptr;
    double distance = 0;
    for (const PowerLevel& level : kPowerLevels) {
        double d = std::fabs(std::log(watts / level.watts));
        if (!nearest || d < distance) {
            nearest = &level;
            distance = d;
        }
    }
    return nearest->high;
}

}  // namespace radioprog
