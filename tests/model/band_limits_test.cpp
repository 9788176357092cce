// SPDX-License-Identifier: GPL-3.0-or-later
// The band-limit record: each limit's digits, the order of the eight limits, and the band
// comparison the check before a write makes.
#include <gtest/gtest.h>

#include <array>

#include "model/band_limits.h"

namespace radioprog {
namespace {

TEST(BandLimits, DecodedFromTheHexSpellingReadAsDecimal) {
    struct Case {
        std::uint8_t hi, lo;
        int mhz;
    };
    for (Case c : {Case{0x01, 0x36, 136}, Case{0x05, 0x20, 520}, Case{0x99, 0x99, 9999}, Case{0x00, 0x00, 0},
                   Case{0x1A, 0x00, 1}, Case{0xFF, 0xFF, 0}, Case{0x00, 0xA5, 0}, Case{0x04, 0x7F, 47}})
        EXPECT_EQ(DecodeBandLimit(c.hi, c.lo), c.mhz) << std::hex << int(c.hi) << " " << int(c.lo);
    // The new-image defaults: words 0x99990000, little-endian: 00 00 99 99.
    RadioImage image;
    image.ApplyDefaults();
    BandLimits limits = DecodeBandLimits(image);
    EXPECT_EQ(limits.rxLower[0], 0);
    EXPECT_EQ(limits.rxUpper[0], 9999);
    EXPECT_EQ(limits.txUpper[1], 9999);
}

TEST(BandLimits, EveryLimitSurvivesEncoding) {
    for (int mhz = 0; mhz <= 9999; ++mhz) {
        std::uint8_t bytes[2];
        EncodeBandLimit(mhz, bytes);
        ASSERT_EQ(DecodeBandLimit(bytes[0], bytes[1]), mhz);
    }
    std::uint8_t bytes[2];
    EncodeBandLimit(136, bytes);
    EXPECT_EQ(bytes[0], 0x01);
    EXPECT_EQ(bytes[1], 0x36);
}

TEST(BandLimits, RecordOrder) {
    // Receive band 1 lower, upper, band 2 lower, upper; then transmit.
    const std::array<std::uint8_t, kBandLimitRecordSize> record = {0x01, 0x36, 0x01, 0x74, 0x04, 0x00, 0x05, 0x20,
                                                                   0x01, 0x44, 0x01, 0x46, 0x04, 0x30, 0x04, 0x40};
    const BandLimits limits = DecodeBandLimits(record.data());
    EXPECT_EQ(limits.rxLower[0], 136);
    EXPECT_EQ(limits.rxUpper[0], 174);
    EXPECT_EQ(limits.rxLower[1], 400);
    EXPECT_EQ(limits.rxUpper[1], 520);
    EXPECT_EQ(limits.txLower[0], 144);
    EXPECT_EQ(limits.txUpper[0], 146);
    EXPECT_EQ(limits.txLower[1], 430);
    EXPECT_EQ(limits.txUpper[1], 440);
    std::array<std::uint8_t, kBandLimitRecordSize> encoded{};
    EncodeBandLimits(limits, encoded.data());
    EXPECT_EQ(encoded, record);
}

TEST(BandLimits, InBandsUpToThe995KhzAboveTheUpperLimit) {
    const int lower[2] = {136, 400};
    const int upper[2] = {174, 520};
    struct Case {
        std::uint32_t code;
        bool in;
    };
    for (Case c : {Case{0x13600000u, true}, Case{0x13599999u, false}, Case{0x17499500u, true}, Case{0x17499510u, false},
                   Case{0x39999999u, false}, Case{0x40000000u, true}, Case{0x52099500u, true}, Case{0x52099510u, false},
                   // A nibble above 9 weighs as its value: 0x13A00000 is 140 MHz, 0x4A000000 500.
                   Case{0x13A00000u, true}, Case{0x4A000000u, true}, Case{0x1F000000u, false}})
        EXPECT_EQ(InBands(c.code, lower, upper), c.in) << std::hex << c.code;
}

}  // namespace
}  // namespace radioprog
