// SPDX-License-Identifier: GPL-3.0-or-later
// Differences between two images in the editors' words, and the names of memory blocks.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <set>

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
    DtmfForm loaded;
    LoadFromImage(loaded, b);
    DtmfForm edited = loaded;
    edited.codes[2] = "123";
    StoreDtmfChanges(loaded, edited, b);
    std::vector<std::string> lines = Lines(a, b);
    ASSERT_EQ(lines.size(), 2u) << ::testing::PrintToString(lines);
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

// The bytes a line accounts for: the ones it names by address, or, for a named field, those
// whose change alone changes that field.
std::set<std::size_t> AccountedBytes(const RadioImage& a, const RadioImage& b, const ImageDifference& line,
                                     const LanguageTable& language) {
    std::set<std::size_t> bytes;
    for (std::size_t at = 0; at < a.bytes.size(); ++at) {
        if (a.bytes[at] == b.bytes[at]) continue;
        RadioImage probe = a;
        probe.bytes[at] = b.bytes[at];
        for (const ImageDifference& d : CompareImages(a, probe, language))
            if (d.where == line.where && d.field == line.field) bytes.insert(at);
    }
    return bytes;
}

// A named setting's change does not hide the other bytes that differ, and a byte shown by
// one form is not listed again as a raw byte of another.
TEST(ImageDiff, EveryDifferingByteIsAccountedForOnce) {
    const LanguageTable language = English();
    RadioImage a = Base(), b = Base();
    b.settingsByte(0x0E22) = 7;                          // squelch, a named setting
    b.settingsByte(kDtmfPttPressAddress) = 1;            // shown by the DTMF form only
    b.blockData(BlockId::Vfo)[0x1A] ^= 0x11;             // a VFO byte
    b.blockData(BlockId::SecondSettings)[0x30] ^= 0x5A;  // a byte no form shows
    b.blockData(BlockId::DtmfCodes)[0xF0] ^= 0x01;       // past the DTMF codes
    b.channel(20)[14] ^= 0x40;                           // an empty channel's flag byte
    ChannelRef(b, 9).setRxFrequency(0x14652000u);
    std::vector<std::string> lines = Lines(a, b);
    std::string all;
    for (const std::string& line : lines) all += line + "\n";
    for (const char* expected :
         {"Squelch ", "DTMF Settings Send on Press Off \xE2\x86\x92 On", "CH 9 RX Freq ", "CH 20 Byte 0x014E "})
        EXPECT_NE(all.find(expected), std::string::npos) << expected << "\n" << all;
    EXPECT_EQ(all.find("Byte 0x0E2A"), std::string::npos) << all;

    // Each differing byte is covered by exactly one line.
    std::map<std::size_t, int> lineCount;
    for (const ImageDifference& d : CompareImages(a, b, language))
        for (std::size_t at : AccountedBytes(a, b, d, language)) ++lineCount[at];
    for (std::size_t at = 0; at < a.bytes.size(); ++at) {
        if (a.bytes[at] == b.bytes[at] || at == 0) continue;  // byte 0 is the port number
        EXPECT_EQ(lineCount[at], 1) << "image offset " << at << "\n" << all;
    }
}

// Every single-byte change anywhere in the compared areas gives at least one line, and a
// byte of the settings block is never reported both by name and by address.
TEST(ImageDiff, NoSingleByteChangeGoesUnreported) {
    const LanguageTable language = English();
    const RadioImage a = Base();
    const std::string byteWord = language.row(lang_row::kDiffByte) + " ";
    // The compared bytes: each record's address bytes and data, but the band limits'.
    std::vector<std::size_t> compared;
    for (const RecordInfo& record : BlockMap()) {
        if (record.block == BlockId::BandLimits) continue;
        compared.push_back(record.offset);
        compared.push_back(record.offset + 1);
        for (std::size_t i = 0; i < RecordDataSize(record.form); ++i)
            compared.push_back(record.offset + RecordHeaderSize(record.form) + i);
    }
    for (std::size_t at : compared) {
        for (std::uint8_t flip : {0x01, 0x80}) {
            RadioImage b = a;
            b.bytes[at] ^= flip;
            std::vector<ImageDifference> lines = CompareImages(a, b, language);
            ASSERT_FALSE(lines.empty()) << "image offset " << at;
            const bool raw = std::any_of(lines.begin(), lines.end(),
                                         [&](const ImageDifference& d) { return d.field.rfind(byteWord, 0) == 0; });
            if (raw) {
                EXPECT_EQ(lines.size(), 1u) << "image offset " << at << ": " << DifferenceText(lines[0], language);
            }
        }
    }
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
