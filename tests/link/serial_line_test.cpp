// SPDX-License-Identifier: GPL-3.0-or-later
// The serial line on a bare pseudo-terminal: how waits end, purging, cancelling, putting the
// device's settings back, and why an open fails.
#include <fcntl.h>
#include <termios.h>
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
        ASSERT_TRUE(terminal.create(error)) << error;
        ASSERT_TRUE(line.open(terminal.devicePath()));
    }
    void Feed(const std::string& bytes) {
        ASSERT_EQ(::write(terminal.masterFd(), bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    // What one wait brings, waiting at most for.
    std::string WaitFor(std::chrono::milliseconds most) {
        std::vector<std::uint8_t> received;
        line.wait(Clock::now() + most, received);
        return std::string(received.begin(), received.end());
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

TEST_F(SerialLineTest, AWaitEndsWithTheBytesThatCameOrAtItsTime) {
    Feed("abc");
    EXPECT_EQ(WaitFor(5s), "abc");
    auto start = Clock::now();
    EXPECT_EQ(WaitFor(150ms), "");
    EXPECT_GE(Clock::now() - start, 140ms);
    // Bytes that come while it waits end it. The delay is the case under test.
    std::thread sender([this] {
        std::this_thread::sleep_for(100ms);
        Feed("d");
    });
    start = Clock::now();
    EXPECT_EQ(WaitFor(10s), "d");
    EXPECT_LT(Clock::now() - start, 5s);
    sender.join();
}

TEST_F(SerialLineTest, WritesReachTheFarEndAndPurgeDropsWaitingInput) {
    const std::uint8_t bytes[3] = {0x52, 0x00, 0x40};
    EXPECT_EQ(line.write(bytes, 3), 3u);
    EXPECT_EQ(Drain(), std::string("\x52\x00\x40", 3));
    Feed("stale");
    std::this_thread::sleep_for(50ms);  // the bytes must have reached the line before the purge
    line.purge();
    Feed("x");
    EXPECT_EQ(WaitFor(5s), "x");
}

TEST_F(SerialLineTest, CancelEndsAWaitAtOnceUntilReset) {
    TransferCancel cancel;
    line.setCancel(&cancel);
    // The cancel comes while the line waits: the delay is the case under test.
    std::thread canceller([&cancel] {
        std::this_thread::sleep_for(200ms);
        cancel.request();
    });
    auto start = Clock::now();
    EXPECT_EQ(WaitFor(60s), "");
    EXPECT_LT(Clock::now() - start, 700ms);
    canceller.join();
    Feed("ab");
    const std::uint8_t byte = 0x52;
    EXPECT_EQ(line.write(&byte, 1), 0u) << "nothing more is sent once cancelled";
    EXPECT_EQ(WaitFor(100ms), "") << "nothing more is read once cancelled";
    cancel.reset();
    EXPECT_EQ(WaitFor(5s), "ab");
}

TEST(SerialLineClose, PutsBackTheSettingsTheDeviceHad) {
    sim::PseudoTerminal terminal;
    std::string error;
    ASSERT_TRUE(terminal.create(error)) << error;
    // Another program's settings: canonical input with echo, at 2400 baud.
    int other = ::open(terminal.devicePath().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(other, 0);
    termios before{};
    ASSERT_EQ(::tcgetattr(other, &before), 0);
    before.c_lflag |= ICANON | ECHO;
    ::cfsetispeed(&before, B2400);
    ::cfsetospeed(&before, B2400);
    ASSERT_EQ(::tcsetattr(other, TCSANOW, &before), 0);
    ASSERT_EQ(::tcgetattr(other, &before), 0);

    SerialLine line;
    ASSERT_TRUE(line.open(terminal.devicePath()));
    termios during{};
    ASSERT_EQ(::tcgetattr(other, &during), 0);
    EXPECT_EQ(during.c_lflag & ICANON, 0u) << "the line is raw while open";
    line.close();

    termios after{};
    ASSERT_EQ(::tcgetattr(other, &after), 0);
    EXPECT_EQ(after.c_lflag, before.c_lflag);
    EXPECT_EQ(after.c_iflag, before.c_iflag);
    EXPECT_EQ(after.c_oflag, before.c_oflag);
    EXPECT_EQ(after.c_cflag, before.c_cflag);
    EXPECT_EQ(::cfgetospeed(&after), ::cfgetospeed(&before));
    ::close(other);
}

TEST(SerialLineOpen, TellsWhyADeviceCannotBeOpened) {
    test::TempDir dir;
    SerialLine line;
    EXPECT_FALSE(line.open(dir.file("missing")));
    EXPECT_EQ(line.lastOpenError().code, ENOENT);
    EXPECT_FALSE(line.open(""));
    EXPECT_EQ(line.lastOpenError().code, ENOENT);
    EXPECT_FALSE(line.open(dir.write("plain.dat", "x")));
    EXPECT_EQ(line.lastOpenError().code, ENOTTY) << "a file is not a serial port";
    EXPECT_FALSE(line.isOpen());
    EXPECT_FALSE(line.lastOpenError().permissionDenied());
    EXPECT_TRUE((OpenError{EACCES, ""}.permissionDenied()));
}

}  // namespace
}  // namespace radioprog
