// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/channel_cells.h"

#include <gtest/gtest.h>

#include "model/channel_record.h"
#include "radio/new_image.h"

namespace radioprog {
namespace {

LanguageTable Rows() {
    LanguageTable table;
    for (std::size_t r = 0; r < table.rows.size(); ++r) table.rows[r] = "r" + std::to_string(r);
    return table;
}

RadioImage Empty() {
    RadioImage image;
    WriteNewImage(image);
    return image;
}

TEST(ChannelToRow, AnEmptyChannelShowsOnlyItsNumber) {
    RadioImage image = Empty();
    ChannelRow row = ChannelToRow(image, Rows(), 127);
    EXPECT_EQ(row[0], "127");
    for (int c = 1; c < kChannelColumnCount; ++c) EXPECT_EQ(row[static_cast<std::size_t>(c)], "") << c;
}

TEST(ChannelToRow, AChannelInUseShowsEveryColumn) {
    RadioImage image = Empty();
    ChannelRef channel(image, 5);
    channel.setRxFrequency(0x14550000);
    channel.setTxFrequency(0x14610000);
    channel.setRxTone(885);
    channel.setTxTone(0xFFFF);
    channel.setFlags(static_cast<std::uint16_t>((1 << 13) | (1 << 3)));
    channel.setSignalling(14);
    const std::uint8_t name[] = {10, 11, 1, 2, 0xFF, 5, 5};
    for (int i = 0; i < 7; ++i) channel.setNameByte(i, name[i]);

    ChannelRow row = ChannelToRow(image, Rows(), 5);
    ChannelRow expected = {"5",  "VHF/UHF", "145.50000", "146.10000", "88.5", "r12",
                           "r2", "r10",     "r4",        "r13",       "15",   "AB12"};
    EXPECT_EQ(row, expected);
}

TEST(ChannelToRow, RulesOfEmptyAndOddChannels) {
    RadioImage image = Empty();
    ChannelRef channel(image, 0);
    channel.setTxFrequency(0x14610000);  // transmit frequency of an empty channel still shows
    channel.setRxTone(0x2813);           // so does a tone that is not off
    channel.setFlags(0);
    channel.setSignalling(3);
    channel.setNameByte(0, 12);
    ChannelRow row = ChannelToRow(image, Rows(), 0);
    EXPECT_EQ(row[column::kTxFrequency], "146.10000");
    EXPECT_EQ(row[column::kRxTone], "D023N");
    EXPECT_EQ(row[column::kTxTone], "") << "tone off of an empty channel";
    EXPECT_EQ(row[column::kPower], "");
    EXPECT_EQ(row[column::kSignalling], "");
    EXPECT_EQ(row[column::kName], "");

    channel.setRxFrequency(0x43987500);
    channel.setSignalling(0xFF);
    const std::uint8_t name[] = {0, 35, 36, 1, 1, 1, 1};  // 36 is not a name character: the name ends
    for (int i = 0; i < 7; ++i) channel.setNameByte(i, name[i]);
    row = ChannelToRow(image, Rows(), 0);
    EXPECT_EQ(row[column::kSignalling], "") << "signalling 0xFF of a channel in use";
    EXPECT_EQ(row[column::kName], "0Z");
    EXPECT_EQ(row[column::kTxTone], "r12") << "tone off of a channel in use";
    EXPECT_EQ(row[column::kPower], "r3");
    EXPECT_EQ(row[column::kBit14], "r4");
}

}  // namespace
}  // namespace radioprog
