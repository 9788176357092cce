// SPDX-License-Identifier: GPL-3.0-or-later
// radioprog-cli as a user runs it: through the shell, checking exit codes and output.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "model/dat_file.h"
#include "radio/new_image.h"
#include "support/cli_run.h"
#include "support/temp_dir.h"

namespace radioprog {
namespace {

using test::Cli;
using test::CliRun;
using test::CurrentDirGuard;
using test::ReadFile;
using test::TempDir;

TEST(CliNew, WritesTheDefaultImage) {
    TempDir dir;
    CurrentDirGuard cwd(dir.path());
    ASSERT_EQ(Cli("new radio").status, 0);
    std::string content = ReadFile("radio");
    ASSERT_EQ(content.size(), kDatFileSize) << "the name is used as given";
    RadioImage expected;
    WriteNewImage(expected);
    RadioImage written;
    ASSERT_TRUE(OpenDatFile("radio", written).ok);
    // The spare bytes and unused band-limit bytes of a new image are zero in the file.
    EXPECT_EQ(written.port(), 1);
    EXPECT_EQ(content.substr(8, 16), std::string(16, '\xFF'));
    EXPECT_EQ(content.substr(4296, 4), std::string("\x00\x00\x60\x13", 4));
}

TEST(CliChannels, PrintsHeaderAndAllChannels) {
    TempDir dir;
    CurrentDirGuard cwd(dir.path());
    std::string lang = "A,B,C\n";
    for (int r = 0; r < 194; ++r) lang += "a,b,R" + std::to_string(r) + "\n";
    dir.write("lang.csv", lang);
    ASSERT_EQ(Cli("new r.dat").status, 0);
    CliRun run = Cli("channels r.dat");
    ASSERT_EQ(run.status, 0);
    std::istringstream lines(run.out);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "R17,R155,R18,R19,R20,R21,R22,R24,R23,R25,R156,R26");
    int count = 0;
    while (std::getline(lines, line)) {
        EXPECT_EQ(line, std::to_string(count) + ",,,,,,,,,,,");
        ++count;
    }
    EXPECT_EQ(count, 128);
}

TEST(CliErrors, UsageAndBadFilesExitWithTwoAndOneLine) {
    TempDir dir;
    CurrentDirGuard cwd(dir.path());
    dir.write("short.dat", std::string(100, 'x'));
    for (const char* args : {"", "frobnicate", "new", "new a b", "channels", "channels missing.dat",
                             "channels short.dat", "new no/such/dir/x.dat"}) {
        CliRun run = Cli(args);
        EXPECT_EQ(run.status, 2) << args;
        std::string err = ReadFile("err.txt");
        if (*args) {
            EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << args << ": " << err;
            EXPECT_EQ(err.rfind("radioprog-cli: ", 0), 0u) << err;
        }
    }
    EXPECT_EQ(Cli("--help").status, 0);
    CliRun help = Cli("channels --help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Usage: radioprog-cli channels FILE"), std::string::npos);
}

}  // namespace
}  // namespace radioprog
