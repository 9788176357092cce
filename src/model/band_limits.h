// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The radio's band-limit record: the two bands it receives and transmits on, in whole MHz.
// Eight limits of four BCD digits each, high digits first (0x01 0x36 = 136), in the order
// receive band 1 lower, upper, band 2 lower, upper, then the same for transmit.
#include <cstddef>
#include <cstdint>

#include "model/radio_image.h"

namespace radioprog {

// The radio's limits in whole MHz; index 0 is the first band, 1 the second.
struct BandLimits {
    int rxLower[2];
    int rxUpper[2];
    int txLower[2];
    int txUpper[2];
};

inline constexpr std::size_t kBandLimitRecordSize = 16;

// One limit. The value is read the way the radio software always has: its hexadecimal
// spelling parsed as a decimal number, so a non-decimal digit ends the number
// (0x1A00 = 1, 0xFFFF = 0).
int DecodeBandLimit(std::uint8_t high, std::uint8_t low);
// The limit's four lowest decimal digits, packed into out[0] and out[1].
void EncodeBandLimit(int mhz, std::uint8_t* out);

// The whole record (kBandLimitRecordSize bytes).
BandLimits DecodeBandLimits(const std::uint8_t* record);
BandLimits DecodeBandLimits(const RadioImage& image);
void EncodeBandLimits(const BandLimits& limits, std::uint8_t* record);

// True when the frequency code lies in [lower, upper + 0.995] MHz of either band. Compared
// exactly in 10 Hz units.
bool InBands(std::uint32_t code, const int lower[2], const int upper[2]);

}  // namespace radioprog
