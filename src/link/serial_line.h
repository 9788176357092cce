// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One serial device opened for the radio: 9600 baud, 8N1, raw, DTR on, exclusive. Reads end
// like the radio's programming cable has always been driven: when all bytes arrived, when the
// line stays quiet longer than the interval after a byte, or when the total time is up, with
// whatever arrived so far. A radio answers within milliseconds, so a reply whose first byte
// has not come within a second plus twice its wire time will not come: the read ends then.
// A cancel request ends any read or write at once.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "link/low_latency.h"
#include "link/transfer_cancel.h"
#include "link/transfer_trace.h"

namespace radioprog {

struct LineTimeouts {
    int readIntervalMs = 388;        // longest gap between two received bytes
    int readTotalPerByteMs = 1000;   // total read time: per byte requested ...
    int readTotalConstantMs = 1000;  // ... plus this
    int writeTotalPerByteMs = 2000;  // total write time: per byte ...
    int writeTotalConstantMs = 2;    // ... plus this
    // The first byte of a reply must arrive within this ...
    int replyStartMs = 1000;
    // ... plus this many times the reply's wire time (never later than the total time).
    int replyStartWireTimes = 2;
};

// Bytes per second on the wire at 9600 baud, 8N1 with the radio's pacing.
inline constexpr int kLineBytesPerSecond = 960;

// How long a read waits for the first byte.
enum class ReplyWait {
    Answer,  // a reply to a request: bounded by the reply start rule above
    Stored,  // the acknowledgement of a written unit: the radio stores it first; total time only
};

// Why a device could not be opened: the errno value and its text.
struct OpenError {
    int code = 0;
    std::string text;
    bool permissionDenied() const;
    bool busy() const;  // another program holds the device
};

class SerialLine {
public:
    SerialLine() = default;
    ~SerialLine();
    SerialLine(const SerialLine&) = delete;
    SerialLine& operator=(const SerialLine&) = delete;

    // Opens the device exclusively and sets the line up. Failures of the line-setting calls
    // are ignored (a pseudo-terminal has no baud rate or DTR), and so is a refusal of low
    // latency, which Close undoes. Devices that are not terminals are refused.
    bool Open(const std::string& device);
    bool Close();  // true when the device was closed
    bool IsOpen() const;
    const OpenError& lastOpenError() const { return openError_; }
    // Whether the open line got low latency (see link/low_latency.h).
    LowLatency lowLatency() const { return latency_.result; }

    void SetTimeouts(const LineTimeouts& timeouts) { timeouts_ = timeouts; }
    // Every byte written and read from now on is logged there (nullptr: no log).
    void SetTrace(std::shared_ptr<TransferTrace> trace) { trace_ = std::move(trace); }
    const LineTimeouts& timeouts() const { return timeouts_; }
    // Reads and writes end early once cancel is requested (nullptr: never). Not owned.
    void SetCancel(const TransferCancel* cancel) { cancel_ = cancel; }
    bool cancelled() const { return cancel_ && cancel_->requested(); }

    // Discards everything not yet sent and everything received but not read.
    void Purge();
    // Reads and drops everything received but not read; returns how many bytes that was.
    std::size_t DiscardInput();
    // True when received bytes are waiting to be read.
    bool InputPending() const;
    // Returns the number of bytes written (less than size when the write time ran out).
    std::size_t Write(const std::uint8_t* data, std::size_t size);
    // Returns the number of bytes read, with the timeouts above.
    std::size_t Read(std::uint8_t* data, std::size_t size, ReplyWait wait = ReplyWait::Answer);
    // Milliseconds a read of size bytes waits for its first byte.
    int FirstByteWaitMs(std::size_t size, ReplyWait wait) const;

private:
    int wakeFd() const { return cancel_ ? cancel_->wakeFd() : -1; }

#ifdef _WIN32
    void* handle_ = nullptr;  // the port's HANDLE while it is open
#else
    int fd_ = -1;
#endif
    LineTimeouts timeouts_;
    OpenError openError_;
    LowLatencyRequest latency_;
    std::shared_ptr<TransferTrace> trace_;
    const TransferCancel* cancel_ = nullptr;
};

}  // namespace radioprog
