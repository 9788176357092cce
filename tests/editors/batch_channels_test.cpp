// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/batch_channels.h"

#include <cstdio>

#include <gtest/gtest.h>

#include "editors/channel_editors.h"
#include "editors/channel_fixture.h"
#include "model/channel_record.h"
#include "model/freq_codec.h"
#include "radio/channel_cells.h"
#include "support/same_image.h"

namespace radioprog {
namespace {

using testing::DefaultImage;
using testing::DistinctRows;

// The frequency code of f (in 10 Hz units).
std::uint32_t Code(long f) {
    char text[32];
    std::snprintf(text, sizeof text, "%03ld.%05ld", f / 100000, f % 100000);
    return PackFreqText(text);
}

// An image whose channels carry bytes the batch must keep.
RadioImage MarkedImage() {
    RadioImage image = DefaultImage();
    for (int n = 0; n < kChannelCount; ++n) {
        ChannelRef channel(image, n);
        channel.setFlags(0x8A41);
        channel.setSignalling(7);
        image.channel(n)[15] = 0x99;
        channel.setNameByte(6, 3);
    }
    return image;
}

TEST(BatchSettings, InitialValuesAreEntriesOfTheirLists) {
    LanguageTable language = DistinctRows();
    BatchSettings settings = InitialBatchSettings(language);
    BatchChoices choices = MakeBatchChoices(language);
    EXPECT_EQ(settings.rxStart, "405.02500");
    EXPECT_EQ(settings.txStart, "405.02500");
    EXPECT_EQ(settings.firstChannel, 0u);
    EXPECT_EQ(settings.lastChannel, 0u);
    EXPECT_FALSE(settings.rangeEnabled());
    EXPECT_EQ(settings.direction, BatchDirection::Add);
    EXPECT_TRUE(settings.bit14);
    EXPECT_EQ(choices.tones, EditorChoices(CellEditor::Tone, language));
    EXPECT_EQ(choices.tones[0], settings.rxTone);
    EXPECT_EQ(choices.tones[0], settings.txTone);
    EXPECT_EQ(choices.power, (std::vector<std::string>{"r2", "r3"}));
    EXPECT_EQ(settings.power, "r3");
    EXPECT_EQ(choices.bandwidth, (std::vector<std::string>{"r10", "r11"}));
    EXPECT_EQ(settings.bandwidth, "r11");
    EXPECT_EQ(choices.busyLockout, (std::vector<std::string>{"OFF", "r13"}));
    EXPECT_EQ(settings.busyLockout, "r13");
    EXPECT_EQ(choices.pttId, (std::vector<std::string>{"r14", "r15", "r16"}));
    EXPECT_EQ(settings.pttId, "r14");
    EXPECT_EQ(choices.steps, (std::vector<std::string>{"100.0", "50.0", "25.0", "12.5", "10.0", "6.25", "5.00"}));
    EXPECT_EQ(settings.step, "25.0");
}

// The dialog numbers channels as the table does (0..127) and never clamps a typed range.
TEST(BatchSettings, ChannelNumbersAndRange) {
    struct Arrow {
        unsigned value;
        int change;
        unsigned result;
    } arrows[] = {
        {0, 1, 0},  {1, 1, 0},      {2, 1, 1},      {127, 1, 126},  {200, 1, 127}, {0, -1, 1},
        {1, -1, 2}, {126, -1, 127}, {127, -1, 127}, {500, -1, 127}, {5, 0, 5},
    };
    for (const Arrow& a : arrows)
        EXPECT_EQ(ChannelNumberAfterArrow(a.value, a.change), a.result) << a.value << " " << a.change;

    struct Range {
        BatchScope scope;
        unsigned first;
        unsigned last;
        std::optional<BatchRange> range;
    } ranges[] = {
        {BatchScope::AllChannels, 10, 5, BatchRange{0, 127}},
        {BatchScope::AllChannels, 0, 200, BatchRange{0, 127}},
        {BatchScope::Range, 3, 7, BatchRange{3, 7}},
        {BatchScope::Range, 0, 0, BatchRange{0, 0}},
        {BatchScope::Range, 0, 127, BatchRange{0, 127}},
        {BatchScope::Range, 10, 5, std::nullopt},
        {BatchScope::Range, 0, 128, std::nullopt},
        {BatchScope::Range, 0, 200, std::nullopt},
        {BatchScope::Range, 129, 4, std::nullopt},
    };
    for (const Range& r : ranges) {
        BatchSettings settings;
        settings.scope = r.scope;
        settings.firstChannel = r.first;
        settings.lastChannel = r.last;
        EXPECT_EQ(BatchChannelRange(settings), r.range) << r.first << ".." << r.last;
    }
}

TEST(ApplyBatch, InitialValuesFillEveryChannelIn25kHzSteps) {
    LanguageTable language = DistinctRows();
    RadioImage image = MarkedImage();
    EXPECT_EQ(ApplyBatch(image, language, InitialBatchSettings(language)), (BatchRange{0, 127}));

    constexpr std::uint16_t kShownBits = (1 << 13) | (1 << 12) | (1 << 3) | (1 << 14) | (3 << 5);
    constexpr std::uint16_t kExpectedFlags = (0x8A41 & ~kShownBits) | (1 << 12) | (1 << 3) | (1 << 14);
    for (int n = 0; n < kChannelCount; ++n) {
        ChannelView channel(image, n);
        EXPECT_EQ(channel.rxFrequency(), Code(40502500 + 2500L * n)) << n;
        EXPECT_EQ(channel.txFrequency(), Code(40502500 + 2500L * n)) << n;
        EXPECT_EQ(channel.rxTone(), 0xFFFF) << n;
        EXPECT_EQ(channel.txTone(), 0xFFFF) << n;
        EXPECT_EQ(channel.flags(), kExpectedFlags) << n;
        EXPECT_EQ(channel.signalling(), 7) << n;
        EXPECT_EQ(image.channel(n)[15], 0x99) << n;
        for (int i = 0; i < 6; ++i) EXPECT_EQ(channel.nameByte(i), 0xFF) << n;
        EXPECT_EQ(channel.nameByte(6), 3) << n << ": name byte 6 is kept";
        EXPECT_EQ(ChannelToRow(image, language, n)[column::kBand], "VHF/UHF") << n;
    }
    EXPECT_EQ(ChannelView(image, 127).rxFrequency(), 0x40820000u);
}

TEST(ApplyBatch, ARangeFillsTheTablesChannelsWithTheTypedSignallingDefault) {
    LanguageTable language = DistinctRows();
    BatchSettings settings = InitialBatchSettings(language);
    settings.scope = BatchScope::Range;
    settings.firstChannel = 1;
    settings.lastChannel = 3;
    RadioImage image = DefaultImage();
    ApplyBatch(image, language, settings);
    for (int n = 0; n < kChannelCount; ++n) EXPECT_EQ(ChannelInUse(image, n), n >= 1 && n <= 3) << n;
    EXPECT_EQ(ChannelView(image, 1).rxFrequency(), 0x40502500u);
    // The same signalling entry a channel typed into the table starts with.
    EXPECT_EQ(ChannelToRow(image, language, 1)[column::kSignalling], "1");

    const RadioImage before = image;
    settings.firstChannel = 10;
    settings.lastChannel = 5;
    EXPECT_EQ(ApplyBatch(image, language, settings), std::nullopt);
    EXPECT_TRUE(image == before) << "a refused range changes nothing";
}

TEST(ApplyBatch, SubtractingTheStepDescends) {
    LanguageTable language = DistinctRows();
    BatchSettings settings = InitialBatchSettings(language);
    settings.step = "12.5";
    settings.direction = BatchDirection::Subtract;
    settings.txStart = "405.5";  // the working text is normalised before it is stepped
    RadioImage image = DefaultImage();
    ApplyBatch(image, language, settings);
    for (int n = 0; n < kChannelCount; ++n) {
        EXPECT_EQ(ChannelView(image, n).rxFrequency(), Code(40502500 - 1250L * n)) << n;
        EXPECT_EQ(ChannelView(image, n).txFrequency(), Code(40550000 - 1250L * n)) << n;
    }
}

// Steps that carry a channel past what the radio takes would store the limit again and
// again: such a batch is refused, naming the first channel, and nothing is stored.
TEST(ApplyBatch, StepsThatLeaveTheRadiosFrequenciesAreRefused) {
    struct Case {
        const char* start;
        const char* step;
        BatchDirection direction;
        std::optional<unsigned> firstOut;
    } cases[] = {
        {"136.05", "25.0", BatchDirection::Subtract, 3u},  // 136.05, 136.025, 136.0, then below
        {"136.05", "25.0", BatchDirection::Add, std::nullopt},
        {"145.0", "100.0", BatchDirection::Subtract, 91u},
        {"405.025", "25.0", BatchDirection::Add, std::nullopt},
        {"520.9", "25.0", BatchDirection::Add, 4u},  // above 520 MHz the radio would get 470
    };
    LanguageTable language = DistinctRows();
    for (const Case& c : cases) {
        BatchSettings settings = InitialBatchSettings(language);
        settings.rxStart = settings.txStart = c.start;
        settings.step = c.step;
        settings.direction = c.direction;
        EXPECT_EQ(BatchLeavesRange(settings), c.firstOut) << c.start << " " << c.step;
        RadioImage image = DefaultImage();
        const RadioImage before = image;
        EXPECT_EQ(ApplyBatch(image, language, settings).has_value(), !c.firstOut) << c.start;
        if (c.firstOut) {
            EXPECT_EQ(image, before) << c.start;
        }
    }
}

TEST(ApplyBatch, ApplyingTwiceEqualsOnce) {
    LanguageTable language = DistinctRows();
    BatchSettings settings = InitialBatchSettings(language);
    settings.step = "6.25";
    settings.rxTone = "D023I";
    RadioImage once = MarkedImage();
    ApplyBatch(once, language, settings);
    RadioImage twice = once;
    ApplyBatch(twice, language, settings);
    EXPECT_SAME_IMAGE(once, twice);
}

TEST(ApplyBatch, ListTextsBecomeTonesAndFlags) {
    LanguageTable language = DistinctRows();
    struct Case {
        const char* power;
        const char* bandwidth;
        const char* busy;
        const char* ptt;
        bool bit14;
        std::uint16_t flags;  // bits 3, 5, 6, 12, 13, 14 only
    } cases[] = {
        {"r2", "r10", "OFF", "r15", false, (1 << 13) | (1 << 5)},
        {"r3", "r11", "r13", "r16", true, (1 << 12) | (1 << 3) | (1 << 14) | (1 << 6)},
        {"r4", "OFF", "r10", "r99", false, 0},  // any zero-set text stores 0; an unknown selector 0
    };
    for (const Case& c : cases) {
        BatchSettings settings = InitialBatchSettings(language);
        settings.scope = BatchScope::Range;
        settings.firstChannel = settings.lastChannel = 3;  // the table's numbers
        settings.power = c.power;
        settings.bandwidth = c.bandwidth;
        settings.busyLockout = c.busy;
        settings.pttId = c.ptt;
        settings.bit14 = c.bit14;
        settings.rxTone = "88.5";
        settings.txTone = "D754I";
        settings.rxStart = "";
        RadioImage image = DefaultImage();
        ChannelRef(image, 3).setFlags(0);
        ApplyBatch(image, language, settings);
        ChannelView channel(image, 3);
        EXPECT_EQ(channel.flags(), c.flags) << c.power << " " << c.ptt;
        EXPECT_EQ(channel.rxTone(), 885);
        EXPECT_EQ(channel.txTone(), 0xA9EC);
        EXPECT_EQ(channel.rxFrequency(), 0x13600000u) << "an empty start text stores 136 MHz";
        EXPECT_FALSE(ChannelInUse(image, 2));
        EXPECT_FALSE(ChannelInUse(image, 4));
    }
}

}  // namespace
}  // namespace radioprog
