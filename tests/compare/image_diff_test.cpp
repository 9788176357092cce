// SPDX-License-Identifier: GPL-3.0-or-later
// Differences between two images in the editors' words, and the names of memory blocks.
#include <gtest/gtest.h>

#include <fstream>

#include "compare/block_text.h"
#include "compare/image_diff.h"
#include "model/channel_record.h"
#include "radio/dtmf_form.h"
#include "radio/new_image.h"
#include "support/image_bytes.h"

namespace radioprog {
namespace {

// The shipped English texts.
LanguageTable English() {
    LanguageTable language;
    language.index = 2;
    std::ifstream in(std::string(RADIOPROG_SOURCE_DIR) + "/data/lang.csv");
    EXPECT_TRUE(LoadLanguageStream(in, language));
    return language;
}

RadioImage Base() {
    RadioImage image;
    WriteNewImage(image);
    ChannelRef(image, 9).setRxFrequency(0x14535000u);
    ChannelRef(image, 9).setTxFrequency(0x14535000u);
    return image;
}

std::vector<std::string> Lines(const RadioImage& a, const RadioImage& b) {
    const LanguageTable language = English();
    std::vector<std::string> lines;
    for (const ImageDifference& d : CompareImages(a, b, language)) lines.push_back(DifferenceText(d, language));
    return lines;
}

TEST(ImageDiff, EqualImagesHaveNoDifferenceWhateverThePortAndBandLimits) {
    RadioImage a = Base(), b = Base();
    b.setPort(7);
    b.blockData(BlockId::BandLimits)[0] = 0x42;
    EXPECT_TRUE(Lines(a, b).empty());
}

TEST(ImageDiff, NamesChannelsFieldsAndValuesAsTheEditorsShowThem) {
    RadioImage a = Base(), b = Base();
    ChannelRef(b, 9).setRxFrequency(0x14652000u);
    ChannelRef(b, 0).setRxFrequency(0x43850000u);  // channel 0 was empty
    ChannelRef(b, 9).setNameByte(0, 0x0A);
    EXPECT_EQ(Lines(a, b)[0], "CH 0 Band (empty) \xE2\x86\x92 VHF/UHF");
    std::vector<std::string> lines = Lines(a, b);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "CH 9 RX Freq 145.35000 \xE2\x86\x92 146.52000"), lines.end());
    EXPECT_NE(
        std::find_if(lines.begin(), lines.end(), [](const std::string& l) { return l.rfind("CH 9 Name ", 0) == 0; }),
        lines.end());
    // Channel 0 comes first, channel 9 after it.
    EXPECT_EQ(lines.back().rfind("CH 9", 0), 0u);
}

TEST(ImageDiff, SettingsAndDtmfFieldsByTheirCaptions) {
    const LanguageTable language = English();
    RadioImage a = Base(), b = Base();
    b.settingsByte(0x0E22) = 7;  // squelch
    DtmfForm dtmf;
    LoadFromImage(dtmf, b);
    dtmf.codes[2] = "123";
    StoreToImage(dtmf, b);
    std::vector<std::string> lines = Lines(a, b);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].rfind("Squelch ", 0), 0u) << lines[0];
    EXPECT_NE(lines[0].find("\xE2\x86\x92 7"), std::string::npos) << lines[0];
    EXPECT_EQ(lines[1].rfind("DTMF Settings Group 3 ", 0), 0u) << lines[1];
    EXPECT_NE(lines[1].find("\xE2\x86\x92 123"), std::string::npos) << lines[1];
}

TEST(ImageDiff, BytesThatChangeNothingShownAreListedByAddress) {
    RadioImage a = Base(), b = Base();
    // An empty channel's flag byte: not shown while the channel is empty.
    b.channel(20)[14] ^= 0x40;
    std::vector<std::string> lines = Lines(a, b);
    ASSERT_EQ(lines.size(), 1u);
    char expected[64];
    std::snprintf(expected, sizeof expected, "CH 20 Byte 0x%04X 0x%02X \xE2\x86\x92 0x%02X", 20 * 16 + 14,
                  a.channel(20)[14], b.channel(20)[14]);
    EXPECT_EQ(lines[0], expected);
}

// What a test says when two images differ (tests/support/image_bytes.h): each byte with its
// offset, both values and its owner as the comparison names it, and no more than a screenful.
TEST(ImageByteDifferences, ListEachByteWithItsOffsetValuesAndOwner) {
    RadioImage a = Base(), b = Base();
    EXPECT_EQ(test::ImageByteDifferences(a, b), "");
    b.settingsByte(0x0E22) = 7;                    // squelch 5 -> 7
    ChannelRef(b, 9).setRxFrequency(0x14652000u);  // bytes 1 and 2 of channel 9's record
    b.blockData(BlockId::BandLimits)[0] = 0xFF;    // left out by the comparison
    b.setPort(7);
    const std::string text = test::ImageByteDifferences(a, b);
    for (const char* line :
         {"5 byte(s) differ", "  0x0000: 0x01 | 0x07  port number\n", "  0x00A1: 0x50 | 0x20  CH 9 RX Freq\n",
          "  0x00A2: 0x53 | 0x65  CH 9 RX Freq\n", "  0x114E: 0x05 | 0x07  Squelch\n", "(not compared)\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;

    for (int n = 0; n < kChannelCount; ++n) ChannelRef(b, n).setNameByte(0, 0x0A);
    const std::string many = test::ImageByteDifferences(a, b);
    EXPECT_NE(many.find("133 byte(s) differ"), std::string::npos) << many;
    EXPECT_NE(many.find("... and 109 more\n"), std::string::npos) << many;
}

TEST(BlockText, NamesEveryKindOfBlock) {
    const LanguageTable language = English();
    struct Case {
        std::uint16_t address;
        std::size_t size;
        const char* text;
    } cases[] = {
        {0x0000, 16, "CH 0"},
        {0x0280, 16, "CH 40"},
        {0x0080, 64, "CH 8-11"},
        {0x07C0, 64, "CH 124-127"},
        {0x1280, 16, "CH 40 Name"},
        {0x0B40, 16, "DTMF Settings"},
        {0x0F60, 16, "VFO A"},
        {0x0F70, 16, "VFO B"},
        {0x0E30, 16, "Optional Functions"},
        {0x1F70, 16, "Optional Functions"},
        {0x0FD0, 64, "Band limits"},
        {0x2000, 16, "0x2000"},
    };
    for (const Case& c : cases) EXPECT_EQ(BlockText(c.address, c.size, language), c.text) << c.address;
}

}  // namespace
}  // namespace radioprog
