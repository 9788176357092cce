// SPDX-License-Identifier: GPL-3.0-or-later
// The trace of a read: every exchange with the radio, in order, in hex.
#include "link/transfer_trace.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <sstream>

#include "link/comm_task.h"
#include "link/link_test_support.h"
#include "radio/new_image.h"
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
    task.setTrace(TransferTrace::open(dir.file("trace.txt")));
    RadioImage image;
    WriteNewImage(image);
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

// What cannot hold a trace is refused at once with the reason: a FIFO no one reads (it used
// to block forever), one that has a reader, a device, a directory, a missing directory.
TEST(TransferTrace, OnlyARegularFileTakesTheTraceAndOpeningNeverWaits) {
    test::TempDir dir;
    ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo(dir.file("read-fifo").c_str(), 0600), 0);
    const int reader = ::open(dir.file("read-fifo").c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    struct Case {
        std::string path;
        const char* reason;
    };
    for (const Case& c :
         {Case{dir.file("fifo"), "not a regular file"}, Case{dir.file("read-fifo"), "not a regular file"},
          Case{"/dev/full", "not a regular file"}, Case{dir.path().string(), "Is a directory"},
          Case{"/nonexistent-dir/trace.txt", "No such file"}}) {
        std::string error;
        EXPECT_EQ(TransferTrace::open(c.path, &error), nullptr) << c.path;
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
        EXPECT_NE(error.find(c.path), std::string::npos) << error;
    }
    ::close(reader);
    // A regular file is appended to.
    dir.write("trace.txt", "earlier\n");
    std::shared_ptr<TransferTrace> trace = TransferTrace::open(dir.file("trace.txt"));
    ASSERT_TRUE(trace);
    trace->note("now");
    EXPECT_EQ(trace->writeError(), "");
    EXPECT_EQ(TraceLines(dir.file("trace.txt")), (std::vector<std::string>{"earlier", "now"}));
}

// A trace that can no longer be written (here: the file size limit, as a full disk) says so
// once; the lines before stay and writing goes on without stopping anything.
TEST(TransferTrace, AFailedWriteIsReportedNotLostSilently) {
    test::TempDir dir;
    const std::string path = dir.file("trace.txt");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit {
            200, 200
        };
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::shared_ptr<TransferTrace> trace = TransferTrace::open(path);
        if (!trace) ::_exit(10);
        trace->note("fits");
        if (!trace->writeError().empty()) ::_exit(11);
        for (int i = 0; i < 50; ++i) trace->note(std::string(40, 'x'));
        const std::string error = trace->writeError();
        ::_exit(error.find(path) != std::string::npos && error.find("File too large") != std::string::npos ? 0 : 12);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(TraceLines(path).at(0), "fits");
}

}  // namespace
}  // namespace radioprog
