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
    SetTrace(TransferTrace::fromEnvironment());
}

void CCommTask::SetTrace(std::shared_ptr<TransferTrace> trace) {
    if (!Claim()) return;
    trace_ = std::move(trace);
    port_.setTrace(trace_);
    engine_.setTrace(trace_);
    Release();
}

CCommTask::~CCommTask() { Wait(); }

bool CCommTask::Claim() {
    bool idle = false;
    return busy_.compare_exchange_strong(idle, true, std::memory_order_acq_rel);
}

void CCommTask::Release() { busy_.store(false, std::memory_order_release); }

bool CCommTask::IsBusy() const { return busy_.load(std::memory_order_acquire); }

void CCommTask::Setup(TransferReports* reports, const RadioImage& image) {
    if (!Claim()) return;
    reports_ = reports;
    image_ = image;
    cancel_.reset();
    Release();
}

void CCommTask::SetMode(TransferMode mode) {
    if (!Claim()) return;
    mode_ = mode;
    Release();
}

void CCommTask::SetPorts(PortMap ports) {
    if (!Claim()) return;
    port_.setPorts(ports);
    ports_ = std::move(ports);
    Release();
}

void CCommTask::SetOptions(const TransferOptions& options) {
    if (!Claim()) return;
    options_ = options;
    Release();
}

void CCommTask::SetLineTimeouts(const LineTimeouts& timeouts) {
    if (!Claim()) return;
    port_.setTimeouts(timeouts);
    engine_.setTimeouts(timeouts);
    Release();
}

void CCommTask::Run() {
    if (!Claim()) return;
    if (mode_ == TransferMode::Idle) {
        Release();
        return;
    }
    Execute();
}

bool CCommTask::Start() {
    if (IsCurrentThread(worker_)) return false;
    if (!Claim()) return false;
    if (mode_ == TransferMode::Idle) {
        Release();
        return false;
    }
    // The previous worker has finished its job; at most its last report is still running.
    if (worker_.joinable()) worker_.join();
    try {
        worker_ = std::thread([this] { Execute(); });
    } catch (const std::system_error&) {
        Release();
        return false;
    }
    return true;
}

void CCommTask::Wait() {
    if (worker_.joinable() && !IsCurrentThread(worker_)) worker_.join();
}

std::uint32_t CCommTask::ProbePorts() {
    if (!Claim()) return 0;
    std::uint32_t mask = 0xFFFFFFFFu;
    for (int port = kFirstPort; port <= kLastPort; ++port) {
        if (!port_.Open(ports_.device(port))) mask &= ~(1u << port);
        port_.CloseIfOpen();
    }
    Release();
    return mask;
}

std::vector<PortProblem> CCommTask::ProbeDetails() {
    std::vector<PortProblem> details;
    if (!Claim()) return details;
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
    Release();
    return details;
}

void CCommTask::Execute() {
    NoReports nobody;
    TransferReports& reports = reports_ ? *reports_ : nobody;
    engine_.startTransfer(TransferJob{mode_, image_, options_}, reports, port_.now());
    RunEngine(engine_, port_, &reports);
    reports.finished(engine_.outcome());

    port_.CloseIfOpen();
    mode_ = TransferMode::Idle;
    // Nothing of the job is touched after this, so the owner may set up the next one while
    // the last report is being delivered.
    Release();
    reports.progress(0);
}

}  // namespace radioprog
