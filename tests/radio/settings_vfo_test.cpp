// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/settings_vfo.h"

#include <gtest/gtest.h>

#include <array>

#include "radio/settings_text.h"

namespace radioprog {
namespace {

TEST(OffsetEntry, DigitBytesGiveTheListIndex) {
    struct Case {
        std::array<std::uint8_t, 6> bytes;
        int index;
    };
    const Case cases[] = {
        {{0, 0, 0, 6, 0, 0}, 12},    // 600 kHz
        {{0, 6, 9, 9, 9, 9}, 1399},  // 69999 kHz, the last entry
        {{0, 7, 0, 0, 0, 0}, 0},     // 70000 kHz and more fall back to 0
        {{2, 0, 0, 0, 7, 9}, 1},     // 79 kHz floors; the direction byte is not part of it
        {{0, 0, 0, 0, 0, 12}, 0},    // bytes are not checked to be digits: 12 kHz
    };
    for (const Case& c : cases) EXPECT_EQ(OffsetIndexFromEntry(c.bytes.data()), c.index);
}

TEST(OffsetEntry, StoringWritesFiveDigitsAndTheEndMark) {
    std::array<std::uint8_t, 16> entry;
    entry.fill(0xEE);
    WriteOffsetIndex(entry.data(), 247);
    EXPECT_EQ(
        (std::array<std::uint8_t, 8>{0xEE, 1, 2, 3, 5, 0, 0, 0xEE}),
        (std::array<std::uint8_t, 8>{entry[0], entry[1], entry[2], entry[3], entry[4], entry[5], entry[6], entry[7]}));
    // An index without entry must not write negative "digits".
    WriteOffsetIndex(entry.data(), -1);
    for (int i = 1; i <= 6; ++i) EXPECT_EQ(entry[static_cast<std::size_t>(i)], 0) << i;
}

TEST(OffsetEntry, ListTexts) {
    const auto& texts = OffsetTexts();
    ASSERT_EQ(texts.size(), 1400u);
    EXPECT_EQ(texts[0], "00.000");
    EXPECT_EQ(texts[1], "00.050");
    EXPECT_EQ(texts[12], "00.600");
    EXPECT_EQ(texts[20], "01.000");
    EXPECT_EQ(texts[247], "12.350");
    EXPECT_EQ(texts[1399], "69.950");
}

TEST(SixCharText, Loading) {
    struct Case {
        std::array<std::uint8_t, 6> bytes;
        const char* text;
    };
    const Case cases[] = {
        {{' ', ' ', ' ', ' ', ' ', ' '}, ""},
        {{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, ""},
        {{'A', '#', 'B', 'C', ' ', ' '}, "A"},
        {{'A', 'B', ' ', ' ', 0xFF, 0xFF}, "AB  "},  // spaces are trimmed only when all six were taken
        {{' ', 'A', '+', '?', ' ', ' '}, " A+?"},
        {{'a', 'B', 'C', 'D', 'E', 'F'}, ""},  // lower case is not stored by the radio
    };
    for (const Case& c : cases) EXPECT_EQ(ReadSixCharText(c.bytes.data()), c.text);
}

TEST(SixCharText, StoringWritesExactlySixBytes) {
    struct Case {
        const char* text;
        const char* bytes;
    };
    const Case cases[] = {
        {"ab/c", "AB-C  "}, {"A#BC", "A     "}, {"", "      "}, {"ABCDEFGH", "ABCDEF"}, {"9 z?", "9 Z?  "},
    };
    for (const Case& c : cases) {
        std::array<std::uint8_t, 7> bytes;
        bytes.fill(0xEE);
        WriteSixCharText(bytes.data(), c.text);
        EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 6), c.bytes) << c.text;
        EXPECT_EQ(bytes[6], 0xEE);
    }
}

TEST(FrequencyEdit, AcceptsUpToNineDigitsAndOnePoint) {
    EXPECT_TRUE(FreqEditAccepts(""));
    EXPECT_TRUE(FreqEditAccepts("145.5"));
    EXPECT_TRUE(FreqEditAccepts("145.12500"));
    EXPECT_FALSE(FreqEditAccepts("1..2"));
    EXPECT_FALSE(FreqEditAccepts("145.5.7"));
    EXPECT_FALSE(FreqEditAccepts("145.5x"));
    EXPECT_FALSE(FreqEditAccepts("145.125001"));
    EXPECT_FALSE(FreqEditAccepts("-145"));
    EXPECT_FALSE(FreqEditAccepts(" 145"));
}

TEST(FrequencySnapping, SnapsToTheGridOfTheStepShown) {
    struct Case {
        int step;
        const char* typed;
        const char* snapped;
    };
    const Case cases[] = {
        {0, "145.12345", "145.12250"},  // 2.5 kHz
        {0, "145.00250", "145.00250"},  {0, "145.5", "145.50000"}, {0, "145", "145.00000"},
        {0, "100", "136.00000"},        {0, "600.5", "470.00000"}, {1, "145.12345", "145.12000"},  // 5 kHz
        {2, "145.12345", "145.11875"},                                                             // 6.25 kHz
        {3, "145.12345", "145.12000"},                                                             // 10 kHz
        {4, "145.12345", "145.11250"},                                                             // 12.5 kHz
        {5, "145.12345", "145.10000"},                                                             // 25 kHz
        {-1, "145.00750", "145.00625"},  // nothing shown: 5 or 6.25 kHz
        {3, "0145.5", "145.50000"},      // a leading zero does not shift the digits
        {3, "000", "136.00000"},
    };
    for (const Case& c : cases) EXPECT_EQ(SnapVfoFreqText(c.typed, c.step), c.snapped) << c.step << " " << c.typed;
}

TEST(BandChange, TextsPerSide) {
    BandTexts texts;
    ASSERT_TRUE(BandChangeTexts(kVfoSideB, 0, texts));
    EXPECT_EQ(texts.range, "134-260.0000");
    EXPECT_EQ(texts.frequency, "136.0250");
    ASSERT_TRUE(BandChangeTexts(kVfoSideA, 0, texts));
    EXPECT_EQ(texts.range, "136-260.0000");
    EXPECT_EQ(texts.frequency, "136.0250");
    ASSERT_TRUE(BandChangeTexts(kVfoSideB, 1, texts));
    EXPECT_EQ(texts.range, "400-520.0000");
    EXPECT_EQ(texts.frequency, "400.0250");
    EXPECT_FALSE(BandChangeTexts(kVfoSideA, -1, texts));
}

}  // namespace
}  // namespace radioprog
