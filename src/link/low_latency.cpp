// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/low_latency.h"

#include <linux/serial.h>
#include <sys/ioctl.h>

#include <atomic>
#include <cerrno>
#include <cstring>

namespace radioprog {

namespace {

class KernelSerialFlags : public SerialFlagsAccess {
public:
    bool get(int fd, int& flags) override {
        serial_struct info{};
        if (::ioctl(fd, TIOCGSERIAL, &info) != 0) return false;
        flags = info.flags;
        return true;
    }
    // Changes only the flags: the rest of the port's settings are written back as read.
    bool set(int fd, int flags) override {
        serial_struct info{};
        if (::ioctl(fd, TIOCGSERIAL, &info) != 0) return false;
        info.flags = flags;
        return ::ioctl(fd, TIOCSSERIAL, &info) == 0;
    }
};

KernelSerialFlags g_kernel;
std::atomic<SerialFlagsAccess*> g_access{nullptr};

SerialFlagsAccess& Access() {
    SerialFlagsAccess* access = g_access.load();
    return access ? *access : g_kernel;
}

LowLatencyRequest Refused() { return {LowLatency::Refused, std::strerror(errno)}; }

}  // namespace

void SetSerialFlagsAccess(SerialFlagsAccess* access) { g_access.store(access); }

LowLatencyRequest RequestLowLatency(int fd) {
    int flags = 0;
    if (!Access().get(fd, flags)) return Refused();
    if (flags & ASYNC_LOW_LATENCY) return {LowLatency::AlreadyOn, {}};
    if (!Access().set(fd, flags | ASYNC_LOW_LATENCY)) return Refused();
    // Some drivers accept the call and ignore the flag: believe only what reads back.
    int now = 0;
    if (!Access().get(fd, now)) return Refused();
    if (!(now & ASYNC_LOW_LATENCY)) return {LowLatency::Refused, "the driver ignores it"};
    return {LowLatency::Granted, {}};
}

void RestoreLatency(int fd, const LowLatencyRequest& request) {
    if (request.result != LowLatency::Granted) return;
    int flags = 0;
    if (Access().get(fd, flags)) Access().set(fd, flags & ~ASYNC_LOW_LATENCY);
}

std::string DescribeLowLatency(const LowLatencyRequest& request) {
    switch (request.result) {
    case LowLatency::Granted: return "low latency granted";
    case LowLatency::AlreadyOn: return "low latency already on";
    case LowLatency::Refused: break;
    }
    return "low latency refused (" + request.reason + ")";
}

}  // namespace radioprog
