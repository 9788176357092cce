// SPDX-License-Identifier: GPL-3.0-or-later
// The radiosim program as a demonstration uses it: the device path on the first line of
// stdout, the protocol answered until it is stopped, the memory loaded and saved.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <set>

#include "link/com_port.h"
#include "model/dat_file.h"
#include "radio/band_check.h"
#include "radio/new_image.h"
#include "support/cli_run.h"
#include "support/temp_dir.h"
#include "support/wait_until.h"

namespace radioprog {
namespace {

// Starts radiosim with args; returns its pid and the first line it printed.
pid_t Spawn(const std::vector<std::string>& args, std::string& firstLine) {
    int out[2];
    if (::pipe(out) != 0) return -1;
    pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::close(out[0]);
        ::close(out[1]);
        std::vector<char*> argv;
        std::string program = test::ProgramPath("radiosim");
        argv.push_back(program.data());
        std::vector<std::string> copies = args;
        for (auto& arg : copies) argv.push_back(arg.data());
        argv.push_back(nullptr);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    ::close(out[1]);
    char c;
    while (::read(out[0], &c, 1) == 1 && c != '\n') firstLine += c;
    ::close(out[0]);
    return pid;
}

TEST(RadiosimProgram, PrintsItsDeviceAnswersAndSavesWhatWasWritten) {
    test::TempDir dir;
    RadioImage start;
    WriteNewImage(start);
    start.channel(0)[0] = 0x42;
    ASSERT_TRUE(SaveDatFile(start, dir.file("start.dat")).ok);

    std::string device;
    pid_t pid =
        Spawn({"--load", dir.file("start.dat"), "--save", dir.file("saved.dat"), "--bands", "144-146,430-440"}, device);
    ASSERT_GT(pid, 0);
    EXPECT_EQ(device.rfind("/dev/", 0), 0u) << device;

    CComPort port;
    ASSERT_TRUE(port.Open(device));
    ASSERT_TRUE(port.EnterProgramMode(0));
    ASSERT_TRUE(port.Identify());
    std::uint8_t block[64];
    ASSERT_TRUE(port.ReadBlock(0x00, 0x00, block));
    EXPECT_EQ(block[0], 0x42) << "memory loaded from the file";
    ASSERT_TRUE(port.ReadBlockDescrambled(0x0F, 0xD0, block));
    EXPECT_EQ(DecodeBandLimit(block[0], block[1]), 144);
    EXPECT_EQ(DecodeBandLimit(block[6], block[7]), 440);
    std::uint8_t unit[16] = {0x99, 0x88};
    ASSERT_TRUE(port.WriteBlock(0x0E, 0x20, unit));
    port.Close();

    ::kill(pid, SIGTERM);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    RadioImage saved;
    ASSERT_TRUE(OpenDatFile(dir.file("saved.dat"), saved).ok);
    EXPECT_EQ(saved.settingsByte(0x0E20), 0x99);
    EXPECT_EQ(saved.channel(0)[0], 0x42);
    EXPECT_EQ(DecodeBandLimits(saved).txLower[1], 430);
}

TEST(RadiosimProgram, EveryLinkIsARadioOfItsOwnWithTheSameFaults) {
    test::TempDir dir;
    const std::vector<std::string> links = {dir.file("r1"), dir.file("r2"), dir.file("r3")};
    std::string device;
    pid_t pid = Spawn({"--link", links[0], "--link", links[1], "--link", links[2], "--corrupt-byte", "0x0091"}, device);
    ASSERT_GT(pid, 0);
    ASSERT_TRUE(test::WaitUntil([&links] { return std::filesystem::exists(links[2]); }));

    std::set<std::string> devices;
    for (const std::string& link : links) {
        devices.insert(std::filesystem::read_symlink(link).string());
        CComPort port;
        ASSERT_TRUE(port.Open(link)) << link;
        ASSERT_TRUE(port.EnterProgramMode(0));
        ASSERT_TRUE(port.Identify());
        std::uint8_t unit[16] = {0x14, 0x52, 0x33};
        ASSERT_TRUE(port.WriteBlock(0x00, 0x90, unit)) << "acknowledged although stored wrongly";
        std::uint8_t block[64];
        ASSERT_TRUE(port.ReadBlock(0x00, 0x80, block));
        EXPECT_EQ(block[16], 0x14);
        EXPECT_EQ(block[17], 0x53) << "bit 0 of 0x0091 inverted";
        EXPECT_EQ(block[18], 0x33);
        port.Close();
    }
    EXPECT_EQ(devices.size(), 3u);

    ::kill(pid, SIGTERM);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    for (const std::string& link : links) EXPECT_FALSE(std::filesystem::is_symlink(link)) << link;
}

}  // namespace
}  // namespace radioprog
