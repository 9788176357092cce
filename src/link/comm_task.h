// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The transfer job: finds the radio on the serial ports, then reads the whole image from it
// or writes the whole image to it, telling its owner through TransferReports. It works on
// its own copy of the image, so the owner's image is never touched from two threads; a read
// hands over the complete copy only when every block arrived.
#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

#include "link/com_port.h"
#include "link/port_map.h"
#include "link/transfer_cancel.h"
#include "link/transfer_engine.h"
#include "link/transfer_options.h"
#include "link/transfer_reports.h"
#include "model/radio_image.h"

namespace radioprog {

class CCommTask {
public:
    explicit CCommTask(PortMap ports);
    // Waits for a running job. A job blocked in checkBandLimits must be answered first.
    ~CCommTask();
    CCommTask(const CCommTask&) = delete;
    CCommTask& operator=(const CCommTask&) = delete;

    // Takes the receiver of the reports and a copy of the image (for a write, flush the
    // editors first), and forgets an earlier cancel request. Ignored while busy. reports must
    // outlive the job.
    void Setup(TransferReports* reports, const RadioImage& image);
    // Read or Write; ignored while busy.
    void SetMode(TransferMode mode);
    // True from start() (or Run(), or a probe) until the job has ended. It is false again
    // before the final progress(0) report, so whoever handles that report may start the
    // next transfer.
    bool IsBusy() const;

    // Executes the job on the calling thread; does nothing while busy or with no mode set.
    // Reports, in order: progress(1), one step per failed port handshake and per block,
    // progress(100), dataReady (a successful read only), finished, progress(0).
    // The mode is Idle again afterwards.
    void Run();
    // Runs the job on a new worker thread that ends after it. False (nothing started)
    // while busy, with no mode set, or when called from the worker itself.
    bool start();
    // Joins the worker of the latest start(), if any (not from the worker itself).
    void wait();
    // Stops the running job soon (a waiting read or write ends at once): a read hands over
    // nothing, a write stops between units; the outcome says cancelled. From any thread, and
    // async-signal-safe. A request before Setup() is forgotten.
    void cancel() { cancel_.request(); }

    // Bit k clear when COMk (1..20) cannot be opened; bit 0 and bits 21..31 stay set.
    // Opens and closes each port once. Returns 0 (never a real mask) while busy, because
    // the probe would use the serial port of the running job.
    std::uint32_t ProbePorts();
    // For COM1 ... COM20: the device path and why it cannot be opened (an empty reason
    // when it opens). Empty while busy.
    std::vector<PortProblem> probeDetails();
    const PortMap& ports() const { return ports_; }
    // The ports from the next job on (cables come and go); ignored while busy.
    void setPorts(PortMap ports);

    // One port without a scan, and proving the transfer (link/transfer_options.h), from the
    // next job on; ignored while busy.
    void setOptions(const TransferOptions& options);

    // The serial timeouts used from the next job on (tests shorten them); ignored while busy.
    void setLineTimeouts(const LineTimeouts& timeouts);
    // Logs every byte of the following jobs (nullptr: none). Starts as RADIOPROG_TRACE says.
    void setTrace(std::shared_ptr<TransferTrace> trace);

private:
    bool claim();
    void release();
    void execute();

    PortMap ports_;
    TransferOptions options_;
    CComPort port_;
    TransferEngine engine_;
    TransferReports* reports_ = nullptr;
    RadioImage image_;
    TransferMode mode_ = TransferMode::Idle;
    std::atomic<bool> busy_{false};
    std::thread worker_;
    std::shared_ptr<TransferTrace> trace_;
    TransferCancel cancel_;
};

}  // namespace radioprog
