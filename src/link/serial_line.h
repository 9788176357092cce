// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One serial device opened for the radio: 9600 baud, 8N1, raw, DTR on, exclusive, low
// latency where the driver allows it. Closing it puts back the settings the device had. It
// only moves bytes: how long to wait for them is the transfer engine's rule, told to wait() as
// a time. A cancel request ends any wait or write at once.
#ifndef _WIN32
#include <termios.h>
#endif

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "link/line_driver.h"
#include "link/low_latency.h"
#include "link/transfer_cancel.h"
#include "link/transfer_trace.h"

namespace radioprog {

class SerialLine {
public:
    using Clock = std::chrono::steady_clock;

    SerialLine() = default;
    ~SerialLine();
    SerialLine(const SerialLine&) = delete;
    SerialLine& operator=(const SerialLine&) = delete;

    // Opens the device exclusively and sets the line up. Failures of the line-setting calls
    // are ignored (a pseudo-terminal has no baud rate or DTR), and so is a refusal of low
    // latency, which close() undoes. Devices that are not terminals are refused.
    bool open(const std::string& device);
    bool close();  // true when the device was closed
    bool isOpen() const;
    const OpenError& lastOpenError() const { return openError_; }
    // Whether the open line got low latency (see link/low_latency.h).
    LowLatency lowLatency() const { return latency_.result; }

    // The write time limits (the read rules belong to the engine).
    void setTimeouts(const LineTimeouts& timeouts) { timeouts_ = timeouts; }
    const LineTimeouts& timeouts() const { return timeouts_; }
    void setTrace(std::shared_ptr<TransferTrace> trace) { trace_ = std::move(trace); }
    // Waits and writes end early once cancel is requested (nullptr: never). Not owned.
    void setCancel(const TransferCancel* cancel) { cancel_ = cancel; }
    bool cancelled() const { return cancel_ && cancel_->requested(); }

    // Discards everything not yet sent and everything received but not read.
    void purge();
    // Returns the number of bytes written (less than size when the write time ran out).
    std::size_t write(const std::uint8_t* data, std::size_t size);
    // Appends what has arrived; when nothing has, waits until bytes come, until passes or a
    // cancel request comes.
    void wait(Clock::time_point until, std::vector<std::uint8_t>& received);

private:
    int wakeFd() const { return cancel_ ? cancel_->wakeFd() : -1; }
    std::size_t collect(std::vector<std::uint8_t>& received);

#ifdef _WIN32
    void* handle_ = nullptr;              // the port's HANDLE while it is open
    std::vector<std::uint8_t> savedDcb_;  // the settings to put back on close
#else
    int fd_ = -1;
    bool hungUp_ = false;
    termios saved_{};  // the settings to put back on close
    bool haveSaved_ = false;
#endif
    LineTimeouts timeouts_;
    OpenError openError_;
    LowLatencyRequest latency_;
    std::shared_ptr<TransferTrace> trace_;
    const TransferCancel* cancel_ = nullptr;
};

}  // namespace radioprog
