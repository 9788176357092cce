// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/band_limits.h"

#include <cstdio>
#include <cstdlib>
#include <iterator>

#include "model/freq_codec.h"

namespace radioprog {

namespace {

constexpr FrequencyUnits kUnitsPerMhz = 100000;  // frequency codes count 10 Hz
constexpr FrequencyUnits kUpperMargin = 99500;   // the upper limit plus 0.995 MHz

// Where each of the record's eight limits goes.
struct LimitSlot {
    int (BandLimits::*limits)[2];
    int band;
};
constexpr LimitSlot kRecordOrder[] = {
    {&BandLimits::rxLower, 0}, {&BandLimits::rxUpper, 0}, {&BandLimits::rxLower, 1}, {&BandLimits::rxUpper, 1},
    {&BandLimits::txLower, 0}, {&BandLimits::txUpper, 0}, {&BandLimits::txLower, 1}, {&BandLimits::txUpper, 1},
};
static_assert(std::size(kRecordOrder) * 2 == kBandLimitRecordSize);

}  // namespace

int DecodeBandLimit(std::uint8_t high, std::uint8_t low) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "%x", high * 256 + low);
    return static_cast<int>(std::strtol(hex, nullptr, 10));
}

void EncodeBandLimit(int mhz, std::uint8_t* out) {
    int d[4] = {mhz / 1000 % 10, mhz / 100 % 10, mhz / 10 % 10, mhz % 10};
    out[0] = static_cast<std::uint8_t>(d[0] << 4 | d[1]);
    out[1] = static_cast<std::uint8_t>(d[2] << 4 | d[3]);
}

BandLimits DecodeBandLimits(const std::uint8_t* record) {
    BandLimits limits{};
    for (std::size_t i = 0; i < std::size(kRecordOrder); ++i)
        (limits.*kRecordOrder[i].limits)[kRecordOrder[i].band] = DecodeBandLimit(record[2 * i], record[2 * i + 1]);
    return limits;
}

BandLimits DecodeBandLimits(const RadioImage& image) { return DecodeBandLimits(image.blockData(BlockId::BandLimits)); }

void EncodeBandLimits(const BandLimits& limits, std::uint8_t* record) {
    for (std::size_t i = 0; i < std::size(kRecordOrder); ++i)
        EncodeBandLimit((limits.*kRecordOrder[i].limits)[kRecordOrder[i].band], record + 2 * i);
}

bool InBands(std::uint32_t code, const int lower[2], const int upper[2]) {
    const FrequencyUnits units = BcdToUnits(code);
    for (int band = 0; band < 2; ++band)
        if (lower[band] * kUnitsPerMhz <= units && units <= upper[band] * kUnitsPerMhz + kUpperMargin) return true;
    return false;
}

}  // namespace radioprog
