// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/radio_image.h"

#include <gtest/gtest.h>

#include <vector>

#include "model/byte_order.h"

namespace radioprog {
namespace {

std::vector<std::uint8_t> Bytes(const RadioImage& image, std::size_t offset, std::size_t count) {
    return {image.bytes.begin() + static_cast<std::ptrdiff_t>(offset),
            image.bytes.begin() + static_cast<std::ptrdiff_t>(offset + count)};
}

TEST(BlockMap, RecordsTileTheImageExactly) {
    std::size_t expected = 4;  // after the port number
    for (const RecordInfo& record : BlockMap()) {
        EXPECT_EQ(record.offset, expected);
        expected += RecordSize(record.form);
    }
    EXPECT_EQ(expected, kImageSize);
    EXPECT_EQ(BlockMap().size(), 69u);
}

TEST(BlockMap, ChannelAndNamePositions) {
    EXPECT_EQ(ChannelOffset(0), 8u);
    EXPECT_EQ(ChannelOffset(5), 8u + 68 + 16);
    EXPECT_EQ(ChannelOffset(127), 8u + 68 * 31 + 48);
    EXPECT_EQ(ChannelNameOffset(0), 2182u);
    EXPECT_EQ(ChannelNameOffset(127), 2182u + 66 * 31 + 48);
}

TEST(ApplyDefaults, WritesTheNewImageByteForByte) {
    RadioImage image;
    image.bytes.fill(0x5A);  // shows which bytes the defaults leave alone
    image.ApplyDefaults();

    EXPECT_EQ(image.port(), 1);
    EXPECT_EQ(Bytes(image, 0, 4), (std::vector<std::uint8_t>{1, 0, 0, 0}));
    for (int i = 0; i < 32; ++i) {
        const RecordInfo& channels = BlockMap()[static_cast<std::size_t>(i)];
        EXPECT_EQ(image.addressHigh(channels), i / 4);
        EXPECT_EQ(image.addressLow(channels), 0x40 * (i % 4));
        EXPECT_EQ(Bytes(image, channels.offset + 2, 2), (std::vector<std::uint8_t>{0x5A, 0x5A})) << "spare bytes kept";
        const RecordInfo& names = BlockMap()[static_cast<std::size_t>(32 + i)];
        EXPECT_EQ(image.addressHigh(names), 0x10 + i / 4);
        EXPECT_EQ(image.addressLow(names), 0x40 * (i % 4));
    }
    for (int n = 0; n < kChannelCount; ++n) {
        EXPECT_EQ(Bytes(image, ChannelOffset(n), 16), std::vector<std::uint8_t>(16, 0xFF));
        EXPECT_EQ(Bytes(image, ChannelNameOffset(n), 16), std::vector<std::uint8_t>(16, 0xFF));
    }
    EXPECT_EQ(Bytes(image, 4558, 2), (std::vector<std::uint8_t>{0x0B, 0x00}));
    EXPECT_EQ(Bytes(image, 4292, 4), (std::vector<std::uint8_t>{0x0F, 0x60, 0x5A, 0x5A}));
    EXPECT_EQ(Bytes(image, 4426, 2), (std::vector<std::uint8_t>{0x0E, 0x20}));
    EXPECT_EQ(Bytes(image, 4492, 2), (std::vector<std::uint8_t>{0x1F, 0x60}));
    EXPECT_EQ(Bytes(image, 4360, 2), (std::vector<std::uint8_t>{0x0F, 0xD0}));

    EXPECT_EQ(Bytes(image, 4296, 32),
              (std::vector<std::uint8_t>{0x00, 0x00, 0x60, 0x13, 0x00, 0x00, 0x60, 0x13, 0xFF, 0xFF, 0xFF,
                                         0xFF, 0x00, 0xF8, 0x00, 0x00, 0x00, 0x00, 0x00, 0x40, 0x00, 0x00,
                                         0x00, 0x40, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0xF8, 0x00, 0x01}));
    EXPECT_EQ(Bytes(image, 4328, 32), std::vector<std::uint8_t>(32, 0xFF));
    EXPECT_EQ(ReadLe32(image.vfoEntry(0)), 0x13600000u);
    EXPECT_EQ(ReadLe32(image.vfoEntry(1)), 0x40000000u);

    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Bytes(image, 4362 + 4 * static_cast<std::size_t>(i), 4),
                  (std::vector<std::uint8_t>{0, 0, 0x99, 0x99}));
    EXPECT_EQ(Bytes(image, 4378, 48), std::vector<std::uint8_t>(48, 0x5A)) << "band-limit bytes 16..63 kept";

    // The settings table gives the settings block (radio/new_image.h).
    EXPECT_EQ(Bytes(image, 4428, 64), std::vector<std::uint8_t>(64, 0xFF));

    std::vector<std::uint8_t> offsetEntry{0, 0, 0, 6, 0, 0, 0};
    EXPECT_EQ(Bytes(image, 4494, 7), offsetEntry);
    EXPECT_EQ(Bytes(image, 4501, 9), std::vector<std::uint8_t>(9, 0xFF));
    EXPECT_EQ(Bytes(image, 4510, 7), offsetEntry);
    EXPECT_EQ(Bytes(image, 4517, 41), std::vector<std::uint8_t>(41, 0xFF));

    EXPECT_EQ(Bytes(image, 4560, 5), (std::vector<std::uint8_t>{1, 2, 1, 2, 2}));
    for (int k = 1; k <= 13; ++k) {
        EXPECT_EQ(Bytes(image, 4560 + 16 * static_cast<std::size_t>(k), 5),
                  std::vector<std::uint8_t>(5, static_cast<std::uint8_t>(k)));
    }
    EXPECT_EQ(Bytes(image, 4560 + 16 * 14, 5), (std::vector<std::uint8_t>{3, 0, 3, 0, 3}));
    for (int k = 0; k < 15; ++k)
        EXPECT_EQ(Bytes(image, 4565 + 16 * static_cast<std::size_t>(k), 11), std::vector<std::uint8_t>(11, 0xFF));
    EXPECT_EQ(Bytes(image, 4560 + 16 * 15, 16), std::vector<std::uint8_t>(16, 0xFF));
}

}  // namespace
}  // namespace radioprog
