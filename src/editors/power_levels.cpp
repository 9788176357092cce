#include "editors/power_levels.h"

#include <cmath>
#include <set>

#include "editors/delimited_text.h"

namespace radioprog {

namespace {

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

// "5.0W", "50 W", "1", "500mW" as watts.
std::optional<double> Watts(const std::string& lower) {
    std::string number = lower;
    double scale = 1.0;
    if (number.size() >= 2 && number.compare(number.size() - 2, 2, "mw") == 0) {
        number.resize(number.size() - 2);
        scale = 0.001;
    } else if (!number.empty() && number.back() == 'w') {
        number.pop_back();
    }
    number = TrimBlanks(number);
    std::size_t point = number.find('.');
    std::string whole = number.substr(0, point);
    std::string fraction = point == std::string::npos ? std::string() : number.substr(point + 1);
    if (whole.empty() || whole.size() > 6 || fraction.size() > 6) return std::nullopt;
    if (whole.find_first_not_of("0123456789") != std::string::npos ||
        fraction.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    // Integer digits: the decimal point must not depend on the locale.
    fraction.resize(6, '0');
    const double micro = static_cast<double>(std::stoll(whole) * 1'000'000 + std::stoll(fraction));
    return micro / 1e6 * scale;
}

}  // namespace

std::string PowerText(bool high) {
    for (const PowerLevel& level : kPowerLevels)
        if (level.high == high) return level.text;
    return {};
}

std::optional<bool> PowerIsHigh(std::string_view text) {
    static const std::set<std::string> highWords = {"", "high", "hi", "h", "max"};
    static const std::set<std::string> lowWords = {"low", "lo", "l", "mid", "medium", "m", "min"};
    const std::string lower = Lower(TrimBlanks(text));
    if (highWords.count(lower)) return true;
    if (lowWords.count(lower)) return false;
    std::optional<double> watts = Watts(lower);
    if (!watts || *watts <= 0) return std::nullopt;
    const PowerLevel* nearest = nullptr;
    double distance = 0;
    for (const PowerLevel& level : kPowerLevels) {
        double d = std::fabs(std::log(*watts / level.watts));
        if (!nearest || d < distance) {
            nearest = &level;
            distance = d;
        }
    }
    return nearest->high;
}

}  // namespace radioprog
