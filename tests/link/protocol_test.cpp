// SPDX-License-Identifier: GPL-3.0-or-later
// The block protocol against the simulated radio on a pseudo-terminal: retries, checks and
// the nibble tables.
#include <gtest/gtest.h>

#include <numeric>

#include "link/com_port.h"
#include "link_test_support.h"

namespace radioprog {
namespace {

using test::FastTimeouts;
using test::RunningSim;
using Kind = sim::SimEvent::Kind;

TEST(TranslateNibbles, TablesAndInverse) {
    struct Case {
        std::uint8_t in;
        int flag;
        std::uint8_t out;
    };
    for (Case c : {Case{0x00, 0, 0x22}, Case{0x7F, 0, 0x09}, Case{0x22, 1, 0x00}, Case{0x01, 0, 0x27},
                   Case{0x10, 0, 0x72}, Case{0xFF, 5, 0xDD}}) {
        std::uint8_t byte = c.in;
        CComPort::TranslateNibbles(&byte, 1, c.flag);
        EXPECT_EQ(byte, c.out) << int(c.in) << " flag " << c.flag;
    }
    std::uint8_t all[256];
    std::iota(all, all + 256, 0);
    std::uint8_t copy[256];
    std::copy(all, all + 256, copy);
    CComPort::TranslateNibbles(copy, 256, 0);
    CComPort::TranslateNibbles(copy, 256, 1);
    EXPECT_TRUE(std::equal(all, all + 256, copy));
    CComPort::TranslateNibbles(copy, 256, 1);
    CComPort::TranslateNibbles(copy, 256, 0);
    EXPECT_TRUE(std::equal(all, all + 256, copy));
}

// A port opened on the simulator with short timeouts; mode entry and identification done
// when asked.
class ProtocolTest : public ::testing::Test {
protected:
    void Connect(RunningSim& sim, bool identify = true) {
        port.setTimeouts(FastTimeouts());
        ASSERT_TRUE(port.Open(sim.devicePath()));
        if (!identify) return;
        ASSERT_TRUE(port.EnterProgramMode(3));
        ASSERT_TRUE(port.Identify());
        sim.clearEvents();
    }
    CComPort port;
};

TEST_F(ProtocolTest, OpenWhileOpenSucceedsWhateverTheName) {
    RunningSim sim;
    Connect(sim, false);
    EXPECT_TRUE(port.Open("/dev/no-such-device"));
    EXPECT_TRUE(port.Close());
    EXPECT_FALSE(port.Open("/dev/no-such-device"));
    EXPECT_FALSE(port.isOpen());
}

TEST_F(ProtocolTest, ModeEntrySendsUntilAnyReplyAtMostRetriesPlusOne) {
    struct Case {
        sim::SimFaults faults;
        int retries;
        bool entered;
        std::size_t sends;
    };
    sim::SimFaults silent;
    silent.silent = true;
    sim::SimFaults nak;
    nak.wrongModeReply = true;
    for (const Case& c :
         {Case{{}, 3, true, 1}, Case{silent, 3, false, 4}, Case{silent, 1, false, 2}, Case{nak, 3, false, 1}}) {
        RunningSim sim(c.faults);
        Connect(sim, false);
        EXPECT_EQ(port.EnterProgramMode(c.retries), c.entered);
        EXPECT_EQ(sim.count(Kind::ModeEntry), c.sends) << "retries " << c.retries;
        port.Close();
    }
}

TEST_F(ProtocolTest, IdentifyWantsTheModel) {
    sim::SimFaults other;
    other.wrongModel = true;
    for (bool wrong : {false, true}) {
        RunningSim sim(wrong ? other : sim::SimFaults{});
        Connect(sim, false);
        ASSERT_TRUE(port.EnterProgramMode(0));
        EXPECT_EQ(port.Identify(), !wrong);
        port.Close();
    }
}

TEST_F(ProtocolTest, ReadBlockResendsShortRepliesUpToFourRequests) {
    for (int shortReplies : {0, 3, 4}) {
        RunningSim sim;
        RadioImage image = test::PatternImage(1);
        sim.loadImage(image);
        Connect(sim);
        sim::SimFaults faults;
        faults.shortReplies = shortReplies;
        sim.setFaults(faults);
        std::uint8_t data[64] = {};
        bool ok = port.ReadBlock(0x00, 0x40, data);
        EXPECT_EQ(ok, shortReplies < 4) << shortReplies;
        EXPECT_EQ(sim.count(Kind::Read), static_cast<std::size_t>(std::min(shortReplies + 1, 4)));
        if (ok) {
            EXPECT_TRUE(std::equal(data, data + 64, image.recordData(BlockMap()[1])));
        }
        port.Close();
    }
}

TEST_F(ProtocolTest, ReadReplyWithWrongAddressFailsWithoutRetry) {
    sim::SimFaults faults;
    faults.wrongHeader = true;
    RunningSim sim(faults);
    Connect(sim);
    std::uint8_t data[64] = {};
    std::uint8_t before[64] = {};
    EXPECT_FALSE(port.ReadBlock(0x0E, 0x20, data));
    EXPECT_EQ(sim.count(Kind::Read), 1u);
    EXPECT_TRUE(std::equal(data, data + 64, before)) << "nothing copied from a wrong reply";
}

TEST_F(ProtocolTest, BandLimitBlockArrivesScrambledAndReadsOnce) {
    RunningSim sim;
    Connect(sim);
    std::uint8_t data[64] = {};
    ASSERT_TRUE(port.ReadBlockDescrambled(0x0F, 0xD0, data));
    auto plain = sim.bandBlock();
    EXPECT_TRUE(std::equal(data, data + 64, plain.begin()));
    EXPECT_EQ(data[0], 0x01);  // 136 MHz
    EXPECT_EQ(data[1], 0x36);

    sim::SimFaults faults;
    faults.shortReplies = 1;
    sim.setFaults(faults);
    sim.clearEvents();
    EXPECT_FALSE(port.ReadBlockDescrambled(0x0F, 0xD0, data));
    EXPECT_EQ(sim.count(Kind::Read), 1u) << "no second request";
}

TEST_F(ProtocolTest, WriteUnitRetriedUpToFourTimes) {
    for (int refused : {0, 3, 4}) {
        RunningSim sim;
        // A real radio answers only after the unit has crossed the wire; an answer sooner
        // would be taken for a stray one and every unit sent again.
        sim.setPaced(true);
        Connect(sim);
        sim::SimFaults faults;
        faults.refusedWrites = refused;
        sim.setFaults(faults);
        std::uint8_t unit[16];
        std::iota(unit, unit + 16, 0xA0);
        EXPECT_EQ(port.WriteBlock(0x0E, 0x30, unit), refused < 4) << refused;
        auto writes = sim.eventsOf(Kind::Write);
        ASSERT_EQ(writes.size(), static_cast<std::size_t>(std::min(refused + 1, 4)));
        for (const auto& write : writes) {
            EXPECT_EQ(write.address, 0x0E30);
            EXPECT_TRUE(std::equal(unit, unit + 16, write.data.begin()));
        }
        if (refused < 4) {
            EXPECT_EQ(sim.image().settingsByte(0x0E30), 0xA0);
        }
        port.Close();
    }
}

}  // namespace
}  // namespace radioprog
