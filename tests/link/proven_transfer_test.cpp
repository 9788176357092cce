// SPDX-License-Identifier: GPL-3.0-or-later
// Verified reads and read-back after a write, against the simulated radio through the real
// serial code: a byte garbled on the line is outvoted, a block that never reads the same
// twice fails the read and is named.
#include <gtest/gtest.h>

#include "link/comm_task.h"
#include "link/proven_transfer.h"
#include "link_test_support.h"
#include "radio/new_image.h"

namespace radioprog {
namespace {

using test::PatternImage;
using test::RecordingReports;
using test::RunningSim;
using Kind = sim::SimEvent::Kind;

struct ReadRun {
    TransferOutcome outcome;
    std::optional<RadioImage> image;
    std::size_t requests;
};

ReadRun Read(const sim::SimFaults& faults, bool verify) {
    RunningSim radio(faults);
    radio.loadImage(PatternImage(5));
    CCommTask task(PortMap({radio.devicePath()}));
    task.setOptions({1, verify});
    RecordingReports reports;
    RadioImage start;
    WriteNewImage(start);
    task.Setup(&reports, start);
    task.SetMode(TransferMode::Read);
    task.Run();
    ReadRun run{reports.outcomes.at(0), std::nullopt, radio.count(Kind::Read)};
    if (!reports.data.empty()) run.image = reports.data[0];
    return run;
}

// Data bytes of every block the read brings in, compared with what the radio holds.
bool SameData(const RadioImage& a, const RadioImage& b) {
    for (const RecordInfo& record : BlockMap())
        if (record.block != BlockId::BandLimits &&
            !std::equal(a.recordData(record), a.recordData(record) + RecordDataSize(record.form), b.recordData(record)))
            return false;
    return true;
}

TEST(ProvenRead, ReadsEveryBlockTwiceAndOutvotesAGarbledByte) {
    ReadRun sound = Read({}, true);
    ASSERT_EQ(sound.outcome.result, TransferResult::ReadDone);
    EXPECT_EQ(sound.requests, 2u * 71u);
    EXPECT_TRUE(SameData(*sound.image, PatternImage(5)));

    sim::SimFaults garbled;
    garbled.garbledReads = 1;  // the first reply of the first block has a wrong byte
    ReadRun plain = Read(garbled, false);
    ASSERT_EQ(plain.outcome.result, TransferResult::ReadDone);
    EXPECT_FALSE(SameData(*plain.image, PatternImage(5)));  // what an unproven read keeps

    ReadRun proven = Read(garbled, true);
    ASSERT_EQ(proven.outcome.result, TransferResult::ReadDone);
    EXPECT_TRUE(SameData(*proven.image, PatternImage(5)));
    EXPECT_EQ(proven.requests, 2u * 71u + 1u);  // one third reading
}

TEST(ProvenRead, ABlockWithNoTwoReadingsAlikeFailsTheReadAndIsNamed) {
    sim::SimFaults garbled;
    garbled.garbledReads = 1000;  // every reply garbled, each at another byte
    ReadRun run = Read(garbled, true);
    EXPECT_EQ(run.outcome.result, TransferResult::ReadFailed);
    EXPECT_TRUE(run.outcome.unproven);
    EXPECT_EQ(run.outcome.failedAddress, 0x0000);
    EXPECT_EQ(run.outcome.failedSize, 64u);
    EXPECT_FALSE(run.image.has_value());
    EXPECT_EQ(run.requests, 3u);
}

TEST(ProvenRead, OnlyPortSkipsTheScan) {
    RunningSim radio;
    // COM1 does not exist; the radio is COM2 and the only port tried.
    CCommTask task(PortMap({"", radio.devicePath()}));
    task.setOptions({2, false});
    RecordingReports reports;
    RadioImage start;
    WriteNewImage(start);
    start.setPort(5);
    task.Setup(&reports, start);
    task.SetMode(TransferMode::Read);
    task.Run();
    ASSERT_EQ(reports.outcomes.at(0).result, TransferResult::ReadDone);
    EXPECT_EQ(reports.outcomes.at(0).foundPort, 2);
    EXPECT_EQ(radio.count(Kind::ModeEntry), 1u);
}

TEST(ProvenRead, AFailedWriteNamesItsUnit) {
    sim::SimFaults faults;
    faults.silentAfterBlocks = 1 + 40 * 1;  // band limits, then the units of channel 0 ... 39
    RunningSim radio(faults);
    CCommTask task(PortMap({radio.devicePath()}));
    task.setLineTimeouts(test::FastTimeouts());
    RecordingReports reports;
    task.Setup(&reports, PatternImage(1));
    task.SetMode(TransferMode::Write);
    task.Run();
    const TransferOutcome& outcome = reports.outcomes.at(0);
    EXPECT_EQ(outcome.result, TransferResult::WriteFailed);
    EXPECT_EQ(outcome.failedAddress, 40 * 16);
    EXPECT_EQ(outcome.failedSize, 16u);
}

}  // namespace
}  // namespace radioprog
