// SPDX-License-Identifier: GPL-3.0-or-later
// The fault matrix in virtual time: every fault the simulated radio can show, at every block
// of a read and every unit of a write, with the radio's real timing and the program's real
// timeouts. Each transfer runs on a virtual line, so waiting costs nothing. Whatever happens:
// the result is the expected one, a failed read hands over nothing and leaves the radio as it
// was, a write that reports success left the radio holding the image, and the program never
// waits longer than its rules allow.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "link/transfer_engine.h"
#include "link_test_support.h"
#include "sim/virtual_line.h"
#include "support/same_image.h"

namespace radioprog {
namespace {

using sim::FaultKind;
using sim::FaultTarget;
using sim::TargetedFault;
using std::chrono::milliseconds;
using test::PatternImage;
using test::RecordingReports;

constexpr int kAlways = 1000;     // hits every request from the first one on
constexpr int kReadBlocks = 71;   // block reads of a whole read
constexpr int kWriteUnits = 280;  // units of a whole write
const TransferResult kReadDone = TransferResult::ReadDone;
const TransferResult kReadFailed = TransferResult::ReadFailed;
const TransferResult kWriteDone = TransferResult::WriteDone;
const TransferResult kWriteFailed = TransferResult::WriteFailed;
const FaultTarget kRead = FaultTarget::Read;
const FaultTarget kWrite = FaultTarget::Write;

TargetedFault At(FaultKind kind, FaultTarget target, int offset = 0, int times = 1) {
    return {kind, target, offset, times};
}

struct TransferRun {
    TransferOutcome outcome;
    std::vector<RadioImage> handedOver;
    RadioImage before, after;  // the radio's memory
    std::uint64_t unitsStored = 0;
    LineTime took{}, longestQuiet{};
};

TransferRun Transfer(TransferMode mode, const sim::SimFaults& faults, const RadioImage& file, bool verify = false) {
    sim::SimRadio radio;
    radio.loadImage(PatternImage(1));
    radio.setPaced(true);
    radio.setFaults(faults);
    sim::VirtualLine line(radio);
    TransferEngine engine;
    RecordingReports reports;
    TransferRun run;
    run.before = radio.image();
    TransferJob job{mode, file, {}};
    job.options.verify = verify;
    engine.startTransfer(job, reports, line.now());
    RunEngine(engine, line, &reports);
    run.outcome = engine.outcome();
    run.handedOver = reports.data;
    run.after = radio.image();
    run.unitsStored = radio.memoryVersion();
    run.took = line.now();
    run.longestQuiet = line.longestQuiet();
    return run;
}

// The bytes of the blocks a transfer moves (a write does not send the band limits, and
// sends only the first 32 data bytes of the VFO and second settings blocks).
bool SameMovedBytes(const RadioImage& a, const RadioImage& b, bool write) {
    for (const RecordInfo& record : BlockMap()) {
        if (record.block == BlockId::BandLimits) continue;
        std::size_t size = RecordDataSize(record.form);
        if (write && (record.block == BlockId::Vfo || record.block == BlockId::SecondSettings)) size = 32;
        if (!std::equal(a.recordData(record), a.recordData(record) + size, b.recordData(record))) return false;
    }
    return true;
}

// The longest the rules let the line stay quiet: a read's confirmation is awaited four times
// without asking again.
LineTime LongestQuietAllowed() {
    const LineTimeouts timeouts;
    return milliseconds(
        std::max(4 * ReplyWaitMs(timeouts, 1, ReplyWait::Answer), ReplyWaitMs(timeouts, 1, ReplyWait::Stored)));
}

// What a fault may add to a transfer: every attempt at one request given up after its
// longest wait, and a few such requests.
constexpr LineTime kFaultAllowance = std::chrono::seconds(40);

struct Row {
    std::string name;
    TransferMode mode;
    std::vector<TargetedFault> faults;  // `at` is added to the request number swept
    TransferResult expected;
    std::vector<int> delaysMs = {500};  // lateReplyMs: each is a sweep of its own
    bool bandReadOnly = false;          // a write's faults at its one read (the band limits)
    // At the last request the transfer may also succeed: at the last unit, the late ACK
    // answered a send that stored the unit and only its resend was refused; after the last
    // block, a second ACK comes when the read is over.
    bool lastMayPass = false;
    // With the check after the write: a unit the radio lost must show in what is read back.
    bool verify = false;
    // Faults that stay where they are while the others sweep.
    std::vector<TargetedFault> fixedFaults = {};
};

const std::vector<int> kLateDelays = {10, 100, 390, 1000, 1500, 2000};

// One reply lost or cut is asked for again; a reply that names the wrong block, or a
// refused or garbled confirmation, ends a read. A write sends a unit again until the radio
// acknowledges it alone, up to four times.
const std::vector<Row>& Rows() {
    static const std::vector<Row> rows = {
        {"ReadSilent", TransferMode::Read, {At(FaultKind::Silent, kRead)}, kReadFailed},
        {"ReadDrop", TransferMode::Read, {At(FaultKind::Drop, kRead)}, kReadDone},
        {"ReadDropThrice", TransferMode::Read, {At(FaultKind::Drop, kRead, 0, 3)}, kReadDone},
        {"ReadDropAlways", TransferMode::Read, {At(FaultKind::Drop, kRead, 0, kAlways)}, kReadFailed},
        {"ReadShort", TransferMode::Read, {At(FaultKind::Short, kRead)}, kReadDone},
        {"ReadShortAlways", TransferMode::Read, {At(FaultKind::Short, kRead, 0, kAlways)}, kReadFailed},
        {"ReadBadHeader", TransferMode::Read, {At(FaultKind::CorruptHeader, kRead)}, kReadFailed},
        // The radio's bytes come at its pace: a stray byte after a reply, or a second ACK,
        // comes after the program took the reply as whole, and is taken for the answer to
        // what it sends next. The read fails; it never hands over wrong data.
        {"ReadExtraByte", TransferMode::Read, {At(FaultKind::ExtraByte, kRead)}, kReadFailed},
        {"ReadExtraByteAlways", TransferMode::Read, {At(FaultKind::ExtraByte, kRead, 0, kAlways)}, kReadFailed},
        {"ReadTrickle", TransferMode::Read, {At(FaultKind::Trickle, kRead)}, kReadFailed},
        // Faults of the confirmation after a block.
        {"ReadLateAck", TransferMode::Read, {At(FaultKind::LateAck, kRead)}, kReadDone, kLateDelays},
        {"ReadDoubledAck", TransferMode::Read, {At(FaultKind::DoubledAck, kRead)}, kReadFailed, {500}, false, true},
        {"ReadNak", TransferMode::Read, {At(FaultKind::Nak, kRead)}, kReadFailed},
        {"ReadBadAck", TransferMode::Read, {At(FaultKind::BadAck, kRead)}, kReadFailed},

        {"WriteSilent", TransferMode::Write, {At(FaultKind::Silent, kWrite)}, kWriteFailed},
        {"WriteDrop", TransferMode::Write, {At(FaultKind::Drop, kWrite)}, kWriteDone},
        {"WriteDropAlways", TransferMode::Write, {At(FaultKind::Drop, kWrite, 0, kAlways)}, kWriteFailed},
        {"WriteShort", TransferMode::Write, {At(FaultKind::Short, kWrite)}, kWriteDone},
        {"WriteBadHeader", TransferMode::Write, {At(FaultKind::CorruptHeader, kWrite)}, kWriteDone},
        {"WriteExtraByte", TransferMode::Write, {At(FaultKind::ExtraByte, kWrite)}, kWriteDone},
        {"WriteLateAck", TransferMode::Write, {At(FaultKind::LateAck, kWrite)}, kWriteDone, kLateDelays},
        {"WriteDoubledAck", TransferMode::Write, {At(FaultKind::DoubledAck, kWrite)}, kWriteDone},
        // Each unit's second ACK is taken for the next unit's answer; the radio stored them all.
        {"WriteDoubledAckAlways", TransferMode::Write, {At(FaultKind::DoubledAck, kWrite, 0, kAlways)}, kWriteDone},
        {"WriteLateDoubledAck", TransferMode::Write, {At(FaultKind::LateDoubledAck, kWrite)}, kWriteDone, kLateDelays},
        {"WriteNak", TransferMode::Write, {At(FaultKind::Nak, kWrite)}, kWriteDone},
        {"WriteNakThrice", TransferMode::Write, {At(FaultKind::Nak, kWrite, 0, 3)}, kWriteDone},
        {"WriteNakFourTimes", TransferMode::Write, {At(FaultKind::Nak, kWrite, 0, 4)}, kWriteFailed},
        {"WriteBadAck", TransferMode::Write, {At(FaultKind::BadAck, kWrite)}, kWriteDone},
        {"WriteTrickle", TransferMode::Write, {At(FaultKind::Trickle, kWrite)}, kWriteDone},
        // A late ACK followed by a refusal: the case that once reported success with a unit
        // missing.
        {"WriteLateAckThenNak",
         TransferMode::Write,
         {At(FaultKind::LateAck, kWrite), At(FaultKind::Nak, kWrite, 2)},
         kWriteDone,
         kLateDelays},
        {"WriteLateAckThenNakAlways",
         TransferMode::Write,
         {At(FaultKind::LateAck, kWrite), At(FaultKind::Nak, kWrite, 1, kAlways)},
         kWriteFailed,
         {500},
         false,
         true},
        // A second ACK is taken for the next unit's answer, and that unit is refused: the
        // refusal comes after the program went on, so only the check after the write can
        // catch the missing unit. Whether the stray bytes it meets fail the write first depends on
        // where the unit lies: either result is right as long as a success shows what the radio
        // holds.
        {"WriteDoubledAckThenNak",
         TransferMode::Write,
         {At(FaultKind::DoubledAck, kWrite), At(FaultKind::Nak, kWrite, 1)},
         kWriteFailed,
         {500},
         false,
         false,
         true},
        {"WriteLateDoubledAckThenNak",
         TransferMode::Write,
         {At(FaultKind::LateDoubledAck, kWrite, -1), At(FaultKind::Nak, kWrite)},
         kWriteFailed,
         {10, 20, 100},
         false,
         false,
         true},
        // A stray ACK is in flight when the radio loses its answer to the next unit (and,
        // Silent, that unit with it): the stray must not stand for the lost answer. At the
        // last unit this once reported success with the unit missing.
        {"WriteStrayAckThenLostAnswer",
         TransferMode::Write,
         {At(FaultKind::DoubledAck, kWrite, -1), At(FaultKind::Drop, kWrite)},
         kWriteDone},
        {"WriteStrayAckThenSilent",
         TransferMode::Write,
         {At(FaultKind::DoubledAck, kWrite, -1), At(FaultKind::Silent, kWrite)},
         kWriteFailed},
        {"WriteLateStrayAckThenLostAnswer",
         TransferMode::Write,
         {At(FaultKind::LateDoubledAck, kWrite, -1), At(FaultKind::Drop, kWrite)},
         kWriteDone,
         {10, 20}},
        {"WriteLateStrayAckThenSilent",
         TransferMode::Write,
         {At(FaultKind::LateDoubledAck, kWrite, -1), At(FaultKind::Silent, kWrite)},
         kWriteFailed,
         {10, 20}},
        // Lost: the unit never reaches the radio whole, and the radio neither stores nor
        // answers it, then goes on answering.
        {"WriteStrayAckThenLostUnit",
         TransferMode::Write,
         {At(FaultKind::DoubledAck, kWrite, -1), At(FaultKind::Lost, kWrite)},
         kWriteDone},
        // A second ACK after the band-limit block is taken for the first unit's answer, and
        // every answer after it runs a unit behind; then the radio loses one.
        {"WriteAnswersBehindThenLostAnswer",
         TransferMode::Write,
         {At(FaultKind::Drop, kWrite)},
         kWriteDone,
         {500},
         false,
         false,
         false,
         {At(FaultKind::DoubledAck, kRead)}},
        {"WriteAnswersBehindThenLostUnit",
         TransferMode::Write,
         {At(FaultKind::Lost, kWrite)},
         kWriteDone,
         {500},
         false,
         false,
         false,
         {At(FaultKind::DoubledAck, kRead)}},
        {"WriteAnswersBehindThenSilent",
         TransferMode::Write,
         {At(FaultKind::Silent, kWrite)},
         kWriteFailed,
         {500},
         false,
         false,
         false,
         {At(FaultKind::DoubledAck, kRead)}},
        // The band-limit block is read once before a write; any fault there ends the write.
        {"WriteBandReadBadHeader",
         TransferMode::Write,
         {At(FaultKind::CorruptHeader, kRead)},
         kWriteFailed,
         {500},
         true},
        {"WriteBandReadDrop", TransferMode::Write, {At(FaultKind::Drop, kRead)}, kWriteFailed, {500}, true},
        {"WriteBandReadNak", TransferMode::Write, {At(FaultKind::Nak, kRead)}, kWriteFailed, {500}, true},
        {"WriteBandReadTrickle", TransferMode::Write, {At(FaultKind::Trickle, kRead)}, kWriteFailed, {500}, true},
    };
    return rows;
}

// How long the transfer takes with no fault, on the paced line.
LineTime FaultFreeTime(TransferMode mode, bool verify) { return Transfer(mode, {}, PatternImage(2), verify).took; }

class VirtualFaultMatrix : public ::testing::TestWithParam<Row> {};

TEST_P(VirtualFaultMatrix, EveryRequestGivesTheExpectedResultWithinItsBound) {
    const Row& row = GetParam();
    const bool read = row.mode == TransferMode::Read;
    const RadioImage file = PatternImage(2);
    const LineTime longestAllowed = FaultFreeTime(row.mode, row.verify) + kFaultAllowance;
    const int requests = row.bandReadOnly ? 1 : read ? kReadBlocks : kWriteUnits;
    for (int delayMs : row.delaysMs)
        for (int at = 0; at < requests; ++at) {
            SCOPED_TRACE(row.name + " at request " + std::to_string(at) + ", delay " + std::to_string(delayMs) + " ms");
            sim::SimFaults faults;
            for (TargetedFault fault : row.faults) {
                fault.at += at;
                faults.targeted.push_back(fault);
            }
            faults.targeted.insert(faults.targeted.end(), row.fixedFaults.begin(), row.fixedFaults.end());
            faults.lateReplyMs = delayMs;
            const TransferRun run = Transfer(row.mode, faults, file, row.verify);

            const bool mayPass = row.lastMayPass && at == requests - 1;
            if (row.verify) {
                EXPECT_TRUE(run.outcome.result == kWriteDone || run.outcome.result == kWriteFailed);
            } else if (!(mayPass && (run.outcome.result == kWriteDone || run.outcome.result == kReadDone))) {
                EXPECT_EQ(run.outcome.result, row.expected);
            }
            EXPECT_LE(run.longestQuiet, LongestQuietAllowed());
            EXPECT_LE(run.took, longestAllowed);
            if (read) {
                // A read changes nothing in the radio; it hands over the radio's memory or
                // nothing at all.
                EXPECT_EQ(run.unitsStored, 0u);
                EXPECT_SAME_IMAGE(run.after, run.before);
                ASSERT_EQ(run.handedOver.size(), run.outcome.result == kReadDone ? 1u : 0u);
                if (!run.handedOver.empty()) {
                    EXPECT_TRUE(SameMovedBytes(run.handedOver[0], run.before, false));
                }
            } else if (run.outcome.result == kWriteDone && !row.verify) {
                EXPECT_TRUE(SameMovedBytes(run.after, file, true)) << "a write reported success with units missing";
            } else if (run.outcome.result == kWriteDone) {
                // The read-back is what the radio holds: a lost unit shows as a difference.
                ASSERT_TRUE(run.outcome.readBack.has_value());
                EXPECT_TRUE(SameMovedBytes(*run.outcome.readBack, run.after, true));
            }
            if (HasFailure()) return;  // one request's report is enough to find the fault
        }
}

INSTANTIATE_TEST_SUITE_P(Faults, VirtualFaultMatrix, ::testing::ValuesIn(Rows()),
                         [](const ::testing::TestParamInfo<Row>& param) { return param.param.name; });

// Faults of the radio as a whole, before any block moves.
TEST(VirtualFaultMatrixRadio, AnotherModelOrARefusedModeEntryIsNoRadio) {
    sim::SimFaults otherModel;
    otherModel.wrongModel = true;
    sim::SimFaults unreadable;
    unreadable.unreadableModel = true;
    sim::SimFaults refusing;
    refusing.wrongModeReply = true;
    for (TransferMode mode : {TransferMode::Read, TransferMode::Write}) {
        const TransferRun other = Transfer(mode, otherModel, PatternImage(2));
        EXPECT_EQ(other.outcome.result, TransferResult::NoRadio);
        ASSERT_TRUE(other.outcome.otherModel.has_value());
        EXPECT_EQ(other.outcome.otherModel->model, "R3M72");
        EXPECT_SAME_IMAGE(other.after, other.before);

        // A name of non-printing bytes is no name: the radio answered, not as this one does.
        const TransferRun garbled = Transfer(mode, unreadable, PatternImage(2));
        EXPECT_EQ(garbled.outcome.result, TransferResult::NoRadio);
        ASSERT_TRUE(garbled.outcome.otherModel.has_value());
        EXPECT_EQ(garbled.outcome.otherModel->model, "");
        EXPECT_SAME_IMAGE(garbled.after, garbled.before);

        const TransferRun refused = Transfer(mode, refusing, PatternImage(2));
        EXPECT_EQ(refused.outcome.result, TransferResult::NoRadio);
        EXPECT_FALSE(refused.outcome.otherModel.has_value());
        EXPECT_SAME_IMAGE(refused.after, refused.before);
        EXPECT_TRUE(refused.handedOver.empty());
    }
}

}  // namespace
}  // namespace radioprog
