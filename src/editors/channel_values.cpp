#include "editors/channel_values.h"

#include <algorithm>
#include <cstdio>

#include "editors/delimited_text.h"
#include "model/tone_codec.h"

namespace radioprog {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// A decimal number as an integer count of 10^-decimals: "88.5" with 1 decimal gives 885.
// nullopt for anything but digits with at most one point, for a non-zero digit beyond the
// decimals, and for more than 9 digits before the point.
std::optional<long long> ParseFixedPoint(std::string_view raw, int decimals) {
    std::string text = TrimBlanks(raw);
    std::size_t point = text.find('.');
    std::string whole = text.substr(0, point);
    std::string fraction = point == std::string::npos ? std::string() : text.substr(point + 1);
    if (whole.empty() || whole.size() > 9) return std::nullopt;
    for (char c : whole + fraction)
        if (!IsDigit(c)) return std::nullopt;
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

// Digits, optionally a point and more digits.
bool IsDecimalNumber(std::string_view raw) {
    std::string text = TrimBlanks(raw);
    std::size_t point = text.find('.');
    std::string whole = text.substr(0, point);
    std::string fraction = point == std::string::npos ? std::string() : text.substr(point + 1);
    return !whole.empty() && std::all_of(whole.begin(), whole.end(), IsDigit) &&
           std::all_of(fraction.begin(), fraction.end(), IsDigit);
}

}  // namespace

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

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
        if (!IsDigit(c)) return std::nullopt;
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
