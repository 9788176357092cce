// SPDX-License-Identifier: GPL-3.0-or-later
// radioprog-cli starts without Qt GUI: only "print" loads its plugin, which brings it.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>

#include "support/cli_run.h"
#include "support/temp_dir.h"

namespace radioprog {
namespace {

using test::CurrentDirGuard;
using test::ReadFile;
using test::TempDir;

// Runs a shell command; the exit status and what the dynamic loader reported (stderr).
struct LoaderRun {
    int status;
    std::string loaded;
};

LoaderRun Shell(const std::string& command) {
    const test::CliRun run = test::RunShell("LD_DEBUG=files " + command);
    return {run.status, run.err};
}

bool LoadsQtGui(const LoaderRun& run) { return run.loaded.find("libQt6Gui.so") != std::string::npos; }

TEST(LeanCli, OnlyPrintLoadsQtGui) {
    TempDir dir;
    CurrentDirGuard cwd(dir.path());
    const std::string cli = test::CliPath();
    ASSERT_EQ(Shell(cli + " new r.dat").status, 0);
    for (const char* args : {" channels r.dat", " export-csv r.dat r.csv", " --help", " ports"}) {
        LoaderRun run = Shell(cli + args);
        EXPECT_FALSE(LoadsQtGui(run)) << args;
    }
    if (Shell(cli + " --help").status == 0 && ReadFile("out.txt").find("print FILE") == std::string::npos)
        GTEST_SKIP() << "radioprog-cli was built without printing";
    LoaderRun print = Shell(cli + " print r.dat --pdf r.pdf");
    EXPECT_EQ(print.status, 0) << print.loaded.substr(print.loaded.size() > 2000 ? print.loaded.size() - 2000 : 0);
    EXPECT_TRUE(LoadsQtGui(print));
}

TEST(LeanCli, PrintWithoutItsPluginSaysSo) {
    const std::string installed = std::string(RADIOPROG_PLUGIN_DIR) + "/radioprog-print.so";
    if (std::filesystem::exists(installed)) GTEST_SKIP() << "the plugin is installed at " << installed;
    TempDir dir;
    CurrentDirGuard cwd(dir.path());
    // A copy of the program with no plugin beside it.
    std::filesystem::create_directories("bin");
    std::filesystem::copy_file(test::CliPath(), "bin/radioprog-cli");
    ASSERT_EQ(std::system("bin/radioprog-cli new r.dat"), 0);
    int status = std::system("bin/radioprog-cli print r.dat --pdf r.pdf 2>err.txt");
    if (WIFEXITED(status) && WEXITSTATUS(status) == 2 &&
        ReadFile("err.txt").find("unknown command") != std::string::npos)
        GTEST_SKIP() << "radioprog-cli was built without printing";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2);
    EXPECT_NE(ReadFile("err.txt").find("print: printing is not installed (radioprog-print.so not found)"),
              std::string::npos)
        << ReadFile("err.txt");
    EXPECT_FALSE(std::filesystem::exists("r.pdf"));
}

}  // namespace
}  // namespace radioprog
