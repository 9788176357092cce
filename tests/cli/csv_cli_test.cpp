// SPDX-License-Identifier: GPL-3.0-or-later
// radioprog-cli export-csv and import-csv as a user runs them through the shell.
#include <gtest/gtest.h>

#include <cstdio>

#include "editors/channel_csv.h"
#include "editors/varied_channels.h"
#include "model/channel_record.h"
#include "model/dat_file.h"
#include "support/cli_run.h"
#include "support/same_image.h"
#include "support/temp_dir.h"

namespace radioprog {
namespace {

using test::CurrentDirGuard;
using test::ReadFile;
using test::TempDir;

// Runs the tool in the current directory; returns the exit status, stderr in err.txt.
int Cli(const std::string& args) { return test::Cli(args).status; }

RadioImage Open(const std::string& path) {
    RadioImage image;
    EXPECT_TRUE(OpenDatFile(path, image).ok) << path;
    return image;
}

TEST(CsvCli, ExportThenImportIntoANewFile) {
    TempDir dir;
    CurrentDirGuard cwd(dir.path());
    const RadioImage varied = testing::VariedImage(testing::DistinctRows());
    ASSERT_TRUE(SaveDatFile(varied, "varied.dat").ok);

    ASSERT_EQ(Cli("export-csv varied.dat channels.csv"), 0) << ReadFile("err.txt");
    EXPECT_EQ(ReadFile("channels.csv"), ExportChannelsCsv(varied));

    ASSERT_EQ(Cli("new empty.dat"), 0);
    const std::string emptyBefore = ReadFile("empty.dat");
    ASSERT_EQ(Cli("import-csv empty.dat channels.csv --out filled.dat"), 0) << ReadFile("err.txt");
    EXPECT_EQ(ReadFile("err.txt"), "Channels imported: 12\n");
    EXPECT_SAME_IMAGE(Open("filled.dat"), varied);
    EXPECT_EQ(ReadFile("empty.dat"), emptyBefore) << "--out leaves FILE.dat alone";
}

TEST(CsvCli, ImportInPlaceReportsSkippedRowsOnStderr) {
    TempDir dir;
    CurrentDirGuard cwd(dir.path());
    ASSERT_EQ(Cli("new r.dat"), 0);
    dir.write("in.csv", "Location\tFrequency\tTone\tcToneFreq\n3\t145.5\t\t\n4\t99\t\t\n5\t146\tTSQL\t69.0\n");
    ASSERT_EQ(Cli("import-csv r.dat in.csv"), 0);
    EXPECT_EQ(ReadFile("err.txt"),
              "in.csv: Row 3: Frequency: outside 136-520 MHz (99)\n"
              "in.csv: Row 4: cToneFreq: tone the radio cannot store (69.0)\n"
              "Channels imported: 1\n");
    RadioImage image = Open("r.dat");
    EXPECT_TRUE(ChannelInUse(image, 3));
    EXPECT_FALSE(ChannelInUse(image, 4));
    EXPECT_FALSE(ChannelInUse(image, 5));
}

TEST(CsvCli, PlacementAndBandGapOptions) {
    TempDir dir;
    CurrentDirGuard cwd(dir.path());
    ASSERT_EQ(Cli("new r.dat"), 0);
    dir.write("far.csv", "Location,Frequency\n300,145.5\n301,223.5\n302,146.5\n");

    // By Location nothing fits: exit 8, the file stays.
    const std::string before = ReadFile("r.dat");
    EXPECT_EQ(Cli("import-csv r.dat far.csv"), 8);
    EXPECT_EQ(ReadFile("r.dat"), before);

    // In file order from channel 126: the band-gap row is stored with a warning, the third
    // row has no channel left.
    ASSERT_EQ(Cli("import-csv r.dat far.csv --from=126"), 0) << ReadFile("err.txt");
    EXPECT_EQ(ReadFile("err.txt"),
              "far.csv: Row 3: Warning (stored): Frequency: outside the radio's usual bands 136-174 / 400-520 MHz; "
              "the radio refuses the write if its bands exclude it (223.5)\n"
              "far.csv: Row 4: beyond channel 127\n"
              "Channels imported: 2\n");
    RadioImage image = Open("r.dat");
    EXPECT_TRUE(ChannelInUse(image, 126));
    EXPECT_TRUE(ChannelInUse(image, 127));

    // --strict-bands refuses the band-gap row instead.
    ASSERT_EQ(Cli("new s.dat"), 0);
    ASSERT_EQ(Cli("import-csv s.dat far.csv --from 0 --strict-bands"), 0);
    image = Open("s.dat");
    EXPECT_TRUE(ChannelInUse(image, 0));
    EXPECT_FALSE(ChannelInUse(image, 1));
    EXPECT_TRUE(ChannelInUse(image, 2));
    EXPECT_NE(ReadFile("err.txt").find("Row 3: Frequency: outside the radio's usual bands"), std::string::npos);

    for (const char* bad : {"--from 128", "--from=-1", "--from x", "--from="}) {
        EXPECT_EQ(Cli(std::string("import-csv s.dat far.csv ") + bad), 2) << bad;
        EXPECT_NE(ReadFile("err.txt").find("--from"), std::string::npos) << bad;
    }
}

TEST(CsvCli, UsageAndFileErrorsExitWithTwoAndChangeNothing) {
    TempDir dir;
    CurrentDirGuard cwd(dir.path());
    ASSERT_EQ(Cli("new r.dat"), 0);
    const std::string before = ReadFile("r.dat");
    dir.write("nofreq.csv", "Location,Name\n1,A\n");
    dir.write("ok.csv", "Location,Frequency\n1,145.5\n");
    for (const char* args :
         {"export-csv", "export-csv r.dat", "export-csv missing.dat out.csv", "export-csv r.dat no/such/dir/out.csv",
          "import-csv r.dat", "import-csv r.dat ok.csv --out", "import-csv r.dat missing.csv",
          "import-csv missing.dat ok.csv", "import-csv r.dat nofreq.csv",
          "import-csv r.dat ok.csv --out no/such/dir/x.dat"}) {
        EXPECT_EQ(Cli(args), 2) << args;
        std::string err = ReadFile("err.txt");
        EXPECT_EQ(err.rfind("radioprog-cli: ", 0), 0u) << args << ": " << err;
        EXPECT_EQ(ReadFile("r.dat"), before) << args;
    }
    EXPECT_NE(ReadFile("err.txt").find("x.dat"), std::string::npos);
    EXPECT_EQ(Cli("import-csv --help"), 0);
}

}  // namespace
}  // namespace radioprog
