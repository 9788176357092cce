// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The radio's programming protocol as a state machine: mode entry, identification, the port
// scan, 64-byte block reads with their retries, the scrambled band-limit read, 16-byte unit
// writes with their acknowledgements and late answers, the final check, and the proving
// reads. It owns no device, no thread and no clock. It asks for one thing at a time
// (request()): open a port, send bytes, wait for bytes until a time, and so on; whoever
// drives it does that and answers with the time and what happened. RunEngine does this with
// a LineDriver; a driver fed by callbacks calls the answering functions itself.
//
//   engine.startTransfer(job, reports, line.now());
//   RunEngine(engine, line, reports);  // or: answer engine.request() as it changes
//   reports.finished(engine.outcome());
#include <coroutine>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "link/line_driver.h"
#include "link/transfer_options.h"
#include "link/transfer_reports.h"
#include "link/transfer_trace.h"
#include "model/radio_image.h"

namespace radioprog {

// One port the scan tries, with the number of times the mode-entry string is repeated when
// the radio stays silent.
struct ScanStep {
    int port;
    int retries;
    bool operator==(const ScanStep&) const = default;
};

// The configured port first (4 mode-entry sends), then COM1 ... COM20 without it (2 sends
// each). A configured port outside 1..20 is skipped and the whole ascending scan runs.
std::vector<ScanStep> PortScanOrder(std::int32_t configuredPort);

// How long a read waits.
enum class ReplyWait {
    Answer,  // a reply to a request: the whole reply within replyStartMs plus its wire times
    Stored,  // the acknowledgement of a written unit: the radio stores it first; total time only
};
// Bytes per second on the wire at 9600 baud, 8N1 with the radio's pacing.
inline constexpr int kLineBytesPerSecond = 960;
// Milliseconds a read of size bytes may take from its request to its last byte.
int ReplyWaitMs(const LineTimeouts& timeouts, std::size_t size, ReplyWait wait);

// What the engine waits for.
struct LineRequest {
    enum class Kind {
        Open,       // open COM`port`; answer opened()
        Close,      // close the port; answer done()
        Purge,      // drop unsent and unread bytes; answer done()
        Send,       // send `bytes`; answer sent()
        Wait,       // collect bytes until `until` (or sooner when bytes come); answer received()
        BandCheck,  // ask the owner about bandCheckImage(); answer bandChecked()
        Finished,   // nothing more: outcome() / exchangeSucceeded() hold the result
    };
    Kind kind = Kind::Finished;
    int port = 0;
    std::span<const std::uint8_t> bytes;
    LineTime until = kNoDeadline;
};

// A whole transfer.
struct TransferJob {
    TransferMode mode = TransferMode::Read;
    RadioImage image;  // a write sends it; its port number is the one the scan tries first
    TransferOptions options;
};

// One exchange on a line already open (for tools and tests of single exchanges).
struct Exchange {
    enum class Kind { EnterProgramMode, Identify, ReadBlock, ReadBlockDescrambled, WriteUnit, ConfirmWrites };
    Kind kind = Kind::Identify;
    std::uint8_t hi = 0, lo = 0;           // the block's or unit's radio address
    int retries = 0;                       // EnterProgramMode: sends after the first while the radio is silent
    std::uint8_t* destination = nullptr;   // ReadBlock*: 64 bytes, written on success only
    const std::uint8_t* source = nullptr;  // WriteUnit: 16 bytes
};

class TransferEngine {
public:
    TransferEngine();
    ~TransferEngine();
    TransferEngine(const TransferEngine&) = delete;
    TransferEngine& operator=(const TransferEngine&) = delete;

    void setTimeouts(const LineTimeouts& timeouts) { timeouts_ = timeouts; }
    const LineTimeouts& timeouts() const { return timeouts_; }
    // Every byte sent and received from now on is logged there (nullptr: no log).
    void setTrace(std::shared_ptr<TransferTrace> trace) { trace_ = std::move(trace); }

    // Starts a whole transfer. Progress and the read's image go to reports (which must outlive
    // the transfer); the outcome is outcome() once request() is Finished. The port is left
    // open at the end: close it after reporting.
    void startTransfer(const TransferJob& job, TransferReports& reports, LineTime now);
    // Starts one exchange; the session (the last unit acknowledged, the slowest answer) carries
    // over from the exchanges before it.
    void startExchange(const Exchange& exchange, LineTime now);

    const LineRequest& request() const { return request_; }
    bool finished() const { return request_.kind == LineRequest::Kind::Finished; }

    void opened(LineTime now, const PortOpening& opening);
    void sent(LineTime now, std::size_t count);
    void received(LineTime now, std::span<const std::uint8_t> bytes);
    void done(LineTime now);
    void bandChecked(LineTime now, bool proceed);
    // Stop soon: every wait ends now and nothing more is sent. Takes effect at the next answer.
    void cancel() { cancelled_ = true; }

    const RadioImage& bandCheckImage() const { return image_; }
    const TransferOutcome& outcome() const { return outcome_; }
    bool exchangeSucceeded() const { return exchangeResult_; }

private:
    friend struct EngineAccess;
    struct Session;
    void resume(LineTime now);

    LineTimeouts timeouts_;
    std::shared_ptr<TransferTrace> trace_;
    LineRequest request_;
    LineTime now_{};
    bool cancelled_ = false;
    RadioImage image_;
    TransferOutcome outcome_;
    bool exchangeResult_ = false;
    std::unique_ptr<Session> session_;
};

// Answers the engine's requests with driver until it finishes; the band check goes to
// reports (none: refused).
void RunEngine(TransferEngine& engine, LineDriver& driver, TransferReports* reports = nullptr);

}  // namespace radioprog
