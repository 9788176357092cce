// SPDX-License-Identifier: GPL-3.0-or-later
// radioprog-cli read, write and ports as a user runs them, against the simulated radio on a
// pseudo-terminal.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <future>
#include <sstream>

#include "model/channel_record.h"
#include "model/dat_file.h"
#include "radio/new_image.h"
#include "sim/sim_options.h"
#include "support/cli_run.h"
#include "support/open_counter.h"
#include "support/running_sim.h"
#include "support/same_image.h"
#include "support/temp_dir.h"

namespace radioprog {
namespace {

using sim::SimEvent;
using test::Cli;
using test::CliRun;
using test::CurrentDirGuard;
using test::ReadFile;
using test::RunningSim;
using test::TempDir;

std::size_t Lines(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

class TransferCli : public ::testing::Test {
protected:
    void SetUp() override {
        // Known texts for the band refusal, found in the current directory first.
        std::string lang = "A,B,C\n";
        for (int r = 0; r < 194; ++r) lang += "a,b,R" + std::to_string(r) + "\n";
        dir.write("lang.csv", lang);
    }
    RadioImage FileImage(const std::string& name) {
        RadioImage image;
        EXPECT_TRUE(OpenDatFile(name, image).ok);
        return image;
    }
    TempDir dir;
    CurrentDirGuard cwd{dir.path()};
    RunningSim radio;
};

TEST_F(TransferCli, ReadSavesTheRadiosMemoryWithThePortItAnsweredOn) {
    RadioImage memory;
    WriteNewImage(memory);
    ChannelRef(memory, 0).setRxFrequency(0x14550000u);
    ChannelRef(memory, 127).setTxFrequency(0x43912500u);
    memory.dtmfSlot(15)[0] = 7;
    radio.loadImage(memory);

    CliRun run = Cli(",," + radio.devicePath(), "read copy.dat --port 2");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "") << "no progress bar when stderr is not a terminal";
    EXPECT_EQ(ReadFile("copy.dat").size(), kDatFileSize);
    RadioImage copy = FileImage("copy.dat");
    EXPECT_EQ(copy.port(), 3);
    EXPECT_EQ(ChannelView(copy, 0).rxFrequency(), 0x14550000u);
    EXPECT_EQ(ChannelView(copy, 127).txFrequency(), 0x43912500u);
    EXPECT_EQ(copy.dtmfSlot(15)[0], 7);

    // --device: that path is COM1 and the only port.
    run = Cli("", "read other.dat --device " + radio.devicePath());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(FileImage("other.dat").port(), 1);
}

// A radio of another model is said once, as itself: not also as a port without an answer under
// "no radio found" with advice about the cable.
TEST_F(TransferCli, ARadioOfAnotherModelIsNamedNotTakenForSilence) {
    const struct {
        bool unreadable;
        std::string said;
    } cases[] = {
        {false, "A radio answered but it is another model: R3M72"},
        {true, "A radio answered but not as this radio does"},
    };
    for (const auto& c : cases) {
        sim::SimFaults faults;
        faults.wrongModel = !c.unreadable;
        faults.unreadableModel = c.unreadable;
        radio.setFaults(faults);
        CliRun run = Cli(radio.devicePath(), "read other.dat");
        EXPECT_EQ(run.status, 3);
        EXPECT_EQ(run.err, "radioprog-cli: COM1 (" + radio.devicePath() + "): " + c.said + "\n");
        EXPECT_FALSE(std::filesystem::exists("other.dat"));
    }
}

TEST_F(TransferCli, FailedReadLeavesTheFileAlone) {
    dir.write("kept.dat", "previous contents");
    CliRun none = Cli("", "read kept.dat");
    EXPECT_EQ(none.status, 3);
    EXPECT_EQ(Lines(none.err), 1u) << none.err;
    EXPECT_NE(none.err.find("no radio found"), std::string::npos);
    EXPECT_NE(none.err.find("no serial port found"), std::string::npos) << none.err;
    // With a port to try, the message names it and why nothing answered there.
    CliRun missing = Cli("/nonexistent/ttyUSB9", "read kept.dat");
    EXPECT_EQ(missing.status, 3);
    EXPECT_EQ(Lines(missing.err), 1u) << missing.err;
    EXPECT_NE(missing.err.find("tried COM1 (/nonexistent/ttyUSB9): No such file or directory"), std::string::npos)
        << missing.err;

    sim::SimFaults faults;
    faults.wrongHeader = true;
    radio.setFaults(faults);
    CliRun failed = Cli(radio.devicePath(), "read kept.dat");
    EXPECT_EQ(failed.status, 4);
    EXPECT_EQ(Lines(failed.err), 1u) << failed.err;
    EXPECT_EQ(ReadFile("kept.dat"), "previous contents");
    EXPECT_EQ(Cli(radio.devicePath(), "read new.dat").status, 4);
    EXPECT_FALSE(std::filesystem::exists("new.dat"));
}

TEST_F(TransferCli, AReadIntoAFileThatCannotBeSavedFailsBeforeTheRadioIsAsked) {
    // The message is the one the save would give.
    const CliRun saved = Cli("new no-such-folder/copy.dat");
    ASSERT_EQ(saved.status, 2);
    ASSERT_NE(saved.err.find("no-such-folder/copy.dat: No such file or directory"), std::string::npos) << saved.err;
    std::filesystem::create_directory("folder.dat");
    for (const std::string& file : {std::string("no-such-folder/copy.dat"), std::string("folder.dat")}) {
        const CliRun run = Cli(radio.devicePath(), "read " + file);
        EXPECT_EQ(run.status, 2) << file;
        if (file != "folder.dat") {
            EXPECT_EQ(run.err, saved.err);
        }
        EXPECT_NE(run.err.find("Cannot"), std::string::npos) << run.err;
    }
    EXPECT_TRUE(radio.events().empty()) << "the radio was asked";
    // Standard output and devices take the image.
    EXPECT_EQ(Cli(radio.devicePath(), "read /dev/null").status, 0);
    const CliRun piped = test::RunShell(std::string("RADIOPROG_PORTS='") + radio.devicePath() + "' " + test::CliPath() +
                                        " read - | wc -c");
    EXPECT_EQ(piped.status, 0) << piped.err;
    EXPECT_EQ(std::stoul(piped.out), kDatFileSize);
}

// The progress bar on a terminal, as the terminal receives it.
TEST_F(TransferCli, TheProgressBarSendsNoEscapeSequenceToADumbTerminal) {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    const std::string terminal = ::ptsname(master);
    // Held open, so the terminal stays up between the program's writes.
    const int held = ::open(terminal.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(held, 0);
    const auto shown = [&](const std::string& term) {
        auto run = std::async(std::launch::async, [&] {
            return test::RunShell("(TERM=" + term + " RADIOPROG_PORTS='" + radio.devicePath() + "' " + test::CliPath() +
                                  " read copy.dat 2>" + terminal + ")");
        });
        std::string seen;
        for (bool done = false; !done;) {
            done = run.wait_for(std::chrono::milliseconds(0)) == std::future_status::ready;
            pollfd ready{master, POLLIN, 0};
            while (::poll(&ready, 1, done ? 0 : 50) > 0) {
                char buffer[4096];
                const ssize_t n = ::read(master, buffer, sizeof buffer);
                if (n <= 0) break;
                seen.append(buffer, static_cast<std::size_t>(n));
            }
        }
        EXPECT_EQ(run.get().status, 0) << term;
        return seen;
    };
    const std::string dumb = shown("dumb");
    EXPECT_NE(dumb.find("100%"), std::string::npos) << dumb;
    EXPECT_EQ(dumb.find('\x1b'), std::string::npos) << dumb;
    EXPECT_NE(shown("xterm").find("\x1b[K"), std::string::npos) << "a terminal that knows it clears the line so";
    ::close(held);
    ::close(master);
}

TEST_F(TransferCli, DevicesListedPastCom20AreNamedOnceAndBlankEntriesAreNoPorts) {
    std::string list = radio.devicePath() + ", ";
    for (int port = 3; port <= 22; ++port) list += ",/dev/null";
    const std::string warning =
        "radioprog-cli: warning: RADIOPROG_PORTS names 2 devices past COM20, the last port; ignored\n";
    CliRun ports = Cli(list, "ports");
    EXPECT_EQ(ports.status, 0) << ports.err;
    EXPECT_EQ(ports.err, warning);
    EXPECT_EQ(ports.out.find("COM2 "), std::string::npos) << ports.out;
    EXPECT_NE(ports.out.find("COM20 "), std::string::npos) << ports.out;
    CliRun read = Cli(list, "read copy.dat");
    EXPECT_EQ(read.status, 0) << read.err;
    EXPECT_EQ(read.err, warning);
}

TEST_F(TransferCli, WriteSendsTheFileOrTellsWhyNot) {
    RadioImage image;
    WriteNewImage(image);
    ChannelRef(image, 4).setRxFrequency(0x14600000u);
    ChannelRef(image, 4).setTxFrequency(0x14600000u);
    image.setPort(5);
    ASSERT_TRUE(SaveDatFile(image, "good.dat").ok);
    ChannelRef(image, 4).setTxFrequency(0x18000000u);  // outside 136-174 and 400-520
    ASSERT_TRUE(SaveDatFile(image, "outside.dat").ok);

    CliRun refused = Cli(radio.devicePath(), "write outside.dat");
    EXPECT_EQ(refused.status, 6);
    EXPECT_EQ(refused.err,
              "radioprog-cli: write refused, nothing written: R1 4 (180.00000 MHz) R113 <136.000~174.995 "
              "400.000~520.995>\n  R1 4: R19 180.00000 MHz\n");
    EXPECT_TRUE(radio.events().size() > 0);
    for (const SimEvent& event : radio.events()) EXPECT_NE(event.kind, SimEvent::Kind::Write);

    CliRun written = Cli(radio.devicePath(), "write good.dat");
    ASSERT_EQ(written.status, 0) << written.err;
    EXPECT_EQ(ChannelView(radio.image(), 4).txFrequency(), 0x14600000u);
    EXPECT_EQ(FileImage("good.dat").port(), 5) << "the file is not changed";

    sim::SimFaults faults;
    faults.refusedWrites = 4;
    radio.setFaults(faults);
    CliRun failed = Cli(radio.devicePath(), "write good.dat --port 1");
    EXPECT_EQ(failed.status, 5);
    EXPECT_EQ(Lines(failed.err), 1u) << failed.err;
}

// A radio may store a unit and still not acknowledge it: once a unit went out, a failed
// write says the radio may hold a mix, never that nothing was written. The faults are given
// as radiosim's --fault options.
TEST_F(TransferCli, AFailedWriteAfterAUnitWentOutSaysTheRadioMayHoldAMix) {
    struct Case {
        const char* fault;
        bool unitSent;
        bool unitStored;
    };
    const Case cases[] = {
        {"bad-ack,write,0,1000", true, true},     // stores unit 0x0000, answers 0x07
        {"extra-byte,write,0,1000", true, true},  // stores it, answers ACK and 0x00
        {"nak,write,0,1000", true, false},        // refuses it
        {"bad-header,read,0", false, false},      // the band-limit block fails before any unit
    };
    RadioImage image;
    WriteNewImage(image);
    ChannelRef(image, 0).setRxFrequency(0x14600000u);
    ASSERT_TRUE(SaveDatFile(image, "new.dat").ok);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        RunningSim faulty;
        sim::SimConfig config;
        std::string error;
        ASSERT_TRUE(sim::ParseSimArgs({"--fault", c.fault}, config, error)) << error;
        faulty.setFaults(config.faults);
        const RadioImage before = faulty.image();

        CliRun run = Cli(faulty.devicePath(), "write new.dat");
        EXPECT_EQ(run.status, 5);
        const bool mix = run.err.find("the radio may now hold a mix of old and new memory") != std::string::npos;
        const bool nothing = run.err.find("nothing was written") != std::string::npos;
        EXPECT_EQ(mix, c.unitSent) << run.err;
        EXPECT_EQ(nothing, !c.unitSent) << run.err;
        EXPECT_EQ(std::equal(image.channel(0), image.channel(0) + 16, faulty.image().channel(0)), c.unitStored);
        if (!c.unitSent) {
            EXPECT_SAME_IMAGE(faulty.image(), before);
        }
    }
}

// Listing the ports opens none (opening one raises DTR and RTS on whatever is attached); only
// a transfer does.
TEST_F(TransferCli, PortsListsThePortsThatExistAndWhetherEachCanBeUsed) {
    test::OpenCounter counter(radio.devicePath());
    ASSERT_TRUE(counter.watching());
    CliRun run = Cli(radio.devicePath() + ",,/dev/radioprog-no-such-device", "ports");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "COM1  " + radio.devicePath() +
                           "  can be used\n"
                           "COM3  /dev/radioprog-no-such-device  No such file or directory\n");
    EXPECT_EQ(counter.opens(), 0);
    CliRun none = Cli("", "ports");
    EXPECT_EQ(none.out.rfind("No serial port found\n", 0), 0u) << none.out;
    ASSERT_EQ(Cli(radio.devicePath(), "read copy.dat").status, 0);
    EXPECT_GT(counter.opens(), 0) << "a transfer opens it";
}

TEST_F(TransferCli, UsageErrors) {
    for (const char* args :
         {"read", "read a.dat b.dat", "read a.dat --port 0", "read a.dat --port 21", "read a.dat --port x",
          "read a.dat --device", "write", "write missing.dat", "write a.dat --speed 2", "ports extra"}) {
        CliRun run = Cli(radio.devicePath(), args);
        EXPECT_EQ(run.status, 2) << args;
        EXPECT_EQ(Lines(run.err), 1u) << args << ": " << run.err;
    }
    EXPECT_TRUE(radio.events().empty()) << "nothing reached the radio";
}

// A .dat whose record address bytes point elsewhere (here channels 20-23 at the address of
// 16-19) was written to the wrong addresses with exit 0: 16-19 overwritten, 20-23 lost.
TEST_F(TransferCli, AnImageWhoseAddressBytesAreNotTheLayoutIsNotWrittenUnlessAskedFor) {
    RadioImage image;
    WriteNewImage(image);
    for (int n = 16; n < 24; ++n)
        ChannelRef(image, n).setRxFrequency(0x14500000u + static_cast<std::uint32_t>(n) * 0x100u);
    ASSERT_TRUE(SaveDatFile(image, "good.dat").ok);
    const RecordInfo& channels20to23 = BlockMap()[5];
    image.bytes[channels20to23.offset + 1] = 0x00;  // 0x0140 -> 0x0100
    ASSERT_TRUE(SaveDatFile(image, "moved.dat").ok);

    CliRun refused = Cli(radio.devicePath(), "write moved.dat");
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("moved.dat: the address bytes"), std::string::npos) << refused.err;
    EXPECT_NE(refused.err.find("\n  R17 20-23 Record address 0x0140 \xE2\x86\x92 0x0100\n"), std::string::npos)
        << refused.err;
    EXPECT_TRUE(radio.events().empty()) << "the radio was not even asked";

    // diff names them in words.
    CliRun diff = Cli("diff good.dat moved.dat");
    EXPECT_EQ(diff.status, 1);
    EXPECT_EQ(diff.out, "R17 20-23 Record address 0x0140 \xE2\x86\x92 0x0100\n");

    // Asked for: written as the bytes say.
    CliRun kept = Cli(radio.devicePath(), "write moved.dat --keep-addresses");
    ASSERT_EQ(kept.status, 0) << kept.err;
    EXPECT_EQ(ChannelView(radio.image(), 16).rxFrequency(), 0x14500000u + 20u * 0x100u);
}

// Address bytes that would put a record over the radio's band limits (a channel record at
// 0x0FD0) or outside its memory (the DTMF record at 0xFFFF, whose units wrap within page
// 0xFF) were written with exit 0 under --keep-addresses. Refused with or without it.
TEST_F(TransferCli, RecordsThatWouldLandOverTheBandLimitsOrOutsideMemoryAreNeverWritten) {
    const RadioImage before = radio.image();
    struct Case {
        std::size_t offset;
        std::uint8_t high, low;
    } cases[] = {
        {BlockMap()[3].offset, 0x0F, 0xD0},
        {SingleRecord(BlockId::DtmfCodes).offset, 0xFF, 0xFF},
    };
    for (const Case& c : cases)
        for (const char* option : {"", " --keep-addresses"}) {
            RadioImage image;
            WriteNewImage(image);
            image.bytes[c.offset] = c.high;
            image.bytes[c.offset + 1] = c.low;
            ASSERT_TRUE(SaveDatFile(image, "unsafe.dat").ok);
            CliRun refused = Cli(radio.devicePath(), std::string("write unsafe.dat") + option);
            EXPECT_EQ(refused.status, 2) << option;
            EXPECT_NE(refused.err.find("over the radio's band limits or outside its memory"), std::string::npos)
                << refused.err;
            EXPECT_EQ(refused.err.find("(--keep-addresses writes"), std::string::npos) << refused.err;
            EXPECT_TRUE(radio.events().empty()) << "the radio was not even asked";
        }
    EXPECT_EQ(radio.image(), before);
}

}  // namespace
}  // namespace radioprog
