// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/dtmf_codec.h"

#include <gtest/gtest.h>

namespace radioprog {
namespace {

TEST(DtmfCodec, CharactersToCodes) {
    const std::string chars = "1234567890*#ABCD";
    for (std::size_t i = 0; i < chars.size(); ++i) EXPECT_EQ(DtmfCharToCode(chars[i]), i + 1) << chars[i];
    EXPECT_EQ(DtmfCharToCode('a'), 13);
    EXPECT_EQ(DtmfCharToCode('d'), 16);
    for (char refused : {'E', 'e', ' ', '-', '\0', '+'}) EXPECT_EQ(DtmfCharToCode(refused), kDtmfInvalid) << refused;
}

TEST(DtmfCodec, CodesToCharacters) {
    const std::string chars = "01234567890*#ABCD";
    for (std::uint8_t code = 0; code <= 16; ++code) EXPECT_EQ(DtmfCodeToChar(code), chars[code]);
    EXPECT_EQ(DtmfCodeToChar(17), '\0');
    EXPECT_EQ(DtmfCodeToChar(0xFF), '\0');
    for (std::uint8_t code = 1; code <= 16; ++code) EXPECT_EQ(DtmfCharToCode(DtmfCodeToChar(code)), code);
}

}  // namespace
}  // namespace radioprog
