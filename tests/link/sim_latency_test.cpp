// SPDX-License-Identifier: GPL-3.0-or-later
// The simulator's latency timer: the radio's answer reaches the program no earlier than the
// timer's next tick after the radio sent it, and whole.
#include <gtest/gtest.h>

#include <chrono>

#include "link/link_test_support.h"
#include "link/serial_line.h"

namespace radioprog {
namespace {

using Clock = std::chrono::steady_clock;

TEST(SimLatency, AnswersWaitForTheNextTickOfTheTimer) {
    test::RunningSim sim;
    constexpr auto kTick = std::chrono::milliseconds(200);
    sim.setLatencyMs(static_cast<int>(kTick.count()));
    SerialLine line;
    ASSERT_TRUE(line.open(sim.devicePath()));
    for (int exchange = 0; exchange < 3; ++exchange) {
        const auto sent = Clock::now();
        const std::uint8_t identify = 0x02;
        ASSERT_EQ(line.write(&identify, 1), 1u);
        std::vector<std::uint8_t> reply;
        line.wait(sent + std::chrono::seconds(5), reply);
        ASSERT_EQ(reply.size(), 8u) << "the answer comes whole";
        const auto nextTick = Clock::time_point((sent.time_since_epoch() / kTick + 1) * kTick);
        EXPECT_GE(Clock::now(), nextTick) << "exchange " << exchange;
        EXPECT_EQ(reply[0], 0x06);
    }
}

}  // namespace
}  // namespace radioprog
