// SPDX-License-Identifier: GPL-3.0-or-later
// The trace of a read: every exchange with the radio, in order, in hex.
#include "link/transfer_trace.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "link/comm_task.h"
#include "link/link_test_support.h"
#include "support/temp_dir.h"

namespace radioprog {
namespace {

using test::RecordingReports;
using test::RunningSim;

std::vector<std::string> TraceLines(const std::string& path) {
    std::istringstream in(test::ReadFile(path));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        std::size_t text = line.find_first_not_of(" 0123456789.");
        lines.push_back(line.substr(text));  // without the time stamp
    }
    return lines;
}

TEST(TransferTrace, AReadLogsTheExchangesInOrder) {
    test::TempDir dir;
    RunningSim sim;
    CCommTask task(PortMap({sim.devicePath()}));
    task.SetTrace(TransferTrace::Open(dir.file("trace.txt")));
    RadioImage image;
    image.ApplyDefaults();
    RecordingReports reports;
    task.Setup(&reports, image);
    task.SetMode(TransferMode::Read);
    task.Run();
    ASSERT_EQ(reports.outcomes.at(0).result, TransferResult::ReadDone);

    std::vector<std::string> lines = TraceLines(dir.file("trace.txt"));
    ASSERT_GT(lines.size(), 10u);
    const std::vector<std::string> start = {
        "COM1 is " + sim.devicePath(),
        sim.devicePath() + " opened, low latency refused (Inappropriate ioctl for device)",  // a pseudo-terminal
        "> 50 71 57 6D 5A 74 35 56 02",                                                      // mode entry
        "< 06",
        "> 02",  // identify
        "< 06 52 33 4D 37 31 43 F8",
        "> 06",
        "< 06",
        "> 52 00 00 40",  // the first channel block
    };
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(start.size())),
              start);
    EXPECT_EQ(lines[start.size()].substr(0, 14), "< 57 00 00 40 ");
    EXPECT_EQ(lines.back(), "closed");
    // 71 blocks, each request, reply, confirm and its acknowledgement.
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.rfind("> 52 ", 0) == 0; }),
              71);
}

TEST(TransferTrace, AnUnwritableTraceFileIsRefusedWithItsReason) {
    std::string error;
    EXPECT_EQ(TransferTrace::Open("/nonexistent-dir/trace.txt", &error), nullptr);
    EXPECT_NE(error.find("No such file"), std::string::npos) << error;
}

}  // namespace
}  // namespace radioprog
