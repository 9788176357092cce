// SPDX-License-Identifier: GPL-3.0-or-later
// How a transfer ends when the radio falls silent or the user stops it, through the real
// serial code against the simulated radio, with the real timeouts.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "link/comm_task.h"
#include "link_test_support.h"
#include "support/wait_until.h"

namespace radioprog {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using Kind = sim::SimEvent::Kind;
using test::PatternImage;
using test::RecordingReports;
using test::RunningSim;

sim::SimFaults SilentAfter(int blocks) {
    sim::SimFaults faults;
    faults.silentAfterBlocks = blocks;
    return faults;
}

// The events of kind at the address of the last one (the request the radio left unanswered).
std::vector<sim::SimEvent> RepeatsOfLast(const RunningSim& sim, Kind kind) {
    std::vector<sim::SimEvent> events = sim.eventsOf(kind);
    std::vector<sim::SimEvent> repeats;
    if (events.empty()) return repeats;
    for (const sim::SimEvent& event : events)
        if (event.address == events.back().address) repeats.push_back(event);
    return repeats;
}

// Waits until the simulator has seen at least count requests of kind.
bool WaitForRequests(const RunningSim& sim, Kind kind, std::size_t count) {
    return test::WaitUntil([&] { return sim.count(kind) >= count; });
}

TEST(SilentRadio, ReadFailsTheBlockAfterItsFourRequestsWithinSeconds) {
    RunningSim sim(SilentAfter(5));
    CCommTask task(PortMap({sim.devicePath()}));
    RecordingReports reports;
    task.Setup(&reports, PatternImage(1));
    task.SetMode(TransferMode::Read);
    const auto start = Clock::now();
    task.Run();
    const auto took = Clock::now() - start;

    ASSERT_EQ(reports.outcomes.size(), 1u);
    EXPECT_EQ(reports.outcomes[0].result, TransferResult::ReadFailed);
    EXPECT_FALSE(reports.outcomes[0].cancelled);
    EXPECT_TRUE(reports.data.empty());
    const auto requests = RepeatsOfLast(sim, Kind::Read);
    ASSERT_EQ(requests.size(), 4u) << "the retry count stays";
    EXPECT_EQ(requests[0].address, 0x0140) << "block 5: channel memory record 5";
    EXPECT_LT(took, 15s) << "was about 4 x 69 s";
}

TEST(SilentRadio, WriteStillSendsTheUnitFourTimesAboutTwoSecondsApart) {
    RunningSim sim(SilentAfter(10));  // the band-limit block and 9 units are answered
    CCommTask task(PortMap({sim.devicePath()}));
    RecordingReports reports;
    task.Setup(&reports, PatternImage(2));
    task.SetMode(TransferMode::Write);
    task.Run();

    ASSERT_EQ(reports.outcomes.size(), 1u);
    EXPECT_EQ(reports.outcomes[0].result, TransferResult::WriteFailed);
    EXPECT_EQ(reports.outcomes[0].unitsWritten, 9);
    const auto sends = RepeatsOfLast(sim, Kind::Write);
    ASSERT_EQ(sends.size(), 4u);
    for (std::size_t i = 1; i < sends.size(); ++i) {
        auto gap = sends[i].at - sends[i - 1].at;
        EXPECT_GE(gap, 1900ms) << "send " << i;
        EXPECT_LT(gap, 3000ms) << "send " << i;
    }
}

// The user stops a read or write while the job waits for a silent radio, or while a paced
// radio answers every block: the job ends within half a second, says cancelled, and a read
// hands over nothing.
TEST(CancelTransfer, EndsTheJobWithinHalfASecond) {
    struct Case {
        const char* name;
        TransferMode mode;
        sim::SimFaults faults;
        bool paced;
        std::size_t requestsBeforeCancel;
    };
    const Case cases[] = {
        {"read, waiting for a silent radio", TransferMode::Read, SilentAfter(20), false, 21},
        {"write, waiting for a silent radio", TransferMode::Write, SilentAfter(20), false, 20},
        {"read, radio answering", TransferMode::Read, {}, true, 10},
        {"write, radio answering", TransferMode::Write, {}, true, 20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RunningSim sim(c.faults);
        sim.setPaced(c.paced);
        CCommTask task(PortMap({sim.devicePath()}));
        RecordingReports reports;
        task.Setup(&reports, PatternImage(3));
        task.SetMode(c.mode);
        ASSERT_TRUE(task.start());
        const Kind kind = c.mode == TransferMode::Read ? Kind::Read : Kind::Write;
        ASSERT_TRUE(WaitForRequests(sim, kind, c.requestsBeforeCancel));
        // The cancel comes in the middle of a wait for the radio: the delay is the case under test.
        std::this_thread::sleep_for(150ms);
        const auto start = Clock::now();
        task.cancel();
        task.wait();
        EXPECT_LT(Clock::now() - start, 500ms);

        ASSERT_EQ(reports.outcomes.size(), 1u);
        const TransferOutcome& outcome = reports.outcomes[0];
        EXPECT_TRUE(outcome.cancelled);
        EXPECT_EQ(outcome.result,
                  c.mode == TransferMode::Read ? TransferResult::ReadFailed : TransferResult::WriteFailed);
        EXPECT_TRUE(reports.data.empty());
        if (c.mode == TransferMode::Write) {
            EXPECT_GT(outcome.unitsWritten, 0);
        }
        EXPECT_EQ(reports.log.back(), "progress 0");
        const std::size_t requests = sim.count(kind);
        // Nothing can be awaited here: the test watches the line for a while and sees it stay quiet.
        std::this_thread::sleep_for(100ms);
        EXPECT_EQ(sim.count(kind), requests) << "nothing is sent after the end";
    }
}

TEST(CancelTransfer, ARequestBeforeSetupIsForgotten) {
    RunningSim sim;
    CCommTask task(PortMap({sim.devicePath()}));
    task.cancel();
    RecordingReports reports;
    task.Setup(&reports, PatternImage(4));
    task.SetMode(TransferMode::Read);
    task.Run();
    ASSERT_EQ(reports.outcomes.size(), 1u);
    EXPECT_EQ(reports.outcomes[0].result, TransferResult::ReadDone);
    EXPECT_FALSE(reports.outcomes[0].cancelled);
}

TEST(NoRadio, NamesEveryPortTriedAndWhyItDidNotOpen) {
    sim::SimFaults silent;
    silent.silent = true;
    RunningSim sim(silent);
    CCommTask task(PortMap({"", sim.devicePath(), "/nonexistent/tty"}));
    task.setLineTimeouts(test::FastTimeouts());
    RecordingReports reports;
    RadioImage image = PatternImage(5);
    image.setPort(3);
    task.Setup(&reports, image);
    task.SetMode(TransferMode::Read);
    task.Run();
    ASSERT_EQ(reports.outcomes.size(), 1u);
    const TransferOutcome& outcome = reports.outcomes[0];
    EXPECT_EQ(outcome.result, TransferResult::NoRadio);
    ASSERT_EQ(outcome.portsTried.size(), 2u) << "COM1 does not exist";
    EXPECT_EQ(outcome.portsTried[0].port, 3);
    EXPECT_EQ(outcome.portsTried[0].device, "/nonexistent/tty");
    EXPECT_NE(outcome.portsTried[0].reason, "");
    EXPECT_EQ(outcome.portsTried[1].port, 2);
    EXPECT_EQ(outcome.portsTried[1].reason, "") << "opened, no answer";
}

}  // namespace
}  // namespace radioprog
