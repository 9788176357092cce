// SPDX-License-Identifier: GPL-3.0-or-later
// Files that used to crash or hang the tool: tone codes no tone text names, pipes and other
// non-regular files, and inputs far larger than any channel list.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>

#include "model/byte_order.h"
#include "model/channel_record.h"
#include "model/dat_file.h"
#include "model/file_read.h"
#include "radio/new_image.h"
#include "support/cli_run.h"
#include "support/temp_dir.h"

namespace radioprog {
namespace {

using test::CurrentDirGuard;
using test::ReadFile;
using test::TempDir;

using test::CliRun;

// Runs the tool in the current directory, stopped after 20 s (a hang is a failure too).
CliRun Cli(const std::string& args) { return test::RunShell("timeout 20 " + test::CliPath() + " " + args); }

// Tone codes 0x8000..0x803F aborted every command that showed the image.
TEST(BadInputCli, ToneCodesNoToneTextNamesAreShownAndKept) {
    TempDir dir;
    CurrentDirGuard cwd(dir.path());
    RadioImage image;
    WriteNewImage(image);
    ChannelRef used(image, 5);
    used.setRxFrequency(0x14625000);
    used.setTxFrequency(0x14625000);
    used.setRxTone(0x8000);
    used.setTxTone(0x803F);
    ChannelRef(image, 9).setRxTone(0x8012);  // an empty channel
    WriteLe16(image.vfoEntry(0) + channel_field::kRxTone, 0x8001);
    ASSERT_TRUE(SaveDatFile(image, "odd.dat").ok);

    CliRun channels = Cli("channels odd.dat");
    EXPECT_EQ(channels.status, 0) << channels.err;
    EXPECT_NE(channels.out.find("0x8000"), std::string::npos) << channels.out;
    EXPECT_NE(channels.out.find("0x803F"), std::string::npos);

    CliRun exported = Cli("export-csv odd.dat odd.csv");
    EXPECT_EQ(exported.status, 0) << exported.err;

    CliRun printed = Cli("print odd.dat --pdf odd.pdf");
    EXPECT_NE(printed.status, -1);
    EXPECT_TRUE(printed.status == 0 || printed.err.find("print") != std::string::npos) << printed.err;
}

TEST(BadInputCli, NonRegularFilesAreRefusedAtOnce) {
    TempDir dir;
    CurrentDirGuard cwd(dir.path());
    ASSERT_EQ(::mkfifo("pipe.dat", 0600), 0);
    ASSERT_EQ(Cli("new r.dat").status, 0);
    for (std::string args : {"channels pipe.dat", "export-csv pipe.dat out.csv", "import-csv r.dat pipe.dat",
                             "channels /dev/zero", "channels ."}) {
        auto start = std::chrono::steady_clock::now();
        CliRun run = Cli(args);
        EXPECT_EQ(run.status, 2) << args << ": " << run.err;
        EXPECT_NE(run.err.find("not a regular file"), std::string::npos) << args << ": " << run.err;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(15)) << args;
    }
    EXPECT_FALSE(std::filesystem::exists("out.csv"));
}

TEST(BadInputCli, InputOverSixteenMegabytesIsRefused) {
    TempDir dir;
    CurrentDirGuard cwd(dir.path());
    ASSERT_EQ(Cli("new r.dat").status, 0);
    std::string before = ReadFile("r.dat");
    dir.write("huge.csv", "Location,Frequency\n");
    std::filesystem::resize_file("huge.csv", kMaxInputBytes + 1);
    dir.write("huge.dat", "");
    std::filesystem::resize_file("huge.dat", kMaxInputBytes + 1);
    for (std::string args : {"import-csv r.dat huge.csv", "channels huge.dat"}) {
        CliRun run = Cli(args);
        EXPECT_EQ(run.status, 2) << args;
        EXPECT_NE(run.err.find("larger than 16 MB"), std::string::npos) << run.err;
    }
    EXPECT_EQ(ReadFile("r.dat"), before);
}

TEST(BadInputCli, ALanguageFileWithoutRowsIsSkippedAndNamed) {
    TempDir dir;
    CurrentDirGuard cwd(dir.path());
    ASSERT_EQ(Cli("new r.dat").status, 0);
    dir.write("lang.csv", "A,B,C\n");
    std::string good = "A,B,C\n";
    for (int r = 0; r < 194; ++r) good += "a,b,R" + std::to_string(r) + "\n";
    dir.write("language.csv", good);
    CliRun run = Cli("channels r.dat");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.substr(0, 9), "R17,R155,");
    EXPECT_NE(run.err.find("lang.csv"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("skipped"), std::string::npos) << run.err;
}

// Bytes from a CSV file or a language file reach the terminal only escaped: an ESC, BEL or NUL
// in a cell or a text must not drive the terminal.
TEST(BadInputCli, ControlCharactersFromFilesAreShownEscaped) {
    TempDir dir;
    CurrentDirGuard cwd(dir.path());
    ASSERT_EQ(Cli("new r.dat").status, 0);
    dir.write("in.csv", std::string("Location,Frequency\n3,\x1b[2J\a99\n4,") + std::string(1, '\0') + "77\x7f\n");
    CliRun imported = Cli("import-csv r.dat in.csv");
    EXPECT_EQ(imported.err.find('\x1b'), std::string::npos) << imported.err;
    EXPECT_EQ(imported.err.find('\a'), std::string::npos);
    EXPECT_EQ(imported.err.find('\0'), std::string::npos);
    EXPECT_NE(imported.err.find("\\x1b[2J\\x0799"), std::string::npos) << imported.err;
    EXPECT_NE(imported.err.find("\\x0077\\x7f"), std::string::npos) << imported.err;

    // A language file whose "CH" text carries an escape sequence, shown by diff.
    RadioImage other;
    ASSERT_TRUE(OpenDatFile("r.dat", other).ok);
    ChannelRef(other, 3).setRxFrequency(0x14650000);
    ASSERT_TRUE(SaveDatFile(other, "o.dat").ok);
    std::string language = "A,B,C\n";
    for (int r = 0; r < 194; ++r) language += r == 17 ? "a,b,\x1b]0;owned\aCH\n" : "a,b,R" + std::to_string(r) + "\n";
    dir.write("language.csv", language);
    CliRun diff = Cli("diff r.dat o.dat");
    EXPECT_EQ(diff.status, 1) << diff.err;
    EXPECT_EQ(diff.out.find('\x1b'), std::string::npos) << diff.out;
    EXPECT_NE(diff.out.find("\\x1b]0;owned\\x07CH 3"), std::string::npos) << diff.out;

    // channels shows the same texts by the same rule.
    language = "A,B,C\n";
    for (int r = 0; r < 194; ++r) language += "a,b,R" + std::to_string(r) + "\x1b[2J\a" + std::string(1, '\0') + "\n";
    dir.write("language.csv", language);
    CliRun channels = Cli("channels o.dat");
    EXPECT_EQ(channels.status, 0) << channels.err;
    for (char raw : {'\x1b', '\a', '\0'}) EXPECT_EQ(channels.out.find(raw), std::string::npos) << channels.out;
    EXPECT_NE(channels.out.find("\\x1b[2J\\x07\\x00"), std::string::npos) << channels.out;

    // A CSV cell that is not UTF-8 (Latin-1) is shown byte by byte in the warning.
    dir.write("latin1.csv", "Location,Frequency\n3,caf\xE9\n");
    imported = Cli("import-csv r.dat latin1.csv");
    EXPECT_EQ(imported.err.find('\xE9'), std::string::npos) << imported.err;
    EXPECT_NE(imported.err.find("caf\\xe9"), std::string::npos) << imported.err;
}

// What a command prints must arrive: on a full device the command fails with the reason
// instead of exiting 0 (or 1) with its output cut.
TEST(BadInputCli, AFullStandardOutputIsAnError) {
    TempDir dir;
    CurrentDirGuard cwd(dir.path());
    ASSERT_EQ(Cli("new r.dat").status, 0);
    RadioImage other;
    ASSERT_TRUE(OpenDatFile("r.dat", other).ok);
    ChannelRef(other, 3).setRxFrequency(0x14650000);
    ASSERT_TRUE(SaveDatFile(other, "o.dat").ok);
    for (const char* args : {"--help", "--version", "write --help", "channels r.dat", "ports", "diff r.dat o.dat"}) {
        SCOPED_TRACE(args);
        CliRun run = test::RunShell("{ RADIOPROG_PORTS= timeout 20 " + test::CliPath() + " " + args + " >/dev/full; }");
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.err, "radioprog-cli: write error: No space left on device\n");
        // The same to a working output succeeds.
        CliRun fine = test::RunShell("RADIOPROG_PORTS= " + test::CliPath() + " " + args);
        EXPECT_EQ(fine.status, std::string(args).rfind("diff", 0) == 0 ? 1 : 0) << fine.err;
        EXPECT_EQ(fine.err, "");
    }
}

}  // namespace
}  // namespace radioprog
