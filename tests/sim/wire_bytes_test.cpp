// SPDX-License-Identifier: GPL-3.0-or-later
// The program and the simulated radio each write the protocol's bytes down on their own, so
// that a wrong constant on one side cannot agree with itself. Both are pinned here to the
// literal bytes the radio uses.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "link/wire.h"
#include "sim/sim_radio.h"

namespace radioprog {
namespace {

using Bytes = std::vector<std::uint8_t>;

template <typename T, std::size_t N>
Bytes Of(const T (&array)[N], std::size_t size = N) {
    return Bytes(reinterpret_cast<const std::uint8_t*>(array), reinterpret_cast<const std::uint8_t*>(array) + size);
}

TEST(WireBytes, ProgramAndRadioUseTheRadiosBytes) {
    namespace rw = sim::radio_wire;
    const Bytes modeEntry = {0x50, 0x71, 0x57, 0x6D, 0x5A, 0x74, 0x35, 0x56, 0x02};
    EXPECT_EQ(Of(wire::kModeEntry, wire::kModeEntrySize), modeEntry);
    EXPECT_EQ(Of(rw::kModeEntry), modeEntry);

    const Bytes identity = {0x06, 0x52, 0x33, 0x4D, 0x37, 0x31, 0x43, 0xF8};
    EXPECT_EQ(Of(rw::kIdentity), identity);
    Bytes expected = {wire::kAck};
    const Bytes model = Of(wire::kModel, wire::kModelSize);
    expected.insert(expected.end(), model.begin(), model.end());
    expected.insert(expected.end(), std::begin(wire::kIdentTrailer), std::end(wire::kIdentTrailer));
    EXPECT_EQ(expected, identity);
    EXPECT_EQ(wire::kIdentReplySize, identity.size());

    struct Pair {
        const char* what;
        std::uint8_t program, radio, literal;
    };
    for (const Pair& pair :
         {Pair{"ACK", wire::kAck, rw::kAck, 0x06}, Pair{"identify", wire::kStx, rw::kIdentify, 0x02},
          Pair{"read", wire::kReadCommand, rw::kRead, 0x52}, Pair{"write", wire::kWriteCommand, rw::kWrite, 0x57},
          Pair{"read length", wire::kReadLength, rw::kBlockLength, 0x40}}) {
        SCOPED_TRACE(pair.what);
        EXPECT_EQ(pair.program, pair.literal);
        EXPECT_EQ(pair.radio, pair.literal);
    }
    EXPECT_EQ(sim::kNak, 0x15);
    EXPECT_EQ(wire::kWriteLength, 0x10);
    EXPECT_EQ(wire::kBlockSize, 64u);
    EXPECT_EQ(rw::kBlockSize, 64u);
    EXPECT_EQ(wire::kUnitSize, 16u);
    EXPECT_EQ(rw::kUnitSize, 16u);
}

TEST(WireBytes, TheProgramUndoesTheRadiosScrambling) {
    const std::uint8_t scramble[16] = {7, 10, 0, 9, 11, 2, 14, 1, 3, 15, 4, 5, 8, 12, 6, 13};
    EXPECT_EQ(0, std::memcmp(sim::radio_wire::kScramble, scramble, sizeof scramble));
    for (int value = 0; value < 256; ++value) {
        const auto plain = static_cast<std::uint8_t>(value);
        std::uint8_t onWire = static_cast<std::uint8_t>(scramble[plain & 0x0F] + 16 * scramble[plain >> 4]);
        std::uint8_t back = plain;
        TranslateNibbles(&back, 1, false);
        EXPECT_EQ(back, onWire) << "scrambling " << value;
        TranslateNibbles(&onWire, 1, true);
        EXPECT_EQ(onWire, plain) << "descrambling " << value;
    }
}

}  // namespace
}  // namespace radioprog
