// SPDX-License-Identifier: GPL-3.0-or-later
// radioprog-cli print: the three pages of a .dat file as a PDF, read back with poppler's tools.
#include <gtest/gtest.h>

#include <cstdio>
#include <regex>
#include <set>
#include <sstream>

#include "support/cli_run.h"
#include "support/temp_dir.h"

namespace radioprog {
namespace {

using test::Cli;
using test::CliRun;
using test::CurrentDirGuard;
using test::ReadFile;
using test::RunShell;
using test::TempDir;

class PrintCli : public ::testing::Test {
protected:
    void SetUp() override {
        if (Cli("--help").out.find("print FILE") == std::string::npos)
            GTEST_SKIP() << "radioprog-cli was built without Qt";
        if (RunShell("pdftotext -v").status == 127) GTEST_SKIP() << "poppler-utils are not installed";
        // Row r reads "Z<r>" in column 0 and "R<r>" in the default column 2.
        std::string lang = "Zh,Tw,En\n";
        for (int r = 0; r < 194; ++r)
            lang += "Z" + std::to_string(r) + ",T" + std::to_string(r) + ",R" + std::to_string(r) + "\n";
        dir_.write("lang.csv", lang);
        ASSERT_EQ(Cli("new r.dat").status, 0);
    }

    TempDir dir_;
    CurrentDirGuard cwd_{dir_.path()};
};

std::string PdfText(const std::string& pdf, int first, int last) {
    return RunShell("pdftotext -layout -f " + std::to_string(first) + " -l " + std::to_string(last) + " " + pdf + " -")
        .out;
}

// Outside a desktop session (no XDG_RUNTIME_DIR) the print says nothing on stderr.
TEST_F(PrintCli, NoDesktopSessionNoStrayNotice) {
    CliRun run = RunShell("env -u XDG_RUNTIME_DIR " + test::CliPath() + " print r.dat --pdf quiet.pdf");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_FALSE(ReadFile("quiet.pdf").empty());
}

TEST_F(PrintCli, DefaultImageGivesThreePages) {
    ASSERT_EQ(Cli("print r.dat --pdf out.pdf").status, 0) << ReadFile("err.txt");
    const std::string info = RunShell("pdfinfo out.pdf").out;
    EXPECT_TRUE(std::regex_search(info, std::regex("Pages: +3\n"))) << info;

    // Pages 1 and 2: the headers over the columns, then channels 0..127, each only its number.
    const std::string channels = PdfText("out.pdf", 1, 2);
    EXPECT_TRUE(std::regex_search(channels, std::regex("R17 +R155 +R18 +R19 +R20 +R21 +R22 +R24 +R23 +R25 +R156 +R26")))
        << channels;
    std::set<int> numbers;
    std::istringstream lines(channels);
    for (std::string line; std::getline(lines, line);) {
        std::smatch number;
        if (std::regex_match(line, number, std::regex(" *([0-9]+) *"))) numbers.insert(std::stoi(number[1]));
    }
    EXPECT_EQ(numbers.size(), 128u);
    EXPECT_EQ(*numbers.rbegin(), 127);

    // Page 3: labels and the settings' values.
    const std::string settings = PdfText("out.pdf", 3, 3);
    // Switches print as the form shows them (R4 "Off", R5 "On"), both VFO blocks with their headings.
    for (const char* pattern : {"R29", "R43= +45", "R58= +R4", "R72", "R73", "R74= +136\\.00000", "R74= +400\\.00000",
                                "R80= +00\\.600", "R86= +5", "R88= +10", "R89= +10", "R57= +R5"})
        EXPECT_TRUE(std::regex_search(settings, std::regex(pattern))) << pattern << "\n" << settings;
    EXPECT_FALSE(std::regex_search(settings, std::regex("R17\\b"))) << "no channel header on page 3";
}

TEST_F(PrintCli, LanguageChoosesTheColumn) {
    ASSERT_EQ(Cli("print r.dat --language 0 --pdf zh.pdf").status, 0) << ReadFile("err.txt");
    const std::string text = PdfText("zh.pdf", 1, 3);
    EXPECT_NE(text.find("Z17"), std::string::npos);
    EXPECT_NE(text.find("Z43="), std::string::npos);
    EXPECT_EQ(text.find("R17"), std::string::npos);
}

TEST_F(PrintCli, UsageErrorsAndBadFilesExitWithTwo) {
    dir_.write("short.dat", std::string(100, 'x'));
    for (const char* args :
         {"print", "print r.dat", "print r.dat --pdf", "print --pdf o.pdf", "print r.dat r.dat --pdf o.pdf",
          "print r.dat --pdf o.pdf --frob", "print r.dat --pdf o.pdf --language x",
          "print r.dat --pdf o.pdf --language 3", "print missing.dat --pdf o.pdf", "print short.dat --pdf o.pdf",
          "print r.dat --pdf no/such/dir/o.pdf"}) {
        EXPECT_EQ(Cli(args).status, 2) << args;
        EXPECT_NE(ReadFile("err.txt").find("radioprog-cli: "), std::string::npos) << args;
    }
}

}  // namespace
}  // namespace radioprog
