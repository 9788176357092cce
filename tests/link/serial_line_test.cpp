// SPDX-License-Identifier: GPL-3.0-or-later
// The serial line on a bare pseudo-terminal: how reads end, purging, and why an open fails.
#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include "link/serial_line.h"
#include "sim/pseudo_terminal.h"
#include "support/temp_dir.h"
#include "support/wait_until.h"

namespace radioprog {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

class SerialLineTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(terminal.Create(error)) << error;
        ASSERT_TRUE(line.Open(terminal.devicePath()));
    }
    void Feed(const std::string& bytes) {
        ASSERT_EQ(::write(terminal.masterFd(), bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    std::string Read(std::size_t n) {
        std::string buffer(n, '\0');
        buffer.resize(line.Read(reinterpret_cast<std::uint8_t*>(buffer.data()), n));
        return buffer;
    }
    std::string Drain() {
        std::string out;
        char buffer[256];
        ssize_t n;
        while ((n = ::read(terminal.masterFd(), buffer, sizeof buffer)) > 0)
            out.append(buffer, static_cast<std::size_t>(n));
        return out;
    }
    sim::PseudoTerminal terminal;
    SerialLine line;
};

TEST_F(SerialLineTest, ReadEndsWhenAllBytesArrived) {
    Feed("abcdef");
    EXPECT_EQ(Read(4), "abcd");
    EXPECT_EQ(Read(2), "ef");
}

TEST_F(SerialLineTest, QuietGapLongerThanTheIntervalEndsARead) {
    // A long total time, so only the interval can end the read early.
    line.SetTimeouts({150, 1000, 10000, 2000, 2});
    // The gaps between the bytes are the case under test: one shorter, one longer than the interval.
    std::thread sender([this] {
        Feed("ab");
        std::this_thread::sleep_for(30ms);  // shorter than the interval: still one read
        Feed("c");
        std::this_thread::sleep_for(600ms);  // longer: the read is over
        Feed("d");
    });
    auto start = Clock::now();
    EXPECT_EQ(Read(5), "abc");
    EXPECT_LT(Clock::now() - start, 5s);
    sender.join();
    EXPECT_EQ(Read(1), "d");
}

TEST_F(SerialLineTest, SilentLineReturnsNothingAfterTheTotalTime) {
    line.SetTimeouts({100, 20, 200, 2000, 2});
    auto start = Clock::now();
    EXPECT_EQ(Read(3), "");
    EXPECT_GE(Clock::now() - start, 250ms);  // 200 + 3 x 20 ms, a little scheduling slack
}

TEST_F(SerialLineTest, WritesReachTheFarEndAndPurgeDropsWaitingInput) {
    const std::uint8_t bytes[3] = {0x52, 0x00, 0x40};
    EXPECT_EQ(line.Write(bytes, 3), 3u);
    EXPECT_EQ(Drain(), std::string("\x52\x00\x40", 3));
    Feed("stale");
    ASSERT_TRUE(test::WaitUntil([this] { return line.InputPending(); }));
    line.Purge();
    Feed("x");
    EXPECT_EQ(Read(1), "x");
}

TEST(SerialLineWait, FirstByteOfAReplyIsAwaitedASecondPlusTwiceItsWireTime) {
    SerialLine line;
    struct Case {
        std::size_t size;
        ReplyWait wait;
        int ms;
    };
    // 2 x 68 bytes at 960 bytes/s = 141.7 ms; the acknowledgement of a stored unit keeps the
    // whole total time (1000 + 1000 per byte).
    for (Case c : {Case{68, ReplyWait::Answer, 1142}, Case{8, ReplyWait::Answer, 1017},
                   Case{1, ReplyWait::Answer, 1003}, Case{1, ReplyWait::Stored, 2000}}) {
        SCOPED_TRACE(c.size);
        EXPECT_EQ(line.FirstByteWaitMs(c.size, c.wait), c.ms);
    }
    // Never longer than the total time.
    line.SetTimeouts({100, 2, 300, 100, 50});
    EXPECT_EQ(line.FirstByteWaitMs(68, ReplyWait::Answer), 436);
}

TEST_F(SerialLineTest, SilentRadioEndsAReplyReadAfterItsFirstByteWait) {
    auto start = Clock::now();
    EXPECT_EQ(Read(68), "");
    auto took = Clock::now() - start;
    EXPECT_GE(took, 1100ms);
    EXPECT_LT(took, 10s) << "was 69 s before replies had a first-byte limit";

    // Once bytes flow, the gap rule ends the read, however long the reply. The reply starts
    // while the read waits for its first byte: the delay is the case under test.
    std::thread sender([this] {
        std::this_thread::sleep_for(300ms);
        Feed("WX");
    });
    start = Clock::now();
    EXPECT_EQ(Read(68), "WX");
    EXPECT_LT(Clock::now() - start, 2s);
    sender.join();
}

TEST_F(SerialLineTest, CancelEndsAWaitingReadAtOnceUntilReset) {
    TransferCancel cancel;
    line.SetCancel(&cancel);
    line.SetTimeouts({388, 1000, 60000, 2000, 2, 60000, 2});  // would wait a minute for the first byte
    // The cancel comes while the read waits: the delay is the case under test.
    std::thread canceller([&cancel] {
        std::this_thread::sleep_for(200ms);
        cancel.Request();
    });
    auto start = Clock::now();
    EXPECT_EQ(Read(8), "");
    EXPECT_LT(Clock::now() - start, 700ms);
    canceller.join();
    Feed("ab");
    const std::uint8_t byte = 0x52;
    EXPECT_EQ(line.Write(&byte, 1), 0u) << "nothing more is sent once cancelled";
    EXPECT_EQ(Read(2), "") << "nothing more is read once cancelled";
    cancel.Reset();
    EXPECT_EQ(Read(2), "ab");
}

TEST(SerialLineOpen, TellsWhyADeviceCannotBeOpened) {
    test::TempDir dir;
    SerialLine line;
    EXPECT_FALSE(line.Open(dir.file("missing")));
    EXPECT_EQ(line.lastOpenError().code, ENOENT);
    EXPECT_FALSE(line.Open(""));
    EXPECT_EQ(line.lastOpenError().code, ENOENT);
    EXPECT_FALSE(line.Open(dir.write("plain.dat", "x")));
    EXPECT_EQ(line.lastOpenError().code, ENOTTY) << "a file is not a serial port";
    EXPECT_FALSE(line.IsOpen());
    EXPECT_FALSE(line.lastOpenError().permissionDenied());
    EXPECT_TRUE((OpenError{EACCES, ""}.permissionDenied()));
}

}  // namespace
}  // namespace radioprog
