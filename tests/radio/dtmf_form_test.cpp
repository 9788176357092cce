// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/dtmf_form.h"

#include <gtest/gtest.h>

#include <array>

#include "editors/dtmf_layout.h"
#include "radio/new_image.h"
#include "support/same_image.h"

namespace radioprog {
namespace {

RadioImage Defaults() {
    RadioImage image;
    WriteNewImage(image);
    return image;
}

DtmfForm Loaded(const RadioImage& image) {
    DtmfForm form;
    OpenDtmfForm(form);
    LoadFromImage(form, image);
    return form;
}

TEST(DtmfForm, DefaultImageLoads) {
    DtmfForm form = Loaded(Defaults());
    const char* codes[kDtmfGroupCount] = {"12122", "11111", "22222", "33333", "44444", "55555", "66666", "77777",
                                          "88888", "99999", "00000", "*****", "#####", "AAAAA", "30303"};
    for (int g = 0; g < kDtmfGroupCount; ++g) EXPECT_EQ(form.codes[static_cast<std::size_t>(g)], codes[g]) << g;
    EXPECT_EQ(form.localId, "88888");
    EXPECT_EQ(form.duration, 3);
    EXPECT_EQ(form.pause, 3);
    EXPECT_EQ(form.pttPress, 0);
    EXPECT_EQ(form.pttRelease, 1);
    EXPECT_EQ(form.groupCall, 0);
    EXPECT_EQ(form.groupNumbers[0], "1");
    EXPECT_EQ(form.groupNumbers[14], "15");
    EXPECT_EQ(form.groupNumbers[15], "");
}

TEST(DtmfForm, StoringWritesSixBytesPerCodeAndNothingElse) {
    RadioImage image = Defaults();
    // Bytes the form must leave alone: 6..15 of every slot, slot 15, the rest of the block.
    for (int k = 0; k < 16; ++k)
        for (int i = (k == 15 ? 0 : 6); i < 16; ++i) image.dtmfSlot(k)[i] = static_cast<std::uint8_t>(0x40 + i);
    image.settingsByte(0x0E59) = 0x42;
    DtmfForm form = Loaded(image);
    StoreToImage(form, image);

    RadioImage expected = Defaults();
    for (int k = 0; k < 16; ++k)
        for (int i = (k == 15 ? 0 : 6); i < 16; ++i) expected.dtmfSlot(k)[i] = static_cast<std::uint8_t>(0x40 + i);
    expected.settingsByte(0x0E59) = 0x42;
    // A stored 0 is written back as the code of "0".
    expected.dtmfSlot(14)[1] = 10;
    expected.dtmfSlot(14)[3] = 10;
    EXPECT_SAME_IMAGE(image, expected);
    EXPECT_EQ(Loaded(image).codes[14], "30303");
}

TEST(DtmfForm, ReadingACodeStopsAtTheFirstEndMark) {
    struct Case {
        std::array<std::uint8_t, 6> bytes;
        const char* text;
    };
    const Case cases[] = {
        {{0xFF, 1, 2, 3, 4, 5}, ""},    {{3, 0xFF, 5, 5, 5, 5}, "3"},  {{0, 10, 11, 12, 16, 1}, "00*#D"},
        {{1, 2, 17, 4, 5, 0xFF}, "12"}, {{1, 2, 3, 4, 5, 6}, "12345"},
    };
    for (const Case& c : cases) EXPECT_EQ(ReadDtmfCode(c.bytes.data()), c.text);
}

TEST(DtmfForm, WritingACode) {
    struct Case {
        const char* text;
        std::array<std::uint8_t, 6> bytes;
    };
    const Case cases[] = {
        {"", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
        {"a", {13, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
        {"0*#bD", {10, 11, 12, 14, 16, 0xFF}},
        {"1234567", {1, 2, 3, 4, 5, 0xFF}},
    };
    for (const Case& c : cases) {
        std::array<std::uint8_t, 8> bytes;
        bytes.fill(0x55);
        WriteDtmfCode(bytes.data(), c.text);
        EXPECT_TRUE(std::equal(c.bytes.begin(), c.bytes.end(), bytes.begin())) << c.text;
        EXPECT_EQ(bytes[6], 0x55) << c.text;
    }
}

TEST(DtmfForm, TypedLowerCaseShowsUpperCaseAfterTheNextLoad) {
    RadioImage image = Defaults();
    DtmfForm form = Loaded(image);
    form.codes[3] = "a";
    form.localId = "";
    StoreToImage(form, image);
    EXPECT_EQ(image.dtmfSlot(3)[0], 13);
    form = Loaded(image);
    EXPECT_EQ(form.codes[3], "A");
    EXPECT_EQ(form.localId, "");
    for (std::uint16_t a = 0x0E5A; a <= 0x0E5F; ++a) EXPECT_EQ(image.settingsByte(a), 0xFF);
}

TEST(DtmfForm, TimingAndFlagBytes) {
    RadioImage image = Defaults();
    image.settingsByte(0x0E3B) = 195;
    image.settingsByte(0x0E3C) = 0xFF;
    image.settingsByte(0x0E2A) = 3;
    image.settingsByte(0x0E2B) = 2;
    DtmfForm form = Loaded(image);
    EXPECT_EQ(DtmfTimingTexts()[static_cast<std::size_t>(form.duration)], "2000");
    EXPECT_EQ(form.pause, 59);
    EXPECT_EQ(DtmfTimingTexts()[static_cast<std::size_t>(form.pause)], "640");
    EXPECT_EQ(form.pttPress, 1);
    EXPECT_EQ(form.pttRelease, 0);
    StoreToImage(form, image);
    EXPECT_EQ(image.settingsByte(0x0E3B), 195);
    EXPECT_EQ(image.settingsByte(0x0E3C), 59);
    EXPECT_EQ(image.settingsByte(0x0E2A), 1);
    EXPECT_EQ(image.settingsByte(0x0E2B), 0);
    ASSERT_EQ(DtmfTimingTexts().size(), 196u);
    EXPECT_EQ(DtmfTimingTexts()[0], "50");
}

TEST(DtmfForm, TypedInput) {
    for (const char* text : {"", "0123*", "#abcd", "ABCD9"}) EXPECT_TRUE(DtmfInputAccepted(text)) << text;
    for (const char* text : {"E", "1 2", "123456", "12\xC3\xA9", "e"}) EXPECT_FALSE(DtmfInputAccepted(text)) << text;
}

TEST(DtmfLayout, CodeTableRows) {
    const auto& table = DtmfCodeTable();
    ASSERT_EQ(table.size(), 16u);
    EXPECT_EQ(table[0].number.id, 1101);
    EXPECT_EQ(table[0].code.id, 1165);
    EXPECT_EQ(table[0].code.rect, (DialogRect{53, 35, 40, 12}));
    EXPECT_EQ(table[14].code.id, 1130);
    EXPECT_EQ(table[14].number.rect, (DialogRect{18, 203, 35, 12}));
    EXPECT_TRUE(table[15].code.hidden);
    EXPECT_FALSE(table[14].code.hidden);
    EXPECT_TRUE(table[3].number.readOnly);
    EXPECT_EQ(table[3].code.maxChars, 5);
}

}  // namespace
}  // namespace radioprog
