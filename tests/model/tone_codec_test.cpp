// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/tone_codec.h"

#include <gtest/gtest.h>

namespace radioprog {
namespace {

const std::string kOff = "OFF";

TEST(ToneTextToCode, ConvertsEachKind) {
    EXPECT_EQ(ToneTextToCode("67.0", true, kOff), 670);
    EXPECT_EQ(ToneTextToCode("88.5", true, kOff), 885);
    EXPECT_EQ(ToneTextToCode("D023N", true, kOff), 0x2813);
    EXPECT_EQ(ToneTextToCode("D754N", true, kOff), 0x29EC);
    EXPECT_EQ(ToneTextToCode("D754I", true, kOff), 0xA9EC);
    EXPECT_EQ(ToneTextToCode(kOff, true, kOff), kToneOff);
    EXPECT_EQ(ToneTextToCode("88.5", false, kOff), kToneOff);
}

TEST(ToneCodeToText, ConvertsEachKind) {
    EXPECT_EQ(ToneCodeToText(0x2813, true, kOff), "D023N");
    EXPECT_EQ(ToneCodeToText(0xA9EC, true, kOff), "D754I");
    EXPECT_EQ(ToneCodeToText(885, true, kOff), "88.5");
    EXPECT_EQ(ToneCodeToText(2541, false, kOff), "254.1");
    EXPECT_EQ(ToneCodeToText(kToneOff, true, kOff), kOff);
    EXPECT_EQ(ToneCodeToText(kToneOff, false, kOff), "");
}

TEST(ToneList, HoldsTheEntriesInListOrder) {
    std::vector<std::string> list = ToneListEntries(kOff);
    ASSERT_EQ(list.size(), 259u);
    EXPECT_EQ(list[0], kOff);
    EXPECT_EQ(list[1], "67.0");
    EXPECT_EQ(list[50], "254.1");
    EXPECT_EQ(list[51], "D023N");
    EXPECT_EQ(list[154], "D754N");
    EXPECT_EQ(list[155], "D023I");
    EXPECT_EQ(list[258], "D754I");
}

TEST(ToneList, EveryEntryConvertsToACodeAndBackToTheSameText) {
    for (const std::string& text : ToneListEntries(kOff)) {
        std::uint16_t code = ToneTextToCode(text, true, kOff);
        EXPECT_EQ(ToneCodeToText(code, true, kOff), text) << text << " -> " << code;
    }
}

// Codes no tone text names (a radio or file may hold any 16 bits) are shown raw and never
// crash; 0x8000..0x803F used to abort the program.
TEST(ToneCodeToText, CodesOutsideTheTonesAreShownRaw) {
    EXPECT_EQ(ToneCodeToText(0x8000, true, kOff), "0x8000");
    EXPECT_EQ(ToneCodeToText(0x803F, true, kOff), "0x803F");
    EXPECT_EQ(ToneCodeToText(0x2A00, true, kOff), "0x2A00");  // past D777N
    EXPECT_EQ(ToneCodeToText(0x29FF, true, kOff), "D777N");
    EXPECT_EQ(ToneCodeToText(0xA800, true, kOff), "D000I");
    EXPECT_EQ(ToneCodeToText(0xFFFE, true, kOff), "0xFFFE");
    EXPECT_EQ(ToneTextToCode("0x803F", true, kOff), 0x803F);
}

// Whatever the image holds, showing it and storing the shown text back keeps the code.
TEST(ToneCodeToText, EveryCodeSurvivesTextAndBack) {
    for (unsigned code = 0; code <= 0xFFFF; ++code) {
        auto c = static_cast<std::uint16_t>(code);
        std::string text = ToneCodeToText(c, true, kOff);
        ASSERT_EQ(ToneTextToCode(text, true, kOff), c) << std::hex << code << " shown as " << text;
    }
}

}  // namespace
}  // namespace radioprog
