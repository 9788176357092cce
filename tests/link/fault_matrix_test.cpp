// SPDX-License-Identifier: GPL-3.0-or-later
// The fault matrix: a radio that misbehaves once or for good at sampled blocks of a read and
// units of a write, through the real serial code on a pseudo-terminal at the wire's pace.
// Whatever happens, the result is the expected one, a read hands over an image only when it
// equals the radio's memory, and a write that reports success left the radio holding the
// whole image.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "link/comm_task.h"
#include "link_test_support.h"

namespace radioprog {
namespace {

using sim::FaultKind;
using sim::FaultTarget;
using sim::TargetedFault;
using test::PatternImage;
using test::RecordingReports;
using test::RunningSim;

constexpr int kPersistent = 1000;  // hits every request from the first one on
constexpr int kReadBlocks = 71;    // block reads of a whole read
constexpr int kWriteUnits = 280;   // units of a whole write

struct FaultRow {
    TransferMode mode;
    std::vector<TargetedFault> faults;  // `at` is added to the sampled request number
    TransferResult expected;
    int lateMs = 450;  // past the short one-byte wait below, within four of them
    // At the last unit a write may also succeed: the late ACK answered a send that stored the
    // unit, and only its resend was refused. Which one the program sees first is timing.
    bool lastUnitMayPass = false;
    // The transfer may also succeed anywhere: a stray byte comes a moment after the reply, and
    // whether the program drops it before its next request or meets it as the next answer is
    // timing. A success must still have moved the right bytes.
    bool mayPass = false;
    // The transfer may also fail: a radio that doubles every answer leaves the program
    // telling each answer's unit by its time on the line, and a loaded machine that delays
    // the radio's second answers past the next send makes the program stop (and say so)
    // rather than guess. Failing is safe; a success must still have moved the right bytes.
    bool mayFail = false;
};

struct FaultCase {
    FaultRow row;
    int sample;  // the request number the faults are placed from
    std::string name;
};

void PrintTo(const FaultCase& c, std::ostream* out) { *out << c.name; }

TargetedFault At(FaultKind kind, FaultTarget target, int offset = 0, int times = 1) {
    return {kind, target, offset, times};
}

const TransferResult kReadDone = TransferResult::ReadDone;
const TransferResult kReadFailed = TransferResult::ReadFailed;
const TransferResult kWriteDone = TransferResult::WriteDone;
const TransferResult kWriteFailed = TransferResult::WriteFailed;
const FaultTarget kRead = FaultTarget::Read;
const FaultTarget kWrite = FaultTarget::Write;

// One reply lost or cut is asked for again; a reply that names the wrong block, or a
// refused or garbled confirmation, ends a read (nothing is handed over). A write sends a
// unit again until the radio acknowledges it alone, up to four times.
const std::vector<FaultRow>& Rows() {
    static const std::vector<FaultRow> rows = {
        {TransferMode::Read, {At(FaultKind::Silent, kRead)}, kReadFailed},
        {TransferMode::Read, {At(FaultKind::Drop, kRead)}, kReadDone},
        {TransferMode::Read, {At(FaultKind::Drop, kRead, 0, kPersistent)}, kReadFailed},
        {TransferMode::Read, {At(FaultKind::Short, kRead)}, kReadDone},
        {TransferMode::Read, {At(FaultKind::Short, kRead, 0, kPersistent)}, kReadFailed},
        {TransferMode::Read, {At(FaultKind::CorruptHeader, kRead)}, kReadFailed},
        // At the radio's pace a stray byte after a reply (or a second ACK) comes just after
        // the program took the reply as whole: taken for the answer to what it sends next, it
        // fails the read; dropped before the next request, it does not.
        {TransferMode::Read, {At(FaultKind::ExtraByte, kRead)}, kReadFailed, 450, false, true},
        {TransferMode::Read, {At(FaultKind::ExtraByte, kRead, 0, kPersistent)}, kReadFailed},
        {TransferMode::Read, {At(FaultKind::LateAck, kRead)}, kReadDone},
        {TransferMode::Read, {At(FaultKind::DoubledAck, kRead)}, kReadFailed, 450, false, true},
        {TransferMode::Read, {At(FaultKind::Nak, kRead)}, kReadFailed},
        {TransferMode::Read, {At(FaultKind::BadAck, kRead)}, kReadFailed},

        {TransferMode::Write, {At(FaultKind::Silent, kWrite)}, kWriteFailed},
        {TransferMode::Write, {At(FaultKind::Drop, kWrite)}, kWriteDone},
        {TransferMode::Write, {At(FaultKind::Drop, kWrite, 0, kPersistent)}, kWriteFailed},
        {TransferMode::Write, {At(FaultKind::Short, kWrite)}, kWriteDone},
        {TransferMode::Write, {At(FaultKind::CorruptHeader, kWrite)}, kWriteDone},
        {TransferMode::Write, {At(FaultKind::ExtraByte, kWrite)}, kWriteDone},
        {TransferMode::Write, {At(FaultKind::LateAck, kWrite)}, kWriteDone},
        {TransferMode::Write, {At(FaultKind::DoubledAck, kWrite)}, kWriteDone},
        // Each unit's second ACK is taken for the next unit's answer; the radio stored them all.
        {TransferMode::Write, {At(FaultKind::DoubledAck, kWrite, 0, kPersistent)}, kWriteDone, 450, false, false, true},
        {TransferMode::Write, {At(FaultKind::Nak, kWrite)}, kWriteDone},
        {TransferMode::Write, {At(FaultKind::Nak, kWrite, 0, 3)}, kWriteDone},
        {TransferMode::Write, {At(FaultKind::Nak, kWrite, 0, 4)}, kWriteFailed},
        {TransferMode::Write, {At(FaultKind::BadAck, kWrite)}, kWriteDone},
        // A late ACK followed by a refusal: the case that reported success with a unit missing.
        {TransferMode::Write, {At(FaultKind::LateAck, kWrite), At(FaultKind::Nak, kWrite, 2)}, kWriteDone},
        {TransferMode::Write,
         {At(FaultKind::LateAck, kWrite), At(FaultKind::Nak, kWrite, 1, kPersistent)},
         kWriteFailed,
         450,
         true},
        {TransferMode::Write, {At(FaultKind::DoubledAck, kWrite), At(FaultKind::Nak, kWrite, 1)}, kWriteDone},
        // A second ACK shortly after the first is taken for the next unit's answer, and that
        // unit is refused: at the last unit only the check after the write can catch it.
        {TransferMode::Write, {At(FaultKind::LateDoubledAck, kWrite, -1), At(FaultKind::Nak, kWrite)}, kWriteDone, 20},
        // A stray ACK is in flight when the radio loses its answer to the next unit, or that
        // unit with it: at the last unit this once reported success with the unit missing.
        {TransferMode::Write, {At(FaultKind::DoubledAck, kWrite, -1), At(FaultKind::Drop, kWrite)}, kWriteDone},
        {TransferMode::Write, {At(FaultKind::DoubledAck, kWrite, -1), At(FaultKind::Silent, kWrite)}, kWriteFailed},
        // The band-limit block is read once before a write; a bad reply ends the write.
        {TransferMode::Write, {At(FaultKind::CorruptHeader, kRead)}, kWriteFailed},
    };
    return rows;
}

std::vector<FaultCase> Cases() {
    std::vector<FaultCase> cases;
    int r = 0;
    for (const FaultRow& row : Rows()) {
        bool read = row.mode == TransferMode::Read;
        bool bandRead = !read && row.faults[0].target == kRead;
        std::vector<int> samples = bandRead ? std::vector<int>{0}
                                   : read   ? std::vector<int>{0, 35, kReadBlocks - 1}
                                            : std::vector<int>{0, 137, kWriteUnits - 1};
        for (int sample : samples) {
            std::string name = std::string(read ? "Read" : "Write") + std::to_string(r);
            for (const TargetedFault& fault : row.faults) {
                name += "_";
                for (const char* c = sim::FaultKindName(fault.kind); *c; ++c) name += *c == '-' ? '_' : *c;
                if (fault.times > 1)
                    name += fault.times >= kPersistent ? "_always" : "_x" + std::to_string(fault.times);
            }
            cases.push_back({row, sample, name + "_at" + std::to_string(sample)});
        }
        ++r;
    }
    return cases;
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

class FaultMatrix : public ::testing::TestWithParam<FaultCase> {};

TEST_P(FaultMatrix, ResultIsTheExpectedOneAndNoSuccessHidesAFault) {
    const FaultCase& c = GetParam();
    sim::SimFaults faults;
    for (TargetedFault fault : c.row.faults) {
        fault.at += c.sample;
        faults.targeted.push_back(fault);
    }
    faults.lateReplyMs = c.row.lateMs;
    // At the wire's pace: a real radio cannot answer before a unit has crossed the wire, and
    // the program tells stray answers from real ones by that.
    RunningSim radio(faults, RunningSim::Pace::Wire);
    const RadioImage inRadio = PatternImage(1);
    radio.loadImage(inRadio);
    const RadioImage toWrite = PatternImage(2);

    CCommTask task{PortMap({radio.devicePath()})};
    task.setLineTimeouts(test::FastTimeouts());
    RecordingReports reports;
    task.Setup(&reports, c.row.mode == TransferMode::Read ? PatternImage(3) : toWrite);
    task.SetMode(c.row.mode);
    task.Run();

    ASSERT_EQ(reports.outcomes.size(), 1u);
    const TransferResult result = reports.outcomes[0].result;
    const bool passed = result == kWriteDone || result == kReadDone;
    if (passed && (c.row.mayPass || (c.row.lastUnitMayPass && c.sample == kWriteUnits - 1))) {
        // Checked below: the radio holds the whole image.
    } else if (!passed && c.row.mayFail) {
        EXPECT_EQ(result, c.row.mode == TransferMode::Read ? kReadFailed : kWriteFailed);
    } else {
        EXPECT_EQ(reports.outcomes[0].result, c.row.expected);
    }
    if (c.row.mode == TransferMode::Read) {
        // A failed read hands over nothing; a read that succeeds hands over the radio's memory.
        ASSERT_EQ(reports.data.size(), result == kReadDone ? 1u : 0u);
        if (!reports.data.empty()) {
            EXPECT_TRUE(SameMovedBytes(reports.data[0], inRadio, false));
        }
    } else if (result == kWriteDone) {
        std::string writes;  // the write requests the radio saw, to show which unit went missing
        for (const auto& event : radio.eventsOf(sim::SimEvent::Kind::Write)) {
            if (writes.size() > 200) break;
            writes += " " + std::to_string(event.address);
        }
        EXPECT_TRUE(SameMovedBytes(radio.image(), toWrite, true))
            << "a write reported success with units missing; first writes:" << writes;
    }
}

INSTANTIATE_TEST_SUITE_P(Faults, FaultMatrix, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<FaultCase>& param) { return param.param.name; });

// An image whose address bytes point elsewhere: the transfer goes where the bytes say (what
// --keep-addresses asks for), so the record is found before any write: a checked image
// names exactly the moved record, and a repaired one lands where the layout says.
// Writes the image into the simulated radio with the real serial code; the transfer's result.
TransferResult WriteImage(RunningSim& radio, const RadioImage& image) {
    CCommTask task{PortMap({radio.devicePath()})};
    task.setLineTimeouts(test::FastTimeouts());
    RecordingReports reports;
    task.Setup(&reports, image);
    task.SetMode(TransferMode::Write);
    task.Run();
    return reports.outcomes.size() == 1 ? reports.outcomes[0].result : TransferResult::NoRadio;
}

TEST(FaultMatrixImages, AddressBytesThatPointElsewhereAreFoundAndRepaired) {
    RadioImage moved = PatternImage(2);
    const RecordInfo& channels20to23 = BlockMap()[5];
    moved.bytes[channels20to23.offset + 1] = 0x00;  // 0x0140 -> 0x0100, the record of channels 16-19
    ASSERT_EQ(MisaddressedRecords(moved).size(), 1u);
    EXPECT_EQ(MisaddressedRecords(moved)[0].offset, channels20to23.offset);

    for (bool repaired : {false, true}) {
        SCOPED_TRACE(repaired ? "repaired" : "as the bytes say");
        RunningSim radio;
        radio.loadImage(PatternImage(1));
        RadioImage image = moved;
        if (repaired) RepairRecordAddresses(image);
        EXPECT_EQ(MisaddressedRecords(image).empty(), repaired);
        ASSERT_EQ(WriteImage(radio, image), kWriteDone);
        const RadioImage inRadio = radio.image();
        const bool at20 = std::equal(inRadio.channel(20), inRadio.channel(20) + 64, moved.channel(20));
        const bool at16 = std::equal(inRadio.channel(16), inRadio.channel(16) + 64, moved.channel(20));
        EXPECT_EQ(at20, repaired);
        EXPECT_EQ(at16, !repaired);
    }
}

// The engine itself never sends a unit that would land over the band limits or outside the
// memory map, whichever front end asked: the write fails before the first unit.
TEST(FaultMatrixImages, AUnitBoundForTheBandLimitsIsNeverSent) {
    RadioImage image = PatternImage(2);
    const RecordInfo& channels12to15 = BlockMap()[3];
    image.bytes[channels12to15.offset] = 0x0F;
    image.bytes[channels12to15.offset + 1] = 0xD0;
    ASSERT_EQ(UnsafeRecords(image).size(), 1u);
    RunningSim radio;
    radio.loadImage(PatternImage(1));
    const RadioImage before = radio.image();
    EXPECT_EQ(WriteImage(radio, image), kWriteFailed);
    EXPECT_EQ(radio.image(), before);
}

}  // namespace
}  // namespace radioprog
