// SPDX-License-Identifier: GPL-3.0-or-later
// radioprog-cli read and write stopped by SIGINT (Ctrl+C), SIGTERM, SIGHUP (the terminal
// closed) or SIGPIPE (the output's reader went away) while the simulated radio (paced at
// 9600 baud) is being read or written: the tool ends at once with 128 + the signal, a read
// leaves its output file as it was, a write warns of a radio holding mixed memory, and every
// port is left with the settings it had.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
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

// Starts the tool with RADIOPROG_PORTS=ports, stderr into errPath (and stdout into outPath,
// or into the pipe end outFd); its process id.
pid_t Spawn(const std::string& ports, std::vector<std::string> args, const std::string& errPath,
            const std::string& outPath = {}, int outFd = -1) {
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
    if (outFd >= 0) posix_spawn_file_actions_adddup2(&actions, outFd, STDOUT_FILENO);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// Another program's settings on a radio's device: canonical input at 2400 baud (no echo,
// which would send the radio's bytes back to it). The settings as they then are.
termios GiveOtherSettings(const std::string& device) {
    termios settings{};
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY);
    EXPECT_GE(fd, 0) << device;
    if (fd < 0) return settings;
    ::tcgetattr(fd, &settings);
    settings.c_lflag |= ICANON;
    ::cfsetispeed(&settings, B2400);
    ::cfsetospeed(&settings, B2400);
    ::tcsetattr(fd, TCSANOW, &settings);
    ::tcgetattr(fd, &settings);
    ::close(fd);
    return settings;
}

// The device has the settings it had before the tool opened it.
void ExpectSettingsPutBack(const std::string& device, const termios& before) {
    termios now{};
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0) << device;
    ASSERT_EQ(::tcgetattr(fd, &now), 0);
    ::close(fd);
    EXPECT_EQ(now.c_lflag, before.c_lflag) << device << " left raw";
    EXPECT_EQ(now.c_iflag, before.c_iflag) << device;
    EXPECT_EQ(now.c_oflag, before.c_oflag) << device;
    EXPECT_EQ(now.c_cflag, before.c_cflag) << device;
    EXPECT_EQ(::cfgetospeed(&now), ::cfgetospeed(&before)) << device;
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
        {"read, terminal closed", "read", SIGHUP, 129, 10, "nothing was saved"},
        {"write, terminal closed", "write", SIGHUP, 129, 20, "mix of old and new memory"},
        {"write, SIGPIPE", "write", SIGPIPE, 141, 20, "mix of old and new memory"},
    };
    TempDir dir;
    RadioImage image;
    WriteNewImage(image);
    ASSERT_TRUE(SaveDatFile(image, dir.file("radio.dat")).ok);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::RunningSim radio({}, test::RunningSim::Pace::Wire);
        const termios settings = GiveOtherSettings(radio.devicePath());
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
        ExpectSettingsPutBack(radio.devicePath(), settings);
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
    const Case cases[] = {{"Ctrl+C, started in the background", SIGINT, true, 130},
                          {"SIGTERM", SIGTERM, false, 143},
                          {"terminal closed", SIGHUP, false, 129}};
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

// `radioprog-cli write --port 1,2,3 ... | head -1`: the reader takes the first radio's line
// and goes while another radio is still being retried. The next line meets the closed pipe:
// every radio still running stops, its port gets its settings back, the remaining lines and
// the summary go to stderr, and the status is 141 as for the signal.
TEST(TransferSignals, AClosedOutputPipeStopsTheOtherRadiosCleanly) {
    TempDir dir;
    RadioImage image;
    WriteNewImage(image);
    ASSERT_TRUE(SaveDatFile(image, dir.file("radio.dat")).ok);
    sim::SimFaults silentAtBandRead;
    silentAtBandRead.silentAfterBlocks = 0;  // fails its band-limit read within about a second
    sim::SimFaults silentAtUnit4;
    silentAtUnit4.silentAfterBlocks = 5;  // the band-limit block and 4 units, then retries for seconds
    test::RunningSims sims;
    sims.add();
    sims.add(silentAtBandRead);
    test::RunningSim& retried = sims.add(silentAtUnit4);
    std::vector<termios> settings;
    for (const auto& radio : sims.radios) settings.push_back(GiveOtherSettings(radio->devicePath()));

    int pipeEnds[2];
    ASSERT_EQ(::pipe2(pipeEnds, O_CLOEXEC), 0);
    const auto start = Clock::now();
    pid_t pid =
        Spawn(sims.ports, {"write", dir.file("radio.dat"), "--port", "1,2,3"}, dir.file("err.txt"), {}, pipeEnds[1]);
    ::close(pipeEnds[1]);
    ASSERT_GT(pid, 0);
    std::string first;  // what `head -1` reads before it exits
    for (char c; ::read(pipeEnds[0], &c, 1) == 1 && c != '\n';) first += c;
    ::close(pipeEnds[0]);
    EXPECT_EQ(first, "COM1: Write completed");
    ASSERT_GE(retried.count(sim::SimEvent::Kind::Write), 1u) << "COM3 is being written";

    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by the signal itself";
    EXPECT_EQ(WEXITSTATUS(status), 141);
    EXPECT_LT(Clock::now() - start, 5s) << "COM3's retries were not waited out";
    const std::string err = ReadFile(dir.file("err.txt"));
    EXPECT_NE(err.find("COM3: Cancelled: The radio may now hold a mix of old and new memory."), std::string::npos)
        << err;
    EXPECT_NE(err.find("Radios written: 1/3, Cancelled: 1\n"), std::string::npos) << err;
    EXPECT_EQ(err.find("write error"), std::string::npos) << "the closed pipe is no error of its own: " << err;
    for (std::size_t i = 0; i < sims.radios.size(); ++i)
        ExpectSettingsPutBack(sims.radios[i]->devicePath(), settings[i]);
}

}  // namespace
}  // namespace radioprog
