// SPDX-License-Identifier: GPL-3.0-or-later
// The check before every write: band edges, the order of the checks and the refusal texts.
#include <gtest/gtest.h>

#include <algorithm>

#include "model/byte_order.h"
#include "model/channel_record.h"
#include "model/freq_codec.h"
#include "radio/band_check.h"
#include "radio/new_image.h"

namespace radioprog {
namespace {

LanguageTable Texts() {
    LanguageTable language;
    language.rows[lang_row::kChannel] = "Channel";
    language.rows[lang_row::kVfoFrequency] = "Current freq";
    language.rows[lang_row::kOutsideBands] = "out of band";
    language.rows[lang_row::kRxFrequency] = "RX";
    language.rows[lang_row::kTxFrequency] = "TX";
    language.rows[lang_row::kMoreRefused] = "and %1 more";
    return language;
}

// A new image whose band-limit block holds the given limits (whole MHz, BCD).
RadioImage WithBands(int rx1lo, int rx1hi, int rx2lo, int rx2hi, int tx1lo, int tx1hi, int tx2lo, int tx2hi) {
    RadioImage image;
    WriteNewImage(image);
    EncodeBandLimits({{rx1lo, rx2lo}, {rx1hi, rx2hi}, {tx1lo, tx2lo}, {tx1hi, tx2hi}},
                     image.blockData(BlockId::BandLimits));
    return image;
}

RadioImage UsualBands() { return WithBands(136, 174, 400, 520, 136, 174, 400, 520); }

TEST(BandCheck, DefaultLimitsAcceptEveryFrequency) {
    RadioImage image;
    WriteNewImage(image);
    for (int n = 0; n < kChannelCount; ++n) {
        ChannelRef channel(image, n);
        channel.setRxFrequency(n % 2 ? 0x99999990u : 0x00000010u);
        channel.setTxFrequency(0x52099500u);
    }
    EXPECT_TRUE(CheckBandLimits(image, Texts()).accepted);
}

TEST(BandCheck, BandEdges) {
    struct Case {
        std::uint32_t code;
        bool accepted;
    };
    for (Case c :
         {Case{0x17499000u, true}, Case{0x17500000u, false}, Case{0x39999500u, false}, Case{0x52099500u, true},
          Case{0x52099510u, false}, Case{0x13600000u, true}, Case{0x13599990u, false}, Case{0x40000000u, true}}) {
        for (bool transmit : {false, true}) {
            RadioImage image = UsualBands();
            ChannelRef channel(image, 9);
            (transmit ? channel.setTxFrequency(c.code) : channel.setRxFrequency(c.code));
            EXPECT_EQ(CheckBandLimits(image, Texts()).accepted, c.accepted)
                << std::hex << c.code << (transmit ? " tx" : " rx");
        }
    }
}

TEST(BandCheck, FirstRefusalNamesTheChannelAndShowsTheRangesCompared) {
    RadioImage image = WithBands(136, 174, 400, 520, 144, 146, 430, 440);
    ChannelRef(image, 2).setRxFrequency(0x15000000u);   // accepted for receive
    ChannelRef(image, 4).setRxFrequency(kNoFrequency);  // empty, yet its transmit is compared
    ChannelRef(image, 4).setTxFrequency(0x15000000u);   // refused for transmit
    ChannelRef(image, 6).setRxFrequency(0x60000000u);   // refused, but later
    BandCheck check = CheckBandLimits(image, Texts());
    EXPECT_FALSE(check.accepted);
    // The channel as the table shows it (0-based), with the refused frequency.
    EXPECT_EQ(check.refusal, "Channel 4 (150.00000 MHz) out of band");
    EXPECT_EQ(check.channel, 4);
    EXPECT_EQ(check.ranges, "<144.000~146.995 430.000~440.995>");
    EXPECT_EQ(check.message, "Channel 4 (150.00000 MHz) out of band <144.000~146.995 430.000~440.995>");
    EXPECT_EQ(BandRefusalDetail(check, Texts()), "Channel 4: TX 150.00000 MHz\nChannel 6: RX 600.00000 MHz");

    // A transmit code that is not a frequency is not compared.
    ChannelRef(image, 4).setTxFrequency(0x1500FFFFu);
    check = CheckBandLimits(image, Texts());
    EXPECT_EQ(check.refusal, "Channel 6 (600.00000 MHz) out of band");
    EXPECT_EQ(check.ranges, "<136.000~174.995 400.000~520.995>");
}

TEST(BandCheck, VfoReceiveFrequenciesComeLastAndTransmitIsNotCompared) {
    struct Case {
        std::uint32_t a, b;
        const char* refusal;  // empty: accepted
    };
    for (Case c : {Case{0x13600000u, 0x40000000u, ""},
                   Case{0x18000000u, 0x60000000u, "Current freq A (180.00000 MHz) out of band"},
                   Case{0x14500000u, 0x60000000u, "Current freq B (600.00000 MHz) out of band"},
                   Case{kNoFrequency, 0x1450FFFFu, ""}}) {
        RadioImage image = UsualBands();
        WriteLe32(image.vfoEntry(0), c.a);
        WriteLe32(image.vfoEntry(1), c.b);
        WriteLe32(image.vfoEntry(0) + 4, 0x90000000u);  // transmit frequencies are not compared
        WriteLe32(image.vfoEntry(1) + 4, 0x90000000u);
        BandCheck check = CheckBandLimits(image, Texts());
        EXPECT_EQ(check.accepted, *c.refusal == '\0') << std::hex << c.a << " " << c.b;
        EXPECT_EQ(check.refusal, c.refusal);
    }
    // A channel is reported before a VFO.
    RadioImage image = UsualBands();
    WriteLe32(image.vfoEntry(0), 0x18000000u);
    ChannelRef(image, 127).setRxFrequency(0x18000000u);
    BandCheck check = CheckBandLimits(image, Texts());
    EXPECT_EQ(check.refusal, "Channel 127 (180.00000 MHz) out of band");
    EXPECT_EQ(BandRefusalDetail(check, Texts()), "Channel 127: RX 180.00000 MHz\nCurrent freq A: RX 180.00000 MHz");
}

TEST(BandCheck, DetailListsTenRefusalsThenHowManyMore) {
    struct Case {
        int refusedChannels;
        std::size_t lines;
        const char* lastLine;
    };
    for (Case c : {Case{1, 1, "Channel 0: RX 600.00000 MHz"}, Case{10, 10, "Channel 9: RX 600.00000 MHz"},
                   Case{11, 11, "and 1 more"}, Case{128, 11, "and 118 more"}}) {
        RadioImage image = UsualBands();
        for (int n = 0; n < c.refusedChannels; ++n) {
            ChannelRef(image, n).setRxFrequency(0x60000000u);
            ChannelRef(image, n).setTxFrequency(0x60000000u);  // one line per channel, not per frequency
        }
        BandCheck check = CheckBandLimits(image, Texts());
        ASSERT_FALSE(check.accepted);
        EXPECT_EQ(check.refused.size(), static_cast<std::size_t>(c.refusedChannels));
        const std::string detail = BandRefusalDetail(check, Texts());
        EXPECT_EQ(static_cast<std::size_t>(std::count(detail.begin(), detail.end(), '\n')) + 1, c.lines);
        EXPECT_EQ(detail.substr(detail.rfind('\n') + 1), c.lastLine) << c.refusedChannels;
    }
}

}  // namespace
}  // namespace radioprog
