// SPDX-License-Identifier: GPL-3.0-or-later
// radioprog-cli read and write stopped by SIGINT (Ctrl+C) or SIGTERM while the simulated
// radio (paced at 9600 baud) is being read or written: the tool ends at once with 130 or 143,
// a read leaves its output file as it was, a write warns of a radio holding mixed memory.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "model/dat_file.h"
#include "radio/new_image.h"
#include "support/cli_run.h"
#include "support/running_sim.h"
#include "support/temp_dir.h"
#include "support/wait_until.h"

extern char** environ;

namespace radioprog {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using test::ReadFile;
using test::TempDir;

// Starts the tool with RADIOPROG_PORTS=ports, stderr into errPath (and stdout into outPath);
// its process id.
pid_t Spawn(const std::string& ports, std::vector<std::string> args, const std::string& errPath,
            const std::string& outPath = {}) {
    args.insert(args.begin(), test::CliPath());
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    std::vector<std::string> env = {"RADIOPROG_PORTS=" + ports};
    for (char** e = environ; *e; ++e)
        if (std::string(*e).rfind("RADIOPROG_PORTS=", 0) != 0) env.push_back(*e);
    std::vector<char*> envp;
    for (std::string& entry : env) envp.push_back(entry.data());
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (!outPath.empty())
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

TEST(TransferSignals, StopReadAndWriteAtOnceWithTheShellsExitStatus) {
    struct Case {
        const char* name;
        const char* command;
        int signal;
        int status;
        std::size_t requestsBefore;  // the radio has seen this many blocks or units
        const char* says;
    };
    const Case cases[] = {
        {"read, Ctrl+C", "read", SIGINT, 130, 10, "nothing was saved"},
        {"read, SIGTERM", "read", SIGTERM, 143, 10, "nothing was saved"},
        {"write, Ctrl+C", "write", SIGINT, 130, 20, "mix of old and new memory"},
    };
    TempDir dir;
    RadioImage image;
    WriteNewImage(image);
    ASSERT_TRUE(SaveDatFile(image, dir.file("radio.dat")).ok);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::RunningSim radio({}, test::RunningSim::Pace::Wire);
        const std::string file = dir.file(std::string(c.command) == "read" ? "kept.dat" : "radio.dat");
        if (std::string(c.command) == "read") dir.write("kept.dat", "previous contents");
        const std::string before = ReadFile(file);

        pid_t pid = Spawn(radio.devicePath(), {c.command, file}, dir.file("err.txt"));
        ASSERT_GT(pid, 0);
        auto seen = [&radio, &c] {
            std::size_t n = 0;
            for (const sim::SimEvent& event : radio.events())
                if (event.kind == sim::SimEvent::Kind::Read || event.kind == sim::SimEvent::Kind::Write) ++n;
            return n >= c.requestsBefore;
        };
        ASSERT_TRUE(test::WaitUntil(seen));
        const auto start = Clock::now();
        ::kill(pid, c.signal);
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_LT(Clock::now() - start, 500ms);
        ASSERT_TRUE(WIFEXITED(status)) << "ended by the signal itself";
        EXPECT_EQ(WEXITSTATUS(status), c.status);
        EXPECT_EQ(ReadFile(file), before);
        const std::string err = ReadFile(dir.file("err.txt"));
        EXPECT_NE(err.find("cancelled"), std::string::npos) << err;
        EXPECT_NE(err.find(c.says), std::string::npos) << err;
    }
}

// Several radios at once: a signal stops every one of them, each still gets its line, and the
// exit status is the shell's. A background job starts with SIGINT ignored; it is caught all
// the same.
TEST(TransferSignals, StopAWriteToSeveralRadiosWithALinePerRadio) {
    struct Case {
        const char* name;
        int signal;
        bool ignoredAtStart;
        int status;
    };
    const Case cases[] = {{"Ctrl+C, started in the background", SIGINT, true, 130}, {"SIGTERM", SIGTERM, false, 143}};
    TempDir dir;
    RadioImage image;
    WriteNewImage(image);
    ASSERT_TRUE(SaveDatFile(image, dir.file("radio.dat")).ok);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::RunningSims sims;
        for (int i = 0; i < 3; ++i) sims.add({}, test::RunningSim::Pace::Wire);
        const std::vector<std::unique_ptr<test::RunningSim>>& radios = sims.radios;
        const std::string& ports = sims.ports;
        struct sigaction ignore {
        }, previous{};
        ignore.sa_handler = SIG_IGN;
        if (c.ignoredAtStart) ::sigaction(SIGINT, &ignore, &previous);
        pid_t pid =
            Spawn(ports, {"write", dir.file("radio.dat"), "--port", "1,2,3"}, dir.file("err.txt"), dir.file("out.txt"));
        if (c.ignoredAtStart) ::sigaction(SIGINT, &previous, nullptr);
        ASSERT_GT(pid, 0);
        auto writing = [&radios] {
            for (const auto& radio : radios)
                if (radio->count(sim::SimEvent::Kind::Write) < 5) return false;
            return true;
        };
        ASSERT_TRUE(test::WaitUntil(writing));
        const auto start = Clock::now();
        ::kill(pid, c.signal);
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_LT(Clock::now() - start, 500ms);
        ASSERT_TRUE(WIFEXITED(status)) << "ended by the signal itself";
        EXPECT_EQ(WEXITSTATUS(status), c.status);
        const std::string out = ReadFile(dir.file("out.txt"));
        for (const char* port : {"COM1", "COM2", "COM3"})
            EXPECT_NE(
                out.find(std::string(port) +
                         ": Cancelled: The radio may now hold a mix of old and new memory. Writing again fixes it.\n"),
                std::string::npos)
                << out;
        EXPECT_NE(out.find("Radios written: 0/3, Cancelled: 3\n"), std::string::npos) << out;
    }
}

}  // namespace
}  // namespace radioprog
