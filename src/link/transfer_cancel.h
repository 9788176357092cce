// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A request to stop a running transfer, from another thread or a signal handler. The serial
// line polls wakeFd() together with the port, so a read or write that is waiting for the
// radio ends at once; everything after it sees requested() and gives up.
#include <atomic>

namespace radioprog {

class TransferCancel {
public:
    TransferCancel();
    ~TransferCancel();
    TransferCancel(const TransferCancel&) = delete;
    TransferCancel& operator=(const TransferCancel&) = delete;

    // Async-signal-safe: sets the flag and makes wakeFd() readable.
    void request();
    bool requested() const { return requested_.load(std::memory_order_acquire); }
    // Readable from request() until reset(); -1 when no pipe could be made (then only the
    // flag tells, and a waiting read ends at its next poll slice).
    int wakeFd() const { return pipe_[0]; }
    // Clears the request (before the next transfer starts).
    void reset();

private:
    std::atomic<bool> requested_{false};
    int pipe_[2] = {-1, -1};
};

}  // namespace radioprog
