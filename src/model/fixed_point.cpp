// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/fixed_point.h"

#include <string>

#include "model/ascii_text.h"

namespace radioprog {

namespace {

bool EndsWith(const std::string& text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

}  // namespace

std::optional<long long> ParseFixedPoint(std::string_view raw, int decimals) {
    std::string text = TrimBlanks(raw);
    std::size_t point = text.find('.');
    std::string whole = text.substr(0, point);
    std::string fraction = point == std::string::npos ? std::string() : text.substr(point + 1);
    if (whole.empty() || whole.size() > 9) return std::nullopt;
    for (char c : whole + fraction)
        if (!IsAsciiDigit(c)) return std::nullopt;
    long long value = 0;
    for (char c : whole) value = value * 10 + (c - '0');
    for (int i = 0; i < decimals; ++i) {
        auto index = static_cast<std::size_t>(i);
        value = value * 10 + (index < fraction.size() ? fraction[index] - '0' : 0);
    }
    for (std::size_t i = static_cast<std::size_t>(decimals); i < fraction.size(); ++i)
        if (fraction[i] != '0') return std::nullopt;
    return value;
}

std::optional<long long> ParseNanowatts(std::string_view raw) {
    std::string number = ToLowerAscii(TrimBlanks(raw));
    // Watts to nanowatts: 9 decimals; milliwatts: 6.
    int decimals = 9;
    if (EndsWith(number, "mw")) {
        number.resize(number.size() - 2);
        decimals = 6;
    } else if (EndsWith(number, "w")) {
        number.pop_back();
    }
    return ParseFixedPoint(number, decimals);
}

}  // namespace radioprog
