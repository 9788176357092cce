// SPDX-License-Identifier: GPL-3.0-or-later
// How long the engine waits for a reply, on a scripted line in virtual time: the whole reply
// within a second plus twice its wire time, a quiet gap longer than the interval ending it
// early, and a radio that trickles its bytes given up on instead of waited for.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "link/transfer_engine.h"
#include "link/wire.h"

namespace radioprog {
namespace {

using namespace std::chrono_literals;

// A line whose replies arrive at scripted times after the first send; time passes only in
// its waits.
class ScriptedLine : public LineDriver {
public:
    struct Arrival {
        LineTime after;  // from the first send
        std::string bytes;
    };
    std::vector<Arrival> script;
    LineTime clock{};  // the line's time
    std::string sent;

    LineTime now() override { return clock; }
    PortOpening openPort(int) override { return {true, "scripted", {}}; }
    void closePort() override {}
    void purge() override {}
    std::size_t send(std::span<const std::uint8_t> bytes) override {
        if (sent.empty()) start_ = clock;
        sent.append(bytes.begin(), bytes.end());
        return bytes.size();
    }
    void wait(LineTime until, std::vector<std::uint8_t>& received) override {
        if (deliver(received)) return;
        if (next_ < script.size()) until = std::min(until, start_ + script[next_].after);
        EXPECT_NE(until, kNoDeadline) << "the engine waits for ever";
        clock = std::max(clock, until);
        deliver(received);
    }
    bool cancelRequested() const override { return false; }

private:
    bool deliver(std::vector<std::uint8_t>& received) {
        bool any = false;
        for (; next_ < script.size() && start_ + script[next_].after <= clock; ++next_) {
            received.insert(received.end(), script[next_].bytes.begin(), script[next_].bytes.end());
            any = true;
        }
        return any;
    }
    LineTime start_{};
    std::size_t next_ = 0;
};

const std::string kIdentity = std::string("\x06R3M71\x43\xF8", 8);

// Runs an identification against the script; returns whether it succeeded and when it ended.
std::pair<bool, LineTime> Identify(ScriptedLine& line) {
    TransferEngine engine;
    engine.startExchange(Exchange{Exchange::Kind::Identify}, line.now());
    RunEngine(engine, line);
    return {engine.exchangeSucceeded(), line.clock};
}

TEST(ReplyTiming, AReplyMayTakeASecondPlusTwiceItsWireTimeAsAWhole) {
    struct Case {
        std::size_t size;
        ReplyWait wait;
        int ms;
    };
    // 68 bytes at 960 bytes per second take 70.8 ms, twice that 142 ms; a stored unit's
    // acknowledgement gets the whole total time (1000 + 1000 per byte).
    for (Case c : {Case{68, ReplyWait::Answer, 1142}, Case{8, ReplyWait::Answer, 1017},
                   Case{1, ReplyWait::Answer, 1003}, Case{1, ReplyWait::Stored, 2000}}) {
        SCOPED_TRACE(c.size);
        EXPECT_EQ(ReplyWaitMs(LineTimeouts{}, c.size, c.wait), c.ms);
    }
    // Never longer than the total time.
    EXPECT_EQ(ReplyWaitMs(LineTimeouts{100, 2, 300, 100, 50}, 68, ReplyWait::Answer), 436);
}

TEST(ReplyTiming, WhenAReplyEnds) {
    struct Case {
        const char* name;
        std::vector<ScriptedLine::Arrival> script;
        bool identified;
        LineTime endsBy;  // the latest time the exchange may end
    };
    std::vector<ScriptedLine::Arrival> trickle;  // every byte 0.3 s after the one before
    for (std::size_t i = 0; i < kIdentity.size(); ++i)
        trickle.push_back({300ms * static_cast<int>(i + 1), kIdentity.substr(i, 1)});
    const std::string confirm = "\x06";
    const Case cases[] = {
        {"whole at once", {{5ms, kIdentity}, {20ms, confirm}}, true, 30ms},
        {"in pieces within the gap",
         {{5ms, kIdentity.substr(0, 3)}, {300ms, kIdentity.substr(3)}, {310ms, confirm}},
         true,
         320ms},
        {"a gap longer than the interval", {{5ms, kIdentity.substr(0, 3)}, {400ms, kIdentity.substr(3)}}, false, 394ms},
        {"silent", {}, false, 1017ms},
        // Each gap stays under the interval; before the whole reply was bounded this was
        // waited for byte by byte (a block reply for half a minute).
        {"trickling", trickle, false, 1017ms},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedLine line;
        line.script = c.script;
        auto [identified, ended] = Identify(line);
        EXPECT_EQ(identified, c.identified);
        EXPECT_LE(ended, c.endsBy);
    }
}

}  // namespace
}  // namespace radioprog
