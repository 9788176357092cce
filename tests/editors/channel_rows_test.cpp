// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/channel_rows.h"

#include <gtest/gtest.h>

#include <cstring>

#include "editors/channel_fixture.h"
#include "model/channel_record.h"
#include "model/freq_codec.h"
#include "support/same_image.h"

namespace radioprog {
namespace {

using Entries = std::array<std::uint8_t, 32>;

// Channel n's two entries, byte 15 and name bytes 7..15 included.
Entries EntriesOf(const RadioImage& image, int n) {
    Entries e;
    std::memcpy(e.data(), image.channel(n), 16);
    std::memcpy(e.data() + 16, image.channelName(n), 16);
    return e;
}

Entries Erased() {
    Entries e;
    e.fill(0xFF);
    return e;
}

// Every channel in use, each with its own bytes in all 32 positions.
RadioImage NumberedImage() {
    RadioImage image = testing::DefaultImage();
    for (int n = 0; n < kChannelCount; ++n) {
        for (int i = 0; i < 16; ++i) {
            image.channel(n)[i] = static_cast<std::uint8_t>(n + i);
            image.channelName(n)[i] = static_cast<std::uint8_t>(0x80 + n - i);
        }
        ChannelRef(image, n).setRxFrequency(UnitsToBcd(14500000 + n));
    }
    return image;
}

TEST(ChannelRows, InsertShiftsWholeChannelsDownAtFirstAndLast) {
    const RadioImage before = NumberedImage();

    RadioImage image = before;
    EXPECT_TRUE(InsertDropsChannelInUse(image));
    EXPECT_TRUE(InsertEmptyChannel(image, 0)) << "channel 127 was in use";
    EXPECT_EQ(EntriesOf(image, 0), Erased());
    for (int n = 1; n < kChannelCount; ++n) EXPECT_EQ(EntriesOf(image, n), EntriesOf(before, n - 1)) << n;

    image = before;
    EXPECT_TRUE(InsertEmptyChannel(image, 127));
    RadioImage expected = before;
    std::memset(expected.channel(127), 0xFF, 16);
    std::memset(expected.channelName(127), 0xFF, 16);
    EXPECT_SAME_IMAGE(image, expected) << "only channel 127 changes";

    image = before;
    ChannelRef(image, 127).setRxFrequency(kNoFrequency);
    EXPECT_FALSE(InsertDropsChannelInUse(image));
    EXPECT_FALSE(InsertEmptyChannel(image, 5));

    image = before;
    EXPECT_FALSE(InsertEmptyChannel(image, 128));
    EXPECT_FALSE(InsertEmptyChannel(image, -1));
    EXPECT_SAME_IMAGE(image, before);
}

TEST(ChannelRows, DeleteErasesBothEntriesAndNothingElse) {
    const RadioImage before = NumberedImage();
    RadioImage image = before;
    DeleteChannels(image, {127, 0, 5, 5, 200, -3});
    RadioImage expected = before;
    for (int n : {0, 5, 127}) {
        std::memset(expected.channel(n), 0xFF, 16);
        std::memset(expected.channelName(n), 0xFF, 16);
    }
    EXPECT_SAME_IMAGE(image, expected);
}

TEST(ChannelRows, MoveKeepsBlocksAndGapsAndStopsAtTheEdges) {
    const RadioImage before = NumberedImage();
    struct Case {
        std::vector<int> set;
        MoveDirection direction;
        std::vector<int> moved;                      // the new numbers; empty: nothing moved
        std::vector<std::pair<int, int>> placement;  // (channel, channel of `before` now there)
    } cases[] = {
        {{1, 2}, MoveDirection::Up, {0, 1}, {{0, 1}, {1, 2}, {2, 0}, {3, 3}}},
        {{3, 5}, MoveDirection::Up, {2, 4}, {{2, 3}, {3, 2}, {4, 5}, {5, 4}}},
        {{125, 126}, MoveDirection::Down, {126, 127}, {{124, 124}, {125, 127}, {126, 125}, {127, 126}}},
        {{127, 3}, MoveDirection::Up, {2, 126}, {{2, 3}, {3, 2}, {126, 127}, {127, 126}}},
        {{0, 4}, MoveDirection::Up, {}, {}},
        {{4, 127}, MoveDirection::Down, {}, {}},
        {{}, MoveDirection::Down, {}, {}},
    };
    for (const Case& c : cases) {
        RadioImage image = before;
        EXPECT_EQ(MoveChannels(image, c.set, c.direction), c.moved);
        if (c.moved.empty()) {
            EXPECT_SAME_IMAGE(image, before) << "nothing moves";
        }
        for (auto [channel, from] : c.placement)
            EXPECT_EQ(EntriesOf(image, channel), EntriesOf(before, from)) << channel;

        if (!c.moved.empty()) {
            auto back = c.direction == MoveDirection::Up ? MoveDirection::Down : MoveDirection::Up;
            EXPECT_EQ(MoveChannels(image, c.moved, back), NormalizeChannelSet(c.set));
            EXPECT_SAME_IMAGE(image, before) << "moving back restores the image";
        }
    }
}

}  // namespace
// Sorting moves whole channels (all 32 bytes) among the rows it sorts; equal keys and the
// band grouping keep the present order; empty channels go last; nothing sorted, nothing moved.
TEST(ChannelRows, SortMovesWholeChannelsAmongTheirRows) {
    RadioImage image = testing::DefaultImage();
    struct Channel {
        int row;
        std::uint32_t rxUnits;
        const char* name;
    } channels[] = {{2, 43900000, "B"}, {3, 14500000, ""}, {5, 44600000, "A1"}, {6, 14500000, "A"}};
    for (const Channel& c : channels) {
        ChannelRef(image, c.row).setRxFrequency(UnitsToBcd(c.rxUnits));
        for (int i = 0; c.name[i]; ++i) {
            const char ch = c.name[i];
            ChannelRef(image, c.row).setNameByte(i, static_cast<std::uint8_t>(ch <= '9' ? ch - '0' : ch - 'A' + 10));
        }
        if (!*c.name) ChannelRef(image, c.row).setNameByte(0, 0xFF);
    }
    const RadioImage before = image;
    struct Case {
        ChannelSortKey key;
        std::vector<int> selected;
        std::vector<int> rowsFrom;  // the old row of the channel now at each sorted row
    } cases[] = {
        // The whole table: channels in use first, the empty ones after in their order.
        {ChannelSortKey::RxFrequency, {}, {3, 6, 2, 5, 0, 1, 4}},
        {ChannelSortKey::Name, {4}, {6, 5, 2, 3, 0, 1, 4}},
        {ChannelSortKey::Band, {}, {3, 6, 2, 5, 0, 1, 4}},
        // Only the selected rows take part; an empty selected row sorts after them.
        {ChannelSortKey::RxFrequency, {2, 4, 6}, {6, 2, 4}},
        {ChannelSortKey::Name, {2, 5, 6}, {6, 5, 2}},
    };
    for (const Case& c : cases) {
        image = before;
        const std::vector<int> rows = SortChannels(image, c.selected, c.key);
        const std::vector<int> sorted = c.selected.size() >= 2 ? c.selected : std::vector<int>{0, 1, 2, 3, 4, 5, 6};
        for (std::size_t i = 0; i < c.rowsFrom.size(); ++i)
            EXPECT_EQ(EntriesOf(image, sorted[i]), EntriesOf(before, c.rowsFrom[i]))
                << "key " << static_cast<int>(c.key) << " row " << sorted[i];
        EXPECT_FALSE(rows.empty());
        for (int n = 7; n < kChannelCount; ++n) EXPECT_EQ(EntriesOf(image, n), Erased()) << n;
    }
    image = before;
    SortChannels(image, {}, ChannelSortKey::RxFrequency);
    const RadioImage once = image;
    EXPECT_TRUE(SortChannels(image, {}, ChannelSortKey::RxFrequency).empty()) << "sorted already";
    EXPECT_SAME_IMAGE(image, once);
}

}  // namespace radioprog
