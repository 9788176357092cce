// SPDX-License-Identifier: GPL-3.0-or-later
// radioprog-cli import-directory as a user runs it through the shell.
#include <gtest/gtest.h>

#include "model/dat_file.h"
#include "support/cli_run.h"
#include "support/same_image.h"
#include "support/temp_dir.h"

namespace radioprog {
namespace {

using test::CurrentDirGuard;
using test::ReadFile;
using test::TempDir;

std::string Fixture(const std::string& name) {
    return std::string(RADIOPROG_SOURCE_DIR) + "/tests/directory/fixtures/" + name;
}

TEST(DirectoryCli, NearestWithinARadiusIntoANewFile) {
    TempDir dir;
    CurrentDirGuard cwd(dir.path());
    ASSERT_EQ(test::Cli("new radio.dat").status, 0);
    const std::string before = ReadFile("radio.dat");

    const test::CliRun run = test::Cli("import-directory radio.dat " + Fixture("uk_list.csv") +
                                       " --near IO91wm --radius 100 --out near.dat");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadFile("radio.dat"), before);
    // Every entry has its line: where it went, or why not.
    for (const char* line : {"Directory format: UK repeater list", "Row 2 GB3AA (0.0 km): stored in channel 0",
                             "Row 5 GB3BCN (5.8 km): stored in channel 1", "beacon: stored for receiving only",
                             "Row 3 GB3BB (122.9 km): skipped: farther than the radius",
                             "Row 4 GB7CC (7.4 km): skipped: not FM analog", "Row 8 GB3NOP: skipped: no position",
                             "tone the radio cannot store (1750)", "Entries read: 7; stored: 2; skipped: 5"})
        EXPECT_NE(run.err.find(line), std::string::npos) << line << "\n" << run.err;
    const test::CliRun channels = test::Cli("channels near.dat");
    EXPECT_NE(channels.out.find("0,VHF/UHF,145.72500,145.12500,Off,77.0,High,Wide,Yes,Off,1,GB3AA"), std::string::npos)
        << channels.out;
    EXPECT_NE(channels.out.find("1,VHF/UHF,144.43000,,Off,Off,High,Wide,Yes,Off,1,GB3BCN"), std::string::npos)
        << channels.out;
}

TEST(DirectoryCli, OptionsAndRefusals) {
    TempDir dir;
    CurrentDirGuard cwd(dir.path());
    ASSERT_EQ(test::Cli("new radio.dat").status, 0);
    const std::string before = ReadFile("radio.dat");
    const std::string json = Fixture("directory.json");
    struct Case {
        std::string args;
        int status;
        const char* says;
    };
    const Case cases[] = {
        {"--near XX99 " + json, 2, "--near wants a locator"},
        {"--radius 10 " + json, 2, "--radius needs --near"},
        {"--near IO91 --radius -3 " + json, 2, "--radius wants a distance"},
        {"--max 0 " + json, 2, "--max wants a number from 1 to 128"},
        {"--from 128 " + json, 2, "--from wants a channel from 0 to 127"},
        {"radio.dat", 2, "Not a repeater directory this program reads"},
        // Nothing within 1 km of Sydney: nothing stored, the file kept, exit status 8.
        {"--near=-33.8,151.0 --radius 1 " + json, 8, "Entries read: 10; stored: 0; skipped: 10"},
        {"--from 127 --max 1 " + json, 0, "Row 1 W1AAA: stored in channel 127"},
    };
    for (const Case& c : cases) {
        const test::CliRun run = test::Cli("import-directory radio.dat " + c.args + " --out out.dat");
        EXPECT_EQ(run.status, c.status) << c.args << "\n" << run.err;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << c.args << "\n" << run.err;
        EXPECT_EQ(ReadFile("radio.dat"), before) << c.args;
    }
}

TEST(DirectoryCli, ChannelsInUseStayUnlessOverwritten) {
    TempDir dir;
    CurrentDirGuard cwd(dir.path());
    ASSERT_EQ(test::Cli("new radio.dat").status, 0);
    ASSERT_EQ(test::Cli("import-directory radio.dat " + Fixture("australian.csv")).status, 0);
    // Again: the five channels in use are kept, the next five used.
    const test::CliRun again =
        test::Cli("import-directory radio.dat " + Fixture("australian.csv") + " --out again.dat");
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_NE(again.err.find("Row 3 VK2RWI: stored in channel 5"), std::string::npos) << again.err;
    const std::string channels = test::Cli("channels again.dat").out;
    EXPECT_NE(channels.find("0,VHF/UHF,146.70000"), std::string::npos) << channels;
    EXPECT_NE(channels.find("5,VHF/UHF,146.70000"), std::string::npos) << channels;
    // With --overwrite the same entries land where they were: the file stays the same.
    const test::CliRun over =
        test::Cli("import-directory radio.dat " + Fixture("australian.csv") + " --overwrite --out over.dat");
    ASSERT_EQ(over.status, 0) << over.err;
    RadioImage once, twice;
    ASSERT_TRUE(OpenDatFile("radio.dat", once).ok);
    ASSERT_TRUE(OpenDatFile("over.dat", twice).ok);
    EXPECT_SAME_IMAGE(twice, once);
}

}  // namespace
}  // namespace radioprog
