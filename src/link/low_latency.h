// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Low-latency mode of a serial port. USB serial adapters hold received bytes for a latency
// timer (16 ms on the most common chips) before passing them on; every request/reply exchange
// with the radio then waits for it. Asking the driver for low latency (ASYNC_LOW_LATENCY) makes
// such adapters pass bytes on at once (their timer drops to 1 ms). Ports that do not know the
// request (pseudo-terminals, some drivers) refuse it, and the line works as before.
#include <string>

namespace radioprog {

// Reads and writes a port's ASYNC_* flags. The kernel's serial driver is used unless a test
// or benchmark puts a simulated driver in its place.
class SerialFlagsAccess {
public:
    virtual ~SerialFlagsAccess() = default;
    // False with errno set when the port does not support the request.
    virtual bool get(int fd, int& flags) = 0;
    virtual bool set(int fd, int flags) = 0;
};

// The access serial lines use from now on; nullptr returns to the kernel's.
void SetSerialFlagsAccess(SerialFlagsAccess* access);

enum class LowLatency { Granted, AlreadyOn, Refused };

// What an open line changed, to undo on close.
struct LowLatencyRequest {
    LowLatency result = LowLatency::Refused;
    std::string reason;  // why it was refused
};

// Asks the port on fd for low latency; a refusal changes nothing.
LowLatencyRequest RequestLowLatency(int fd);
// Puts the flag back as it was before the request (only when the request changed it).
void RestoreLatency(int fd, const LowLatencyRequest& request);
// One line for the transfer trace: "low latency granted", "... refused (reason)".
std::string DescribeLowLatency(const LowLatencyRequest& request);

}  // namespace radioprog
