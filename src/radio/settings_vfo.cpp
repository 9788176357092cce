// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/settings_vfo.h"

#include <cstdlib>

#include <algorithm>
#include <cstdio>

#include "model/freq_codec.h"
#include "radio/edit_filters.h"

namespace radioprog {

namespace {

constexpr int kOffsetDigits = 5;
constexpr int kOffsetLimitKhz = 70000;
constexpr std::string_view kVhfRange = "136-260.0000";
constexpr std::string_view kVhfRangeB = "134-260.0000";
constexpr std::string_view kUhfRange = "400-520.0000";

std::vector<std::string> BuildOffsetTexts() {
    std::vector<std::string> texts;
    texts.reserve(kOffsetCount);
    for (int i = 0; i < kOffsetCount; ++i) {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "%02d.%03d", i / 20, kOffsetStepKhz * (i % 20));
        texts.emplace_back(buffer);
    }
    return texts;
}

}  // namespace

const std::vector<std::string>& OffsetTexts() {
    static const std::vector<std::string> texts = BuildOffsetTexts();
    return texts;
}

int OffsetIndexFromEntry(const std::uint8_t* entry) {
    long khz = 0;
    for (int i = 1; i <= kOffsetDigits; ++i) khz = 10 * khz + entry[i];
    return khz < kOffsetLimitKhz ? static_cast<int>(khz / kOffsetStepKhz) : 0;
}

void WriteOffsetIndex(std::uint8_t* entry, int index) {
    int khz = index >= 0 && index < kOffsetCount ? kOffsetStepKhz * index : 0;
    for (int i = kOffsetDigits; i >= 1; --i) {
        entry[i] = static_cast<std::uint8_t>(khz % 10);
        khz /= 10;
    }
    entry[kOffsetDigits + 1] = 0;
}

int VfoBandOfFrequency(const std::string& frequencyText) { return std::atoi(frequencyText.c_str()) >= 300 ? 1 : 0; }

std::string LoadedRangeText(int band) { return std::string(band == 0 ? kVhfRange : kUhfRange); }

bool BandChangeTexts(int side, int band, BandTexts& texts) {
    if (band == 0) {
        texts = {std::string(side == kVfoSideB ? kVhfRangeB : kVhfRange), "136.0250"};
        return true;
    }
    if (band == 1) {
        texts = {std::string(kUhfRange), "400.0250"};
        return true;
    }
    return false;
}

bool FreqEditAccepts(const std::string& text) { return text.size() <= 9 && NumericTextAccepts(text); }

int StepGrid(int stepSelection) {
    static constexpr int kGrids[] = {250, 500, 625, 1000, 1250, 2500};
    return stepSelection >= 0 && stepSelection < 6 ? kGrids[stepSelection] : 0;
}

std::string SnapVfoFreqText(const std::string& typed, int stepSelection) {
    // A leading zero would shift the digits the packing takes ("0145.5" would pack as 14 MHz).
    std::string text = typed.substr(std::min(typed.find_first_not_of('0'), typed.size()));
    int grid = StepGrid(stepSelection);
    if (grid != 250) {
        // 5 ... 25 kHz are the grids 0 ... 4 of the shared snapping.
        SnapFreqText(text, grid == 0 ? kAnyStep : stepSelection - 1);
        return text;
    }
    // 2.5 kHz is finer than every grid the shared snapping knows. Its 5 kHz result has the
    // right range and form; when the range was not clamped, put back the 2.5 kHz half step
    // that the typed fraction had.
    std::string snapped = text;
    SnapFreqText(snapped, 0);
    if (text.size() == 3) text += ".0";
    if (text.compare(0, 4, snapped, 0, 4) != 0) return snapped;  // clamped to 136 or 470 MHz
    std::string fraction = text.size() > 4 ? text.substr(4, 5) : std::string();
    fraction.resize(5, '0');
    long f = 0;
    for (char c : fraction) {
        if (c < '0' || c > '9') break;
        f = 10 * f + (c - '0');
    }
    f -= f % 250;
    char digits[24];
    std::snprintf(digits, sizeof digits, "%05ld", f);
    return snapped.substr(0, 4) + digits;
}

}  // namespace radioprog
