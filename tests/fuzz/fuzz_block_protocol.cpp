// SPDX-License-Identifier: GPL-3.0-or-later
// Whole reads and writes against the simulated radio on a virtual line, with the radio's
// faults chosen by the input: which kind, at which request, how many times, how late. The
// line's clock jumps to the next byte or deadline, so a transfer with timeouts costs no
// waiting. Invariants: the result is one a transfer of that kind can have; a read changes
// nothing in the radio and hands over the radio's memory or nothing; a write that reports
// success left the radio holding the file; the line is never quiet longer than the rules
// allow.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"
#include "link/transfer_engine.h"
#include "sim/virtual_line.h"

using namespace radioprog;

namespace {

constexpr int kFaultKinds = 12;
constexpr int kMaxTimes = 4;  // a fault hits at most this many requests in a row

class Reports : public TransferReports {
public:
    std::optional<RadioImage> data;
    void progress(int) override {}
    void dataReady(const RadioImage& image) override { data = image; }
    bool checkBandLimits(const RadioImage&) override { return true; }
    void finished(const TransferOutcome&) override {}
};

RadioImage Pattern(int seed) {
    RadioImage image;
    image.ApplyDefaults();
    for (const RecordInfo& record : BlockMap()) {
        if (record.block == BlockId::BandLimits) continue;
        std::uint8_t* data = image.recordData(record);
        for (std::size_t i = 0; i < RecordDataSize(record.form); ++i)
            data[i] = static_cast<std::uint8_t>((record.offset + i) * 7 + static_cast<std::size_t>(seed));
    }
    return image;
}

// The bytes of the blocks a transfer moves (a write sends only the first 32 data bytes of
// the VFO and second settings blocks, and never the band limits).
bool SameMovedBytes(const RadioImage& a, const RadioImage& b, bool write) {
    for (const RecordInfo& record : BlockMap()) {
        if (record.block == BlockId::BandLimits) continue;
        std::size_t size = RecordDataSize(record.form);
        if (write && (record.block == BlockId::Vfo || record.block == BlockId::SecondSettings)) size = 32;
        if (!std::equal(a.recordData(record), a.recordData(record) + size, b.recordData(record))) return false;
    }
    return true;
}

struct Result {
    TransferOutcome outcome;
    std::optional<RadioImage> handedOver, readBack;
    RadioImage before, after;
    std::uint64_t unitsStored = 0;
    LineTime took{}, longestQuiet{};
};

Result Transfer(TransferMode mode, bool verify, const sim::SimFaults& faults) {
    static const RadioImage inRadio = Pattern(1);
    static const RadioImage file = Pattern(2);
    sim::SimRadio radio;
    radio.loadImage(inRadio);
    radio.setPaced(true);
    radio.setFaults(faults);
    sim::VirtualLine line(radio);
    TransferEngine engine;
    Reports reports;
    TransferJob job{mode, file, {}};
    job.options.verify = verify;
    Result result;
    result.before = radio.image();
    engine.startTransfer(job, reports, line.now());
    RunEngine(engine, line, &reports);
    result.outcome = engine.outcome();
    result.handedOver = reports.data;
    result.readBack = result.outcome.readBack;
    result.after = radio.image();
    result.unitsStored = radio.memoryVersion();
    result.took = line.now();
    result.longestQuiet = line.longestQuiet();
    return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3 || size > 3 + 4 * 8) return 0;
    const std::uint8_t flags = data[0];
    const TransferMode mode = flags & 1 ? TransferMode::Write : TransferMode::Read;
    const bool verify = flags & 2;
    sim::SimFaults faults;
    faults.wrongModel = flags & 4;
    faults.wrongModeReply = flags & 8;
    // A garbled reply with a right header is what the proving reads are for.
    if (verify) faults.garbledReads = (flags >> 4) & 3;
    faults.refusedWrites = (flags >> 6) & 3;
    faults.lateReplyMs = 10 + 8 * data[1];
    faults.trickleMs = 50 + 2 * data[2];
    bool strayBytes = false;
    for (std::size_t i = 3; i + 4 <= size; i += 4) {
        sim::TargetedFault fault;
        fault.kind = static_cast<sim::FaultKind>(data[i] % kFaultKinds);
        fault.target = data[i + 1] & 1 ? sim::FaultTarget::Write : sim::FaultTarget::Read;
        fault.at = data[i + 2] + ((data[i + 1] >> 1) & 1) * 256;
        fault.times = 1 + data[i + 3] % kMaxTimes;
        faults.targeted.push_back(fault);
        strayBytes = strayBytes || fault.kind == sim::FaultKind::DoubledAck ||
                     fault.kind == sim::FaultKind::LateDoubledAck || fault.kind == sim::FaultKind::ExtraByte ||
                     fault.kind == sim::FaultKind::LateAck || fault.kind == sim::FaultKind::BadAck;
    }
    // Known fault: a stray acknowledgement taken for a unit's answer puts the answers a unit
    // behind; a unit the radio then refuses or never answers can go unnoticed. The check after
    // the write is what finds it, so with stray bytes the write runs with that check, and a
    // radio left without the file must show a difference there.
    const bool checkedByReadBack =
        mode == TransferMode::Write && strayBytes && (faults.refusedWrites > 0 || faults.targeted.size() > 1);

    const Result run = Transfer(mode, verify || checkedByReadBack, faults);
    const TransferResult result = run.outcome.result;
    if (mode == TransferMode::Read) {
        fuzz::Require(result == TransferResult::ReadDone || result == TransferResult::ReadFailed ||
                          result == TransferResult::NoRadio,
                      "a read ends as a read");
        fuzz::Require(run.unitsStored == 0 && run.after.bytes == run.before.bytes, "a read changes nothing");
        fuzz::Require(run.handedOver.has_value() == (result == TransferResult::ReadDone),
                      "a read hands over an image exactly when it succeeds");
        if (run.handedOver)
            fuzz::Require(SameMovedBytes(*run.handedOver, run.before, false), "a read hands over the radio's memory");
    } else {
        fuzz::Require(result == TransferResult::WriteDone || result == TransferResult::WriteFailed ||
                          result == TransferResult::NoRadio,
                      "a write ends as a write");
        if (result == TransferResult::WriteDone && checkedByReadBack)
            fuzz::Require(run.readBack && (SameMovedBytes(run.after, Pattern(2), true) ||
                                           !SameMovedBytes(*run.readBack, Pattern(2), true)),
                          "a radio that does not hold the file is found by the check after the write");
        else if (result == TransferResult::WriteDone)
            fuzz::Require(SameMovedBytes(run.after, Pattern(2), true),
                          "a write that succeeds left the file in the radio");
        if (result == TransferResult::NoRadio) fuzz::Require(run.unitsStored == 0, "no radio, nothing written");
    }
    const LineTimeouts timeouts;
    const LineTime quietAllowed = std::chrono::milliseconds(
        std::max(4 * ReplyWaitMs(timeouts, 1, ReplyWait::Answer), ReplyWaitMs(timeouts, 1, ReplyWait::Stored)));
    fuzz::Require(run.longestQuiet <= quietAllowed, "the line is never quiet longer than a wait allows");
    return 0;
}
