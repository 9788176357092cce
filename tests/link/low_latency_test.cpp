// SPDX-License-Identifier: GPL-3.0-or-later
// Low latency on open and its undoing on close, against a simulated serial driver (a
// pseudo-terminal knows no serial flags) and against the pseudo-terminal itself.
#include "link/low_latency.h"

#include <linux/serial.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <sstream>

#include "link/link_test_support.h"
#include "link/serial_line.h"
#include "sim/pseudo_terminal.h"
#include "support/temp_dir.h"

namespace radioprog {
namespace {

// A driver keeping the flags of one port; it can refuse the request or ignore the flag.
class FakeDriver : public SerialFlagsAccess {
public:
    bool supported = true;
    bool ignoresLowLatency = false;
    int flags = 0;
    int sets = 0;
    bool get(int, int& out) override {
        if (!supported) {
            errno = ENOTTY;
            return false;
        }
        out = flags;
        return true;
    }
    bool set(int, int value) override {
        ++sets;
        flags = ignoresLowLatency ? (value & ~ASYNC_LOW_LATENCY) : value;
        return true;
    }
};

struct Case {
    const char* name;
    bool supported;
    bool ignores;
    int flagsBefore;
    LowLatency expected;
    int flagsWhileOpen;
    const char* traceText;
};

TEST(LowLatency, IsAskedForOnOpenAndUndoneOnClose) {
    const int kOther = ASYNC_SPD_HI;  // a flag of the port's own that must survive
    const Case cases[] = {
        {"granted", true, false, kOther, LowLatency::Granted, kOther | ASYNC_LOW_LATENCY, "low latency granted"},
        {"already on stays on", true, false, ASYNC_LOW_LATENCY, LowLatency::AlreadyOn, ASYNC_LOW_LATENCY,
         "low latency already on"},
        {"driver ignores the flag", true, true, kOther, LowLatency::Refused, kOther,
         "low latency refused (the driver ignores it)"},
        {"port refuses the request", false, false, kOther, LowLatency::Refused, kOther,
         "low latency refused (Inappropriate ioctl for device)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeDriver driver;
        driver.supported = c.supported;
        driver.ignoresLowLatency = c.ignores;
        driver.flags = c.flagsBefore;
        SetSerialFlagsAccess(&driver);
        test::TempDir dir;
        sim::PseudoTerminal terminal;
        std::string error;
        ASSERT_TRUE(terminal.create(error)) << error;
        SerialLine line;
        line.setTrace(TransferTrace::open(dir.file("trace.txt")));
        EXPECT_TRUE(line.open(terminal.devicePath())) << "a refusal never stops the open";
        EXPECT_EQ(line.lowLatency(), c.expected);
        EXPECT_EQ(driver.flags, c.flagsWhileOpen);
        line.close();
        EXPECT_EQ(driver.flags, c.flagsBefore) << "the port is left as it was found";
        SetSerialFlagsAccess(nullptr);
        line.setTrace(nullptr);
        EXPECT_NE(test::ReadFile(dir.file("trace.txt")).find(terminal.devicePath() + " opened, " + c.traceText),
                  std::string::npos)
            << test::ReadFile(dir.file("trace.txt"));
    }
}

TEST(LowLatency, APseudoTerminalRefusesAndStillWorks) {
    sim::PseudoTerminal terminal;
    std::string error;
    ASSERT_TRUE(terminal.create(error)) << error;
    SerialLine line;
    ASSERT_TRUE(line.open(terminal.devicePath()));
    EXPECT_EQ(line.lowLatency(), LowLatency::Refused);
    const std::uint8_t byte = 0x06;
    EXPECT_EQ(line.write(&byte, 1), 1u);
    EXPECT_TRUE(line.close());
}

}  // namespace
}  // namespace radioprog
