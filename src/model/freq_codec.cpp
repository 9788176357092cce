// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/freq_codec.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace radioprog {

namespace {

// The leading decimal integer, as the C library reads it (blanks and a sign allowed).
long LeadingInteger(const std::string& text) { return std::strtol(text.c_str(), nullptr, 10); }

// Digits only: parsing stops at the first non-digit.
long LeadingDigits(const std::string& text) {
    long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        value = value * 10 + (c - '0');
    }
    return value;
}

// The digits of the integer part followed by exactly `decimals` digits of the fraction,
// missing digits taken as 0, further digits dropped.
long FixedPoint(const std::string& text, int decimals) {
    std::string::size_type point = text.find('.');
    std::string whole = text.substr(0, point);
    std::string fraction = point == std::string::npos ? std::string() : text.substr(point + 1);
    fraction.resize(static_cast<std::size_t>(decimals), '0');
    return LeadingDigits(whole + fraction);
}

}  // namespace

void SnapFreqText(std::string& text, int stepIndex) {
    long mhz = LeadingInteger(text);
    if (mhz < 136) {
        text = "136.00000";
        return;
    }
    if (mhz > 520) {
        text = "470.00000";
        return;
    }
    // A typed "0145.5" or " 145.5" means 145.5: the MHz part is rewritten as its three
    // digits, so the packing below never reads a blank or a leading zero as a digit.
    const std::string::size_type point = text.find('.');
    const std::string mhzDigits = std::to_string(mhz);
    if (text.substr(0, point) != mhzDigits)
        text = mhzDigits + (point == std::string::npos ? std::string() : text.substr(point));
    if (text.size() == 3) text += ".0";
    std::string fraction = text.size() > 4 ? text.substr(4, 5) : std::string();
    fraction.resize(5, '0');
    long f = LeadingDigits(fraction);

    static constexpr long kSteps[] = {500, 625, 1000, 1250, 2500, 5000, 10000};
    if (stepIndex >= 0 && stepIndex <= 6) {
        f -= f % kSteps[stepIndex];
    } else if (f % 500 != 0 && f % 625 != 0) {
        long by500 = f - f % 500;
        long by625 = f - f % 625;
        f = by500 > by625 ? by500 : by625;
    }
    char digits[24];
    std::snprintf(digits, sizeof digits, "%05ld", f);
    text = text.substr(0, 4) + digits;
}

std::uint32_t PackFreqText(const std::string& snapped) {
    static constexpr int kPositions[8] = {0, 1, 2, 4, 5, 6, 7, 8};
    std::uint32_t code = 0;
    for (int position : kPositions) {
        auto index = static_cast<std::size_t>(position);
        int digit = index < snapped.size() ? snapped[index] - '0' : 0;
        code = (code << 4) | (static_cast<std::uint32_t>(digit) & 0xF);
    }
    return code;
}

std::uint32_t FreqTextToBcd(const std::string& text, bool enabled) {
    if (!enabled || text.empty()) return kNoFrequency;
    std::string snapped = text;
    SnapFreqText(snapped, kAnyStep);
    return PackFreqText(snapped);
}

FrequencyUnits BcdToUnits(std::uint32_t code) {
    FrequencyUnits units = 0;
    for (int shift = 28; shift >= 0; shift -= 4) units = units * 10 + ((code >> shift) & 0xF);
    return units;
}

std::uint32_t UnitsToBcd(FrequencyUnits units) {
    std::uint32_t code = 0;
    for (int shift = 0; shift < 32; shift += 4, units /= 10) code |= static_cast<std::uint32_t>(units % 10) << shift;
    return code;
}

bool IsBcdValid(std::uint32_t code) {
    for (int nibble = 0; nibble < 4; ++nibble)
        if (((code >> (4 * nibble)) & 0xF) > 9) return false;
    return true;
}

double BcdToMhz(std::uint32_t code) { return static_cast<double>(BcdToUnits(code)) / 100000.0; }

bool BcdToFreqText(std::uint32_t code, std::string& text) {
    if (!IsBcdValid(code)) {
        text.clear();
        return false;
    }
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.5f", BcdToMhz(code));
    text = buffer;
    return true;
}

void StepKhzToMhzText(std::string& text) {
    long n = FixedPoint(text, 2);
    n -= n % 25;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.5f", static_cast<double>(n) / 100000.0);
    text = buffer;
}

void OffsetFreqText(std::string& text, const std::string& offsetMhz, bool subtract) {
    std::string digits = text;
    if (digits.size() > 3) digits.erase(3, 1);
    long long f = std::strtoll(digits.c_str(), nullptr, 10);
    long long o = FixedPoint(offsetMhz, 5);
    long long r = subtract ? f - o : f + o;
    char buffer[48];
    if (r < 0)
        std::snprintf(buffer, sizeof buffer, "-%lld.%05lld", -r / 100000, -r % 100000);
    else
        std::snprintf(buffer, sizeof buffer, "%lld.%05lld", r / 100000, r % 100000);
    text = buffer;
}

}  // namespace radioprog
