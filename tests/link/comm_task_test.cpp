// SPDX-License-Identifier: GPL-3.0-or-later
// Whole transfers against the simulated radio, through the real serial code: every block and
// unit in order with the right bytes, the reports in order, the port scan, and the failures.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <memory>
#include <mutex>

#include "link/comm_task.h"
#include "link_test_support.h"
#include "radio/new_image.h"
#include "shell/transfer_messages.h"
#include "support/temp_dir.h"

namespace radioprog {
namespace {

using test::PatternImage;
using test::ProgressLines;
using test::RecordingReports;
using test::RunningSim;
using Kind = sim::SimEvent::Kind;

// The radio addresses of a whole-image read, in order.
std::vector<std::uint16_t> ReadOrder() {
    std::vector<std::uint16_t> order;
    for (int i = 0; i < 32; ++i) order.push_back(static_cast<std::uint16_t>(0x40 * i));
    for (int i = 0; i < 32; ++i) order.push_back(static_cast<std::uint16_t>(0x1000 + 0x40 * i));
    for (std::uint16_t a : {0x0B00, 0x0B40, 0x0B80, 0x0BC0, 0x0F60, 0x0E20, 0x1F60}) order.push_back(a);
    return order;
}

struct Unit {
    std::uint16_t address;
    std::array<std::uint8_t, 16> data;
    bool operator==(const Unit&) const = default;
};

// The units of a whole-image write of image, in order.
std::vector<Unit> WriteOrder(const RadioImage& image) {
    std::vector<Unit> units;
    auto add = [&](const RecordInfo& record, int count) {
        for (int k = 0; k < count; ++k) {
            Unit unit{static_cast<std::uint16_t>(record.address + 16 * k), {}};
            std::copy_n(image.recordData(record) + 16 * k, 16, unit.data.begin());
            units.push_back(unit);
        }
    };
    const auto& map = BlockMap();
    for (int i = 0; i < 64; ++i) add(map[static_cast<std::size_t>(i)], 4);
    add(SingleRecord(BlockId::DtmfCodes), 16);
    add(SingleRecord(BlockId::Vfo), 2);
    add(SingleRecord(BlockId::Settings), 4);
    add(SingleRecord(BlockId::SecondSettings), 2);
    return units;
}

std::vector<Unit> WrittenUnits(const RunningSim& sim) {
    std::vector<Unit> units;
    for (const auto& event : sim.eventsOf(Kind::Write)) units.push_back({event.address, event.data});
    return units;
}

// Runs one job on its worker thread and waits for it.
void Transfer(CCommTask& task, TransferReports& reports, const RadioImage& image, TransferMode mode) {
    task.Setup(&reports, image);
    task.SetMode(mode);
    ASSERT_TRUE(task.start());
    task.wait();
    EXPECT_FALSE(task.IsBusy());
}

std::vector<std::string> Concat(std::vector<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

TEST(CommTaskRead, ReadsEveryBlockInOrderIntoACopyAndReportsInOrder) {
    RunningSim sim;
    RadioImage radio = PatternImage(3);
    sim.loadImage(radio);
    CCommTask task(PortMap({sim.devicePath()}));
    RadioImage start;
    WriteNewImage(start);
    RecordingReports reports;
    Transfer(task, reports, start, TransferMode::Read);

    EXPECT_EQ(
        reports.log,
        Concat({{"progress 1"}, ProgressLines({{1, 71}, {100, 100}}), {"data", "finished 3 port 1", "progress 0"}}));
    std::vector<std::uint16_t> reads;
    for (const auto& event : sim.eventsOf(Kind::Read)) reads.push_back(event.address);
    EXPECT_EQ(reads, ReadOrder()) << "the band-limit block is not read";
    EXPECT_EQ(sim.count(Kind::Write), 0u);

    // Every block the read moves comes from the radio; the band-limit block, the spare bytes
    // and the port number are the job's own.
    RadioImage expected = start;
    for (const RecordInfo& record : BlockMap())
        if (record.block != BlockId::BandLimits)
            std::copy_n(radio.recordData(record), RecordDataSize(record.form), expected.recordData(record));
    ASSERT_EQ(reports.data.size(), 1u);
    EXPECT_TRUE(reports.data[0] == expected);
}

TEST(CommTaskWrite, ChecksTheRadiosBandsThenWritesEveryUnitInOrder) {
    // At the wire's pace, as a radio answers: the units sent are counted.
    RunningSim sim({}, RunningSim::Pace::Wire);
    RadioImage before = sim.image();
    CCommTask task(PortMap({sim.devicePath()}));
    RadioImage image = PatternImage(5);
    RecordingReports reports;
    Transfer(task, reports, image, TransferMode::Write);

    EXPECT_EQ(reports.log, Concat({{"progress 1", "progress 1", "check"},
                                   ProgressLines({{2, 69}, {100, 100}}),
                                   {"finished 4 port 1", "progress 0"}}));
    auto reads = sim.eventsOf(Kind::Read);
    ASSERT_EQ(reads.size(), 1u);
    EXPECT_EQ(reads[0].address, kBandLimitAddress);
    EXPECT_TRUE(reads[0].at < sim.eventsOf(Kind::Write).front().at);
    EXPECT_EQ(WrittenUnits(sim), WriteOrder(image)) << "band-limit block never written";

    // The check sees the image with the radio's limits, descrambled.
    ASSERT_EQ(reports.checked.size(), 1u);
    RadioImage checked = image;
    auto band = sim.bandBlock();
    std::copy(band.begin(), band.end(), checked.blockData(BlockId::BandLimits));
    EXPECT_TRUE(reports.checked[0] == checked);

    // VFO and second-settings bytes 32..63 stay as the radio had them.
    RadioImage after = sim.image();
    EXPECT_TRUE(std::equal(after.blockData(BlockId::Vfo) + 32, after.blockData(BlockId::Vfo) + 64,
                           before.blockData(BlockId::Vfo) + 32));
    EXPECT_TRUE(
        std::equal(after.blockData(BlockId::Vfo), after.blockData(BlockId::Vfo) + 32, image.blockData(BlockId::Vfo)));
}

TEST(CommTaskWrite, BandRefusalWritesNothing) {
    RunningSim sim;
    CCommTask task(PortMap({sim.devicePath()}));
    RecordingReports reports;
    reports.answer = false;
    Transfer(task, reports, PatternImage(2), TransferMode::Write);
    EXPECT_EQ(reports.log,
              (std::vector<std::string>{"progress 1", "progress 1", "check", "finished 2 port 1", "progress 0"}));
    EXPECT_EQ(sim.count(Kind::Write), 0u);
}

struct FaultCase {
    const char* name;
    sim::SimFaults faults;
    TransferMode mode;
    TransferResult result;
};

TEST(CommTaskFailures, FaultsOfTheRadioGiveTheirResults) {
    auto faults = [](auto set) {
        sim::SimFaults f;
        set(f);
        return f;
    };
    const FaultCase cases[] = {
        {"wrong model, read", faults([](auto& f) { f.wrongModel = true; }), TransferMode::Read,
         TransferResult::NoRadio},
        {"wrong model, write", faults([](auto& f) { f.wrongModel = true; }), TransferMode::Write,
         TransferResult::NoRadio},
        {"wrong header", faults([](auto& f) { f.wrongHeader = true; }), TransferMode::Read, TransferResult::ReadFailed},
        {"wrong header on the band block", faults([](auto& f) { f.wrongHeader = true; }), TransferMode::Write,
         TransferResult::WriteFailed},
        {"refused unit", faults([](auto& f) { f.refusedWrites = 4; }), TransferMode::Write,
         TransferResult::WriteFailed},
        {"unit accepted on the fourth try", faults([](auto& f) { f.refusedWrites = 3; }), TransferMode::Write,
         TransferResult::WriteDone},
        {"silent after 10 blocks", faults([](auto& f) { f.silentAfterBlocks = 10; }), TransferMode::Read,
         TransferResult::ReadFailed},
        {"silent after 10 units", faults([](auto& f) { f.silentAfterBlocks = 10; }), TransferMode::Write,
         TransferResult::WriteFailed},
    };
    for (const FaultCase& c : cases) {
        SCOPED_TRACE(c.name);
        RunningSim sim(c.faults);
        CCommTask task(PortMap({sim.devicePath()}));
        task.setLineTimeouts(test::FastTimeouts());
        RecordingReports reports;
        RadioImage start = PatternImage(9);
        Transfer(task, reports, start, c.mode);
        ASSERT_EQ(reports.outcomes.size(), 1u);
        EXPECT_EQ(reports.outcomes[0].result, c.result);
        EXPECT_EQ(reports.outcomes[0].foundPort.has_value(), c.result != TransferResult::NoRadio);
        EXPECT_TRUE(reports.data.empty()) << "a failed read hands over nothing";
        EXPECT_EQ(reports.log.back(), "progress 0");
        EXPECT_EQ(reports.log[reports.log.size() - 2].rfind("finished", 0), 0u);
        if (c.result == TransferResult::NoRadio) {
            EXPECT_EQ(sim.count(Kind::Read), 0u);
        }
    }
}

// Several radios that answer mode entry with NAK (each a failed handshake) among ports that
// do not exist; the order of their mode entries is the scan order.
TEST(CommTaskScan, TriesTheConfiguredPortFirstThenAscending) {
    const std::vector<int> present = {1, 2, 4, 5, 6, 20};
    sim::SimFaults nak;
    nak.wrongModeReply = true;
    std::vector<std::unique_ptr<RunningSim>> sims(21);
    std::vector<std::string> devices(20);
    for (int port : present) {
        sims[static_cast<std::size_t>(port)] = std::make_unique<RunningSim>(nak);
        devices[static_cast<std::size_t>(port - 1)] = sims[static_cast<std::size_t>(port)]->devicePath();
    }
    devices[2] = "/dev/radioprog-no-such-device";
    CCommTask task{PortMap(devices)};

    struct Case {
        std::int32_t configured;
        std::vector<int> order;
    };
    for (const Case& c : {Case{5, {5, 1, 2, 4, 6, 20}}, Case{1, {1, 2, 4, 5, 6, 20}}, Case{25, {1, 2, 4, 5, 6, 20}}}) {
        SCOPED_TRACE(c.configured);
        for (int port : present) sims[static_cast<std::size_t>(port)]->clearEvents();
        RadioImage image;
        WriteNewImage(image);
        image.setPort(c.configured);
        RecordingReports reports;
        Transfer(task, reports, image, TransferMode::Read);
        std::vector<std::pair<std::chrono::steady_clock::time_point, int>> entries;
        for (int port : present)
            for (const auto& event : sims[static_cast<std::size_t>(port)]->eventsOf(Kind::ModeEntry))
                entries.emplace_back(event.at, port);
        std::sort(entries.begin(), entries.end());
        std::vector<int> order;
        for (auto& entry : entries) order.push_back(entry.second);
        EXPECT_EQ(order, c.order) << "one send each: a wrong reply ends the attempts";
        // One progress step per failed handshake.
        EXPECT_EQ(reports.log, Concat({{"progress 1"}, ProgressLines({{1, 6}}), {"finished 0", "progress 0"}}));
    }
}

TEST(CommTaskScan, RadioFoundOnAnotherPortBecomesThePort) {
    sim::SimFaults nak;
    nak.wrongModeReply = true;
    RunningSim other(nak);
    RunningSim radio;
    std::vector<std::string> devices(7);
    devices[2] = other.devicePath();
    devices[6] = radio.devicePath();
    CCommTask task{PortMap(devices)};
    RadioImage image = PatternImage(1);
    image.setPort(3);
    RecordingReports reports;
    Transfer(task, reports, image, TransferMode::Read);
    ASSERT_EQ(reports.data.size(), 1u);
    EXPECT_EQ(reports.data[0].port(), 7);
    EXPECT_EQ(reports.log[1], "progress 1") << "the failed handshake on COM3";
    EXPECT_EQ(reports.log[2], "progress 2") << "then the read's own steps";
    EXPECT_EQ(reports.log[reports.log.size() - 2], "finished 3 port 7");
    EXPECT_EQ(other.count(Kind::ModeEntry), 1u);
}

// A path that the user may not open: a file without permissions, or (for root, who may
// open anything on disk) a read-only kernel attribute.
std::string DeniedPath(const test::TempDir& dir) {
    std::string file = dir.write("denied", "");
    ::chmod(file.c_str(), 0);
    for (const std::string& path : {file, std::string("/sys/devices/system/cpu/online")}) {
        int fd = ::open(path.c_str(), O_RDWR);
        if (fd >= 0)
            ::close(fd);
        else if (errno == EACCES)
            return path;
    }
    return {};
}

TEST(CommTaskScan, NoRadioNamesThePortRefusedForLackOfPermission) {
    test::TempDir dir;
    std::string denied = DeniedPath(dir);
    if (denied.empty()) GTEST_SKIP() << "no device here refuses access";
    CCommTask task{PortMap({"", denied, dir.file("missing"), denied})};
    RecordingReports reports;
    RadioImage image;
    WriteNewImage(image);
    Transfer(task, reports, image, TransferMode::Write);
    ASSERT_EQ(reports.outcomes.size(), 1u);
    const TransferOutcome& outcome = reports.outcomes[0];
    EXPECT_EQ(outcome.result, TransferResult::NoRadio);
    ASSERT_TRUE(outcome.permissionProblem.has_value());
    EXPECT_EQ(outcome.permissionProblem->port, 2);
    EXPECT_EQ(outcome.permissionProblem->device, denied);
    EXPECT_TRUE(outcome.permissionProblem->permissionDenied);

    auto details = task.probeDetails();
    ASSERT_EQ(details.size(), 20u);
    EXPECT_EQ(details[1].device, denied);
    EXPECT_TRUE(details[1].permissionDenied);
    EXPECT_FALSE(details[2].reason.empty());
    EXPECT_FALSE(details[2].permissionDenied);
}

// A port another program holds is reported as busy, not as "no radio", and the scan goes on.
TEST(CommTaskScan, APortHeldByAnotherProgramIsNamedBusyAndTheScanGoesOn) {
    RunningSim held, free;
    int holder = ::open(held.devicePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(::flock(holder, LOCK_EX | LOCK_NB), 0);
    RadioImage image;
    WriteNewImage(image);

    CCommTask alone{PortMap({held.devicePath()})};
    RecordingReports none;
    Transfer(alone, none, image, TransferMode::Write);
    ASSERT_EQ(none.outcomes.size(), 1u);
    EXPECT_EQ(none.outcomes[0].result, TransferResult::NoRadio);
    ASSERT_TRUE(none.outcomes[0].busyProblem.has_value());
    EXPECT_EQ(none.outcomes[0].busyProblem->port, 1);
    EXPECT_EQ(none.outcomes[0].busyProblem->device, held.devicePath());
    std::string advice = PermissionAdvice(none.outcomes[0], LanguageTable{});
    EXPECT_NE(advice.find("COM1 (" + held.devicePath() + ") is busy"), std::string::npos) << advice;

    CCommTask both{PortMap({held.devicePath(), free.devicePath()})};
    RecordingReports found;
    Transfer(both, found, image, TransferMode::Read);
    ASSERT_EQ(found.outcomes.size(), 1u);
    EXPECT_EQ(found.outcomes[0].result, TransferResult::ReadDone);
    EXPECT_EQ(found.outcomes[0].foundPort, 2);
    EXPECT_EQ(held.count(Kind::ModeEntry), 0u);
    ::close(holder);
}

TEST(CommTaskProbe, MaskHasBitsOfThePortsThatOpen) {
    RunningSim com1, com3;
    CCommTask task{PortMap({com1.devicePath(), "", com3.devicePath(), "/dev/radioprog-no-such-device"})};
    std::uint32_t mask = task.ProbePorts();
    EXPECT_EQ(mask, 0xFFFFFFFFu & ~(0x1FFFFFu & ~0b1011u)) << std::hex << mask;
    auto details = task.probeDetails();
    EXPECT_EQ(details[0].device, com1.devicePath());
    EXPECT_EQ(details[0].reason, "");
    EXPECT_EQ(details[1].device, "");
    EXPECT_NE(details[1].reason, "");
    EXPECT_NE(details[3].reason, "");
    EXPECT_EQ(com1.count(Kind::ModeEntry), 0u) << "a probe only opens and closes";
}

// Holds the job inside the band check until the test lets it go.
class BlockingReports : public RecordingReports {
public:
    bool checkBandLimits(const RadioImage& image) override {
        std::unique_lock lock(mutex_);
        entered_ = true;
        changed_.notify_all();
        changed_.wait(lock, [this] { return released_; });
        lock.unlock();
        return RecordingReports::checkBandLimits(image);
    }
    bool WaitInCheck() {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(30), [this] { return entered_; });
    }
    void Release() {
        std::lock_guard lock(mutex_);
        released_ = true;
        changed_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool entered_ = false;
    bool released_ = false;
};

TEST(CommTaskBusy, ASecondTransferIsRefusedWhileOneRuns) {
    RunningSim sim({}, RunningSim::Pace::Wire);  // the units sent are counted
    CCommTask task(PortMap({sim.devicePath()}));
    BlockingReports reports;
    RadioImage image = PatternImage(4);
    task.Setup(&reports, image);
    task.SetMode(TransferMode::Write);
    ASSERT_TRUE(task.start());
    ASSERT_TRUE(reports.WaitInCheck()) << "the job ended without asking";

    EXPECT_TRUE(task.IsBusy());
    EXPECT_FALSE(task.start());
    RecordingReports other;
    task.Setup(&other, PatternImage(8));  // ignored: the running job keeps its copy
    task.SetMode(TransferMode::Read);     // ignored
    task.Run();                           // does nothing
    EXPECT_EQ(task.ProbePorts(), 0u);
    EXPECT_TRUE(task.probeDetails().empty());

    reports.Release();
    task.wait();
    EXPECT_FALSE(task.IsBusy());
    EXPECT_TRUE(other.log.empty());
    EXPECT_EQ(reports.outcomes.at(0).result, TransferResult::WriteDone);
    EXPECT_EQ(WrittenUnits(sim), WriteOrder(image));

    // The worker has ended; the job can run again, and without a mode it does not start.
    EXPECT_FALSE(task.start()) << "the mode is idle after a job";
    task.SetMode(TransferMode::Read);
    EXPECT_TRUE(task.start());
    task.wait();
    EXPECT_EQ(reports.outcomes.back().result, TransferResult::ReadDone);
}

}  // namespace
}  // namespace radioprog
