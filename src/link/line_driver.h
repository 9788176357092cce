// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a line to the radio does for the transfer engine (link/transfer_engine.h): open a
// port, send bytes, drop what waits, and wait for bytes until a given time. A driver decides
// nothing about the protocol: every retry, wait and byte comes from the engine. The serial
// port (link/serial_line.h) and the simulated line (sim/virtual_line.h) are drivers; a
// driver that delivers bytes by callbacks feeds the engine itself instead of using RunEngine.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace radioprog {

// Time on a driver's clock, counted from any fixed start: the engine only adds and compares.
using LineTime = std::chrono::nanoseconds;
inline constexpr LineTime kNoDeadline = LineTime::max();

// How long the radio may take. The engine turns the read rules into deadlines; a driver that
// can wait for its writes uses the write rules.
struct LineTimeouts {
    int readIntervalMs = 388;        // longest gap between two received bytes
    int readTotalPerByteMs = 1000;   // total read time: per byte requested ...
    int readTotalConstantMs = 1000;  // ... plus this
    int writeTotalPerByteMs = 2000;  // total write time: per byte ...
    int writeTotalConstantMs = 2;    // ... plus this
    // A reply, from its first byte to its last, must arrive within this ...
    int replyStartMs = 1000;
    // ... plus this many times the reply's wire time (never later than the total time).
    int replyStartWireTimes = 2;
};

// Why a port could not be opened: the errno value (or the nearest one) and its text.
struct OpenError {
    int code = 0;
    std::string text;
    bool permissionDenied() const;
    bool busy() const;  // another program holds the device
};

// The result of opening COMn.
struct PortOpening {
    bool opened = false;
    std::string device;  // its device path or name; empty when there is no such port
    OpenError error;     // why it did not open
};

class LineDriver {
public:
    virtual ~LineDriver() = default;
    // The driver's clock.
    virtual LineTime now() = 0;
    // Opens COMn (1..20) for the radio; a line already open is closed first.
    virtual PortOpening openPort(int port) = 0;
    // Closes the open port, if any, and puts back the settings it had.
    virtual void closePort() = 0;
    // Drops everything not yet sent and everything received but not delivered.
    virtual void purge() = 0;
    // Sends bytes; returns how many left (fewer when the line failed or a cancel came).
    virtual std::size_t send(std::span<const std::uint8_t> bytes) = 0;
    // Appends the bytes received so far to received and returns once it got any, once the
    // clock reaches until, or on a cancel request. until at or before now() only collects.
    virtual void wait(LineTime until, std::vector<std::uint8_t>& received) = 0;
    // The user asked to stop: the engine ends the transfer at its next step.
    virtual bool cancelRequested() const = 0;
};

}  // namespace radioprog
