// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/comm_task.h"

#include <system_error>

#include "link/proven_transfer.h"

namespace radioprog {

namespace {

constexpr int kConfiguredPortRetries = 3;
constexpr int kOtherPortRetries = 1;
constexpr int kProgressAllMoved = 100;

// Receives the reports of a job that was set up without a receiver.
class NoReports : public TransferReports {
public:
    void progress(int) override {}
    void dataReady(const RadioImage&) override {}
    bool checkBandLimits(const RadioImage&) override { return false; }
    void finished(const TransferOutcome&) override {}
};

bool IsCurrentThread(const std::thread& thread) { return thread.get_id() == std::this_thread::get_id(); }

const RecordInfo& NthRecord(BlockId block, int index) {
    const auto& map = BlockMap();
    return block == BlockId::ChannelMemory  ? map[static_cast<std::size_t>(index)]
           : block == BlockId::ChannelNames ? map[32 + static_cast<std::size_t>(index)]
                                            : SingleRecord(block);
}

}  // namespace

std::vector<ScanStep> PortScanOrder(std::int32_t configuredPort) {
    std::vector<ScanStep> order;
    bool configured = configuredPort >= kFirstPort && configuredPort <= kLastPort;
    if (configured) order.push_back({configuredPort, kConfiguredPortRetries});
    for (int port = kFirstPort; port <= kLastPort; ++port)
        if (!configured || port != configuredPort) order.push_back({port, kOtherPortRetries});
    return order;
}

CCommTask::CCommTask(PortMap ports) : ports_(std::move(ports)) {
    port_.SetCancel(&cancel_);
    SetTrace(TransferTrace::FromEnvironment());
}

void CCommTask::SetTrace(std::shared_ptr<TransferTrace> trace) {
    if (!Claim()) return;
    trace_ = std::move(trace);
    port_.SetTrace(trace_);
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
    cancel_.Reset();
    Release();
}

void CCommTask::SetMode(TransferMode mode) {
    if (!Claim()) return;
    mode_ = mode;
    Release();
}

void CCommTask::SetPorts(PortMap ports) {
    if (!Claim()) return;
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
    port_.SetTimeouts(timeouts);
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

void CCommTask::ReportProgress(TransferReports& reports, int value) { reports.progress(value); }

void CCommTask::Step(TransferReports& reports) {
    ++progress_;
    ReportProgress(reports, progress_);
}

void CCommTask::Execute() {
    NoReports nobody;
    TransferReports& reports = reports_ ? *reports_ : nobody;
    const TransferMode mode = mode_;
    progress_ = 0;
    unitsWritten_ = 0;
    failedAddress_.reset();
    failedSize_ = 0;
    unproven_ = false;
    ReportProgress(reports, 1);

    TransferOutcome outcome;
    if (ScanPorts(reports, outcome)) {
        if (mode == TransferMode::Read) {
            if (ReadSequence(reports)) {
                reports.dataReady(image_);
                outcome.result = TransferResult::ReadDone;
            } else {
                outcome.result = TransferResult::ReadFailed;
            }
        } else {
            outcome.result = WriteSequence(reports) ? TransferResult::WriteDone : TransferResult::WriteFailed;
            if (outcome.result == TransferResult::WriteDone && options_.verify) {
                RadioImage readBack = image_;
                if (ReadBackWritten(port_, readBack, failedAddress_)) {
                    outcome.readBack = readBack;
                } else {
                    outcome.result = TransferResult::WriteFailed;
                    failedSize_ = wire::kBlockSize;
                }
            }
        }
        if (outcome.result == TransferResult::ReadFailed || outcome.result == TransferResult::WriteFailed) {
            outcome.failedAddress = failedAddress_;
            outcome.failedSize = failedSize_;
            outcome.unproven = unproven_;
        }
    } else {
        outcome.result = TransferResult::NoRadio;
    }
    // A job that failed after a cancel request failed because of it; a cancel that came
    // after the last block changes nothing.
    if (cancel_.requested() && outcome.result != TransferResult::ReadDone &&
        outcome.result != TransferResult::WriteDone) {
        outcome.cancelled = true;
        if (trace_) trace_->Note("cancelled");
        outcome.result = mode == TransferMode::Read ? TransferResult::ReadFailed : TransferResult::WriteFailed;
        outcome.portsTried.clear();
        outcome.permissionProblem.reset();
        outcome.busyProblem.reset();
    }
    outcome.unitsWritten = unitsWritten_;
    reports.finished(outcome);

    port_.CloseIfOpen();
    mode_ = TransferMode::Idle;
    // Nothing of the job is touched after this, so the owner may set up the next one while
    // the last report is being delivered.
    Release();
    ReportProgress(reports, 0);
}

bool CCommTask::ScanPorts(TransferReports& reports, TransferOutcome& outcome) {
    std::optional<PortProblem> refused, busy;
    const std::vector<ScanStep> order = options_.onlyPort
                                            ? std::vector<ScanStep>{{*options_.onlyPort, kConfiguredPortRetries}}
                                            : PortScanOrder(image_.port());
    for (const ScanStep& step : order) {
        if (cancel_.requested()) break;
        std::string device = ports_.device(step.port);
        if (trace_) trace_->Note(PortMap::Name(step.port) + (device.empty() ? " does not exist" : " is " + device));
        if (!port_.Open(device)) {
            const OpenError& error = port_.lastOpenError();
            if (error.permissionDenied() && !refused) refused = PortProblem{step.port, device, error.text, true};
            if (error.busy() && !busy) busy = PortProblem{step.port, device, error.text, false, true};
            if (!device.empty())
                outcome.portsTried.push_back({step.port, device, error.text, error.permissionDenied(), error.busy()});
            continue;
        }
        outcome.portsTried.push_back({step.port, device, {}, false, false});
        if (port_.EnterProgramMode(step.retries)) {
            if (!port_.Identify()) break;
            image_.setPort(step.port);
            outcome.foundPort = step.port;
            outcome.portsTried.clear();
            return true;
        }
        Step(reports);
        port_.Close();
    }
    outcome.permissionProblem = refused;
    outcome.busyProblem = busy;
    return false;
}

bool CCommTask::ReadPiece(const RecordInfo& record, int k) {
    auto lo = static_cast<std::uint8_t>(image_.addressLow(record) + wire::kBlockSize * static_cast<unsigned>(k));
    const std::uint8_t hi = image_.addressHigh(record);
    std::uint8_t* destination = image_.recordData(record) + wire::kBlockSize * static_cast<std::size_t>(k);
    bool read = true;
    if (options_.verify) {
        ProvenRead proven = ReadBlockProven(port_, hi, lo, destination);
        unproven_ = proven == ProvenRead::Unproven;
        read = proven == ProvenRead::Agreed;
    } else {
        read = port_.ReadBlock(hi, lo, destination);
    }
    if (!read) {
        failedAddress_ = static_cast<std::uint16_t>(hi << 8 | lo);
        failedSize_ = wire::kBlockSize;
    }
    return read;
}

bool CCommTask::WriteRecord(const RecordInfo& record, int units) {
    const std::uint8_t* data = image_.recordData(record);
    for (int k = 0; k < units; ++k) {
        auto lo = static_cast<std::uint8_t>(image_.addressLow(record) + wire::kUnitSize * static_cast<unsigned>(k));
        if (!port_.WriteBlock(image_.addressHigh(record), lo, data + wire::kUnitSize * static_cast<std::size_t>(k))) {
            failedAddress_ = static_cast<std::uint16_t>(image_.addressHigh(record) << 8 | lo);
            failedSize_ = wire::kUnitSize;
            return false;
        }
        ++unitsWritten_;
    }
    return true;
}

bool CCommTask::ReadSequence(TransferReports& reports) {
    Step(reports);
    for (BlockId block : {BlockId::ChannelMemory, BlockId::ChannelNames})
        for (int i = 0; i < 32; ++i) {
            if (!ReadPiece(NthRecord(block, i), 0)) return false;
            Step(reports);
        }
    for (int k = 0; k < 4; ++k) {
        if (!ReadPiece(SingleRecord(BlockId::DtmfCodes), k)) return false;
        Step(reports);
    }
    for (BlockId block : {BlockId::Vfo, BlockId::Settings}) {
        if (!ReadPiece(SingleRecord(block), 0)) return false;
        Step(reports);
    }
    if (!ReadPiece(SingleRecord(BlockId::SecondSettings), 0)) return false;
    progress_ = kProgressAllMoved;
    ReportProgress(reports, progress_);
    return true;
}

bool CCommTask::WriteSequence(TransferReports& reports) {
    Step(reports);
    // The radio's band limits come first, so the check sees what this radio accepts.
    const RecordInfo& limits = SingleRecord(BlockId::BandLimits);
    if (!port_.ReadBlockDescrambled(image_.addressHigh(limits), image_.addressLow(limits), image_.recordData(limits))) {
        failedAddress_ = kBandLimitAddress;
        failedSize_ = wire::kBlockSize;
        return false;
    }
    if (!reports.checkBandLimits(image_)) return false;

    for (int i = 0; i < 32; ++i) {
        Step(reports);
        if (!WriteRecord(NthRecord(BlockId::ChannelMemory, i), 4)) return false;
    }
    Step(reports);
    for (int i = 0; i < 32; ++i) {
        if (!WriteRecord(NthRecord(BlockId::ChannelNames, i), 4)) return false;
        Step(reports);
    }
    if (!WriteRecord(SingleRecord(BlockId::DtmfCodes), 16)) return false;
    Step(reports);
    // Only the first 32 data bytes of the VFO and second settings blocks are written.
    if (!WriteRecord(SingleRecord(BlockId::Vfo), 2)) return false;
    Step(reports);
    if (!WriteRecord(SingleRecord(BlockId::Settings), 4)) return false;
    Step(reports);
    if (!WriteRecord(SingleRecord(BlockId::SecondSettings), 2) || !port_.ConfirmWrites()) return false;
    progress_ = kProgressAllMoved;
    ReportProgress(reports, progress_);
    return true;
}

}  // namespace radioprog
