// SPDX-License-Identifier: GPL-3.0-or-later
// radioprog-cli write to several radios, write --verify, read --verify and diff, as a user
// runs them, against simulated radios on pseudo-terminals.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <utility>

#include "model/channel_record.h"
#include "model/dat_file.h"
#include "model/terminal_text.h"
#include "radio/new_image.h"
#include "support/cli_run.h"
#include "support/running_sim.h"
#include "support/temp_dir.h"

namespace radioprog {
namespace {

using test::Cli;
using test::CliRun;
using test::CurrentDirGuard;
using test::ReadFile;
using test::RunningSim;
using test::RunningSims;
using test::TempDir;

RadioImage ChannelImage() {
    RadioImage image;
    WriteNewImage(image);
    for (int n = 0; n < 16; ++n) {
        ChannelRef(image, n).setRxFrequency(0x14535000u + static_cast<std::uint32_t>(n % 10) * 0x100u);
        ChannelRef(image, n).setTxFrequency(0x14535000u);
    }
    return image;
}

class FleetCli : public ::testing::Test {
protected:
    // Three radios; faults for the second.
    void StartRadios(const sim::SimFaults& second = {}) {
        for (int i = 0; i < 3; ++i) sims.add(i == 1 ? second : sim::SimFaults{});
        ASSERT_TRUE(SaveDatFile(image, dir.file("radio.dat")).ok);
    }
    bool Holds(int i) {
        RadioImage memory = radios[static_cast<std::size_t>(i)]->image();
        for (int n = 0; n < kChannelCount; ++n)
            if (!std::equal(image.channel(n), image.channel(n) + 16, memory.channel(n))) return false;
        return true;
    }
    TempDir dir;
    CurrentDirGuard cwd{dir.path()};
    RadioImage image = ChannelImage();
    RunningSims sims;
    std::vector<std::unique_ptr<RunningSim>>& radios = sims.radios;
    std::string& ports = sims.ports;
};

TEST_F(FleetCli, WritesThreeRadiosInParallel) {
    StartRadios();
    CliRun run = Cli(ports, "write radio.dat --port 1,2,3");
    EXPECT_EQ(run.status, 0) << run.err;
    for (const char* line :
         {"COM1: Write completed\n", "COM2: Write completed\n", "COM3: Write completed\n", "Radios written: 3/3\n"})
        EXPECT_NE(run.out.find(line), std::string::npos) << run.out;
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(Holds(i)) << i;
}

TEST_F(FleetCli, OneRadioFailingExitsFiveNamingItsPortWhileTheOthersComplete) {
    sim::SimFaults refusing;
    refusing.refusedWrites = 4;
    StartRadios(refusing);
    CliRun run = Cli(ports, "write radio.dat --all");
    EXPECT_EQ(run.status, 5) << run.out << run.err;
    EXPECT_NE(run.out.find("COM2: Write failed at CH 0\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Radios written: 2/3\n"), std::string::npos) << run.out;
    EXPECT_TRUE(Holds(0));
    EXPECT_TRUE(Holds(2));
}

TEST_F(FleetCli, VerifyCatchesASilentlyWrongByteAndPassesASoundRadio) {
    sim::SimFaults corrupting;
    corrupting.corruptAddress = 9 * 16;
    StartRadios(corrupting);
    const std::string only = radios[1]->devicePath();
    CliRun wrong = Cli(only, "write radio.dat --verify");
    EXPECT_EQ(wrong.status, 7) << wrong.err;
    EXPECT_NE(wrong.err.find("CH 9 RX Freq 145.35900 " + TerminalText("\xE2\x86\x92") + " 145.35901"),
              std::string::npos)
        << wrong.err;

    CliRun sound = Cli(radios[0]->devicePath(), "write radio.dat --verify");
    EXPECT_EQ(sound.status, 0) << sound.err;
    EXPECT_TRUE(Holds(0));

    CliRun several = Cli(ports, "write radio.dat --verify --port 1,2,3");
    EXPECT_EQ(several.status, 7) << several.err;
    EXPECT_NE(several.out.find("COM1: Written and verified\n"), std::string::npos) << several.out;
    EXPECT_NE(several.out.find("COM2: The radio did not store what was written:\n  CH 9 RX Freq"), std::string::npos)
        << several.out;
}

TEST_F(FleetCli, VerifiedReadOutvotesALineErrorAndRefusesWhenReadingsNeverAgree) {
    sim::SimFaults garbled;
    garbled.garbledReads = 1;
    StartRadios(garbled);
    radios[1]->loadImage(image);
    CliRun read = Cli(radios[1]->devicePath(), "read copy.dat --verify");
    ASSERT_EQ(read.status, 0) << read.err;
    EXPECT_EQ(Cli("", "diff radio.dat copy.dat").status, 0);

    sim::SimFaults hopeless;
    hopeless.garbledReads = 1000;
    radios[1]->setFaults(hopeless);
    CliRun failed = Cli(radios[1]->devicePath(), "read bad.dat --verify");
    EXPECT_EQ(failed.status, 4);
    EXPECT_NE(failed.err.find("readings of CH 0-3 disagree"), std::string::npos) << failed.err;
    EXPECT_FALSE(std::filesystem::exists("bad.dat"));
}

TEST_F(FleetCli, DiffListsChangesInWordsAndIsSilentOnEqualFiles) {
    ASSERT_TRUE(SaveDatFile(image, dir.file("a.dat")).ok);
    CliRun same = Cli("", "diff a.dat a.dat");
    EXPECT_EQ(same.status, 0);
    EXPECT_EQ(same.out, "");

    RadioImage changed = image;
    ChannelRef(changed, 9).setRxFrequency(0x14652000u);
    ASSERT_TRUE(SaveDatFile(changed, dir.file("b.dat")).ok);
    // The arrow is written as "->" where the locale has no UTF-8.
    for (const auto& [locale, line] :
         {std::pair{"LC_ALL=C.UTF-8", "CH 9 RX Freq 145.35900 \xE2\x86\x92 146.52000\n"},
          std::pair{"LANG=en_US.utf8 LC_ALL=", "CH 9 RX Freq 145.35900 \xE2\x86\x92 146.52000\n"},
          std::pair{"LC_ALL=C", "CH 9 RX Freq 145.35900 -> 146.52000\n"},
          std::pair{"LANG= LC_ALL= LC_CTYPE=", "CH 9 RX Freq 145.35900 -> 146.52000\n"}}) {
        CliRun differ = test::RunShell(std::string(locale) + " " + test::CliPath() + " diff a.dat b.dat");
        EXPECT_EQ(differ.status, 1) << locale;
        EXPECT_EQ(differ.out, line) << locale;
    }
    CliRun help = test::RunShell("LC_ALL=C " + test::CliPath() + " diff --help");
    EXPECT_NE(help.out.find("145.35000 -> 146.52000"), std::string::npos) << help.out;

    EXPECT_EQ(Cli("", "diff a.dat missing.dat").status, 2);
    EXPECT_EQ(Cli("", "diff a.dat").status, 2);
}

TEST_F(FleetCli, PortListsAreCheckedBeforeAnythingRuns) {
    ASSERT_TRUE(SaveDatFile(image, dir.file("radio.dat")).ok);
    for (const char* args :
         {"--port 1,1", "--port 1,21", "--port 1,x", "--all --port 1,2", "--port 1,2 --device /dev/null"})
        EXPECT_EQ(Cli("", std::string("write radio.dat ") + args).status, 2) << args;
}

}  // namespace
}  // namespace radioprog
