// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/freq_codec.h"

#include <gtest/gtest.h>

namespace radioprog {
namespace {

struct SnapCase {
    const char* typed;
    int step;
    const char* expected;
};

TEST(SnapFreqText, NormalisesTypedFrequencies) {
    const SnapCase cases[] = {
        {"100", kAnyStep, "136.00000"},
        {"600.5", kAnyStep, "470.00000"},
        {"521", kAnyStep, "470.00000"},
        {"99", kAnyStep, "136.00000"},
        {"", kAnyStep, "136.00000"},
        {"145", kAnyStep, "145.00000"},
        {"145.1", kAnyStep, "145.10000"},
        {"145.", kAnyStep, "145.00000"},
        {"145.12345", 1, "145.11875"},
        {"145.0037", kAnyStep, "145.00000"},
        {"145.00625", kAnyStep, "145.00625"},
        {"145.00750", kAnyStep, "145.00625"},
        {"520.99999", kAnyStep, "520.99500"},
        {"136", kAnyStep, "136.00000"},
        {"520", kAnyStep, "520.00000"},
        {"145.123456", kAnyStep, "145.12000"},  // digits past the fifth are dropped
        {"145.12345", 0, "145.12000"},
        {"145.12345", 2, "145.12000"},
        {"145.12345", 3, "145.11250"},
        {"145.12345", 4, "145.10000"},
        {"145.12345", 5, "145.10000"},
        {"145.12345", 6, "145.10000"},
        {"145.99999", 6, "145.90000"},  // snapping never carries into the MHz part
        {"145.01250", 7, "145.01250"},  // an unknown index behaves as any step
        {"0145.5", kAnyStep, "145.50000"},
        {" 145.5", kAnyStep, "145.50000"},
        {"00145", kAnyStep, "145.00000"},
    };
    for (const SnapCase& c : cases) {
        std::string text = c.typed;
        SnapFreqText(text, c.step);
        EXPECT_EQ(text, c.expected) << "typed " << c.typed << " step " << c.step;
    }
}

TEST(FreqTextToBcd, PacksTheSnappedDigits) {
    EXPECT_EQ(FreqTextToBcd("145.125", true), 0x14512500u);
    EXPECT_EQ(FreqTextToBcd("145.5", true), 0x14550000u);
    EXPECT_EQ(FreqTextToBcd("99", true), 0x13600000u);
    EXPECT_EQ(FreqTextToBcd("145.00750", true), 0x14500625u);
    EXPECT_EQ(FreqTextToBcd("", true), kNoFrequency);
    EXPECT_EQ(FreqTextToBcd("145.125", false), kNoFrequency);
}

TEST(BcdValidity, OnlyTheFourLowNibblesAreExamined) {
    EXPECT_TRUE(IsBcdValid(0x14512500u));
    EXPECT_TRUE(IsBcdValid(0xFFFF9999u));
    EXPECT_FALSE(IsBcdValid(0xFFFFFFFFu));
    EXPECT_FALSE(IsBcdValid(0x1451250Au));
    EXPECT_FALSE(IsBcdValid(0x1451A500u));
}

TEST(BcdUnits, PackedDigitsAndTenHertzUnits) {
    struct Case {
        std::uint32_t code;
        FrequencyUnits units;
    };
    for (Case c : {Case{0x14512500u, 14512500}, Case{0x00000000u, 0}, Case{0x00000001u, 1}, Case{0x99999999u, 99999999},
                   Case{0x52099500u, 52099500}, Case{0x04012500u, 4012500}, Case{0x10000000u, 10000000}}) {
        EXPECT_EQ(BcdToUnits(c.code), c.units) << std::hex << c.code;
        EXPECT_EQ(UnitsToBcd(c.units), c.code) << c.units;
    }
    // Nibbles above 9 weigh as their value; such codes have no units that give them back.
    EXPECT_EQ(BcdToUnits(0x1A000000u), 20000000);
    EXPECT_EQ(BcdToUnits(0xFFFFFFFFu), 166666665);
    EXPECT_EQ(BcdToMhz(0x14512500u), 145.125);
    // Every decimal code of the low four digits, over every MHz digit pair pattern.
    for (FrequencyUnits units = 0; units <= 99999999; units += 9973) ASSERT_EQ(BcdToUnits(UnitsToBcd(units)), units);
}

TEST(BcdToFreqText, FormatsValidCodesOnly) {
    std::string text = "stale";
    EXPECT_FALSE(BcdToFreqText(0xFFFFFFFFu, text));
    EXPECT_EQ(text, "");
    struct Case {
        std::uint32_t code;
        const char* text;
    };
    for (Case c : {Case{0x43987500u, "439.87500"}, Case{0x13600000u, "136.00000"}, Case{0x04012500u, "40.12500"},
                   Case{0x14500625u, "145.00625"}, Case{0x52099500u, "520.99500"}}) {
        ASSERT_TRUE(BcdToFreqText(c.code, text));
        EXPECT_EQ(text, c.text);
    }
}

TEST(FrequencyText, EveryStepOfTheBandsSurvivesTextAndBack) {
    // Every 6.25 kHz channel of both bands: code -> text -> code gives the code back.
    for (long tens = 13600000; tens <= 17400000; tens += 625) {
        const std::uint32_t code = UnitsToBcd(tens);
        std::string text;
        ASSERT_TRUE(BcdToFreqText(code, text));
        ASSERT_EQ(FreqTextToBcd(text, true), code) << text;
    }
}

TEST(StepKhzToMhzText, ConvertsAndFloorsTo250Hz) {
    struct Case {
        const char* khz;
        const char* mhz;
    };
    for (Case c : {Case{"12.5", "0.01250"}, Case{"5", "0.00500"}, Case{"6.25", "0.00625"}, Case{"6.255", "0.00625"},
                   Case{"100.0", "0.10000"}, Case{"5.00", "0.00500"}, Case{"2.6", "0.00250"}, Case{"", "0.00000"}}) {
        std::string text = c.khz;
        StepKhzToMhzText(text);
        EXPECT_EQ(text, c.mhz) << c.khz;
    }
}

TEST(OffsetFreqText, AddsAndSubtracts) {
    struct Case {
        const char* freq;
        const char* offset;
        bool subtract;
        const char* result;
    };
    for (Case c : {Case{"145.12500", "0.01250", false, "145.13750"}, Case{"145.12500", "0.01250", true, "145.11250"},
                   Case{"145.00000", "5", false, "150.00000"}, Case{"145.99375", "0.00625", false, "146.00000"},
                   Case{"136.00000", "0.02500", true, "135.97500"}}) {
        std::string text = c.freq;
        OffsetFreqText(text, c.offset, c.subtract);
        EXPECT_EQ(text, c.result) << c.freq << (c.subtract ? " - " : " + ") << c.offset;
    }
}

}  // namespace
}  // namespace radioprog
