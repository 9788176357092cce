// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/comm_task.h"

#include <system_error>

namespace radioprog {

namespace {

// Receives the reports of a job that was set up without a receiver.
class NoReports : public TransferReports {
public:
    void progress(int) override {}
    void dataReady(const RadioImage&) override {}
    bool checkBandLimits(const RadioImage&) override { return false; }
    void finished(const TransferOutcome&) override {}
};

bool IsCurrentThread(const std::thread& thread) { return thread.get_id() == std::this_thread::get_id(); }

}  // namespace

CCommTask::CCommTask(PortMap ports) : ports_(ports), port_(std::move(ports)) {
    port_.setCancel(&cancel_);
    setTrace(TransferTrace::fromEnvironment());
}

void CCommTask::setTrace(std::shared_ptr<TransferTrace> trace) {
    if (!claim()) return;
    trace_ = std::move(trace);
    port_.setTrace(trace_);
    engine_.setTrace(trace_);
    release();
}

CCommTask::~CCommTask() { wait(); }

bool CCommTask::claim() {
    bool idle = false;
    return busy_.compare_exchange_strong(idle, true, std::memory_order_acq_rel);
}

void CCommTask::release() { busy_.store(false, std::memory_order_release); }

bool CCommTask::IsBusy() const { return busy_.load(std::memory_order_acquire); }

void CCommTask::Setup(TransferReports* reports, const RadioImage& image) {
    if (!claim()) return;
    reports_ = reports;
    image_ = image;
    cancel_.reset();
    release();
}

void CCommTask::SetMode(TransferMode mode) {
    if (!claim()) return;
    mode_ = mode;
    release();
}

void CCommTask::setPorts(PortMap ports) {
    if (!claim()) return;
    port_.setPorts(ports);
    ports_ = std::move(ports);
    release();
}

void CCommTask::setOptions(const TransferOptions& options) {
    if (!claim()) return;
    options_ = options;
    release();
}

void CCommTask::setLineTimeouts(const LineTimeouts& timeouts) {
    if (!claim()) return;
    port_.setTimeouts(timeouts);
    engine_.setTimeouts(timeouts);
    release();
}

void CCommTask::Run() {
    if (!claim()) return;
    if (mode_ == TransferMode::Idle) {
        release();
        return;
    }
    execute();
}

bool CCommTask::start() {
    if (IsCurrentThread(worker_)) return false;
    if (!claim()) return false;
    if (mode_ == TransferMode::Idle) {
        release();
        return false;
    }
    // The previous worker has finished its job; at most its last report is still running.
    if (worker_.joinable()) worker_.join();
    try {
        worker_ = std::thread([this] { execute(); });
    } catch (const std::system_error&) {
        release();
        return false;
    }
    return true;
}

void CCommTask::wait() {
    if (worker_.joinable() && !IsCurrentThread(worker_)) worker_.join();
}

std::uint32_t CCommTask::ProbePorts() {
    if (!claim()) return 0;
    std::uint32_t mask = 0xFFFFFFFFu;
    for (int port = kFirstPort; port <= kLastPort; ++port) {
        if (!port_.Open(ports_.device(port))) mask &= ~(1u << port);
        port_.CloseIfOpen();
    }
    release();
    return mask;
}

std::vector<PortProblem> CCommTask::probeDetails() {
    std::vector<PortProblem> details;
    if (!claim()) return details;
    for (int port = kFirstPort; port <= kLastPort; ++port) {
        PortProblem entry{port, ports_.device(port), {}, false};
        if (entry.device.empty()) {
            entry.reason = "no such port";
        } else if (!port_.Open(entry.device)) {
            entry.reason = port_.lastOpenError().text;
            entry.permissionDenied = port_.lastOpenError().permissionDenied();
        }
        port_.CloseIfOpen();
        details.push_back(entry);
    }
    release();
    return details;
}

void CCommTask::execute() {
    NoReports nobody;
    TransferReports& reports = reports_ ? *reports_ : nobody;
    engine_.startTransfer(TransferJob{mode_, image_, options_}, reports, port_.now());
    RunEngine(engine_, port_, &reports);
    reports.finished(engine_.outcome());

    port_.CloseIfOpen();
    mode_ = TransferMode::Idle;
    // Nothing of the job is touched after this, so the owner may set up the next one while
    // the last report is being delivered.
    release();
    reports.progress(0);
}

}  // namespace radioprog
