// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/channel_values.h"

#include <algorithm>
#include <cstdio>

#include "model/ascii_text.h"
#include "model/fixed_point.h"
#include "model/tone_codec.h"

namespace radioprog {

namespace {

// Digits, optionally a point and more digits.
bool IsDecimalNumber(std::string_view raw) {
    std::string text = TrimBlanks(raw);
    std::size_t point = text.find('.');
    std::string whole = text.substr(0, point);
    std::string fraction = point == std::string::npos ? std::string() : text.substr(point + 1);
    return !whole.empty() && std::all_of(whole.begin(), whole.end(), IsAsciiDigit) &&
           std::all_of(fraction.begin(), fraction.end(), IsAsciiDigit);
}

}  // namespace

std::optional<FrequencyUnits> ParseMhz(std::string_view text) { return ParseFixedPoint(text, 5); }

FrequencyProblem CheckStorableFrequency(FrequencyUnits units) {
    FrequencyUnits mhz = units / 100000;
    if (mhz < 136 || mhz > 520) return FrequencyProblem::OutOfBand;
    FrequencyUnits fraction = units % 100000;
    if (fraction % 500 != 0 && fraction % 625 != 0) return FrequencyProblem::OffRaster;
    return FrequencyProblem::None;
}

FrequencyCheck CheckFrequencyText(std::string_view text) {
    std::optional<FrequencyUnits> units = ParseMhz(text);
    // A number with digits below 10 Hz is a frequency, just not one the raster has.
    if (!units) return {IsDecimalNumber(text) ? FrequencyProblem::OffRaster : FrequencyProblem::NotAFrequency, 0};
    return {CheckStorableFrequency(*units), *units};
}

std::string GridFrequencyText(FrequencyUnits units) {
    char text[32];
    std::snprintf(text, sizeof text, "%03lld.%05lld", units / 100000, units % 100000);
    return text;
}

std::string MhzText(FrequencyUnits units) {
    char text[32];
    std::snprintf(text, sizeof text, "%lld.%05lld0", units / 100000, units % 100000);
    return text;
}

std::optional<std::string> CtcssEntry(std::string_view hz) {
    std::optional<long long> tenths = ParseFixedPoint(hz, 1);
    if (!tenths) return std::nullopt;
    for (const std::string& entry : CtcssTexts())
        if (ParseFixedPoint(entry, 1) == tenths) return entry;
    return std::nullopt;
}

std::optional<std::string> DcsNumber(std::string_view raw) {
    std::string text = TrimBlanks(raw);
    if (!text.empty() && (text[0] == 'D' || text[0] == 'd')) text.erase(0, 1);
    if (text.empty() || text.size() > 3) return std::nullopt;
    for (char c : text)
        if (!IsAsciiDigit(c)) return std::nullopt;
    text.insert(0, 3 - text.size(), '0');
    for (const std::string& number : DcsNumberTexts())
        if (number == text) return number;
    return std::nullopt;
}

std::optional<std::string> ToneListEntry(std::string_view raw, const std::string& offText) {
    std::string text = TrimBlanks(raw);
    if (EqualsIgnoringCase(offText, text)) return offText;
    // "D" + number + "N" or "I", as the list writes DCS entries.
    if (text.size() == 5 && (text[0] == 'D' || text[0] == 'd')) {
        char polarity = text[4] == 'n' ? 'N' : text[4] == 'i' ? 'I' : text[4];
        std::optional<std::string> number = DcsNumber(text.substr(1, 3));
        if (number && (polarity == 'N' || polarity == 'I')) return "D" + *number + polarity;
        return std::nullopt;
    }
    for (const std::string& entry : CtcssTexts())
        if (entry == text) return entry;
    return CtcssEntry(text);
}

}  // namespace radioprog
