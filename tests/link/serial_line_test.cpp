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
        while ((n = ::read(terminal.masterFd(), buffer, sizeof buffer)) > 0) out.append(buffer, static_cast<std::size_t>(n));
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
    std::this_thread::sleep_for(20ms);
    line.Purge();
    Feed("x");
    EXPECT_EQ(Read(1), "x");
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
