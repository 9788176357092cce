// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/data_paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/env_guard.h"
#include "support/temp_dir.h"

namespace radioprog {
namespace {

namespace fs = std::filesystem;
using test::CurrentDirGuard;
using test::EnvGuard;
using test::TempDir;

TEST(DataPaths, XdgDataDirsFollowTheEnvironment) {
    struct Case {
        const char* dataHome;
        const char* dataDirs;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {nullptr, nullptr, {"/home/u/.local/share", "/usr/local/share", "/usr/share"}},
        {"", "", {"/home/u/.local/share", "/usr/local/share", "/usr/share"}},
        {"/xdg/home", "/opt/share:/usr/share/", {"/xdg/home", "/opt/share", "/usr/share"}},
        // Relative entries are skipped, empty ones and repeats too.
        {"rel/home", "share::/a:rel:/a/:/usr/share", {"/home/u/.local/share", "/a", "/usr/share"}},
    };
    EnvGuard home("HOME", "/home/u");
    for (const Case& c : cases) {
        EnvGuard dataHome("XDG_DATA_HOME", c.dataHome);
        EnvGuard dataDirs("XDG_DATA_DIRS", c.dataDirs);
        EXPECT_EQ(XdgDataDirs(), c.expected)
            << (c.dataHome ? c.dataHome : "-") << " " << (c.dataDirs ? c.dataDirs : "-");
    }
    EnvGuard noHome("HOME", nullptr);
    EnvGuard dataHome("XDG_DATA_HOME", nullptr);
    EnvGuard dataDirs("XDG_DATA_DIRS", "/usr/share");
    EXPECT_EQ(XdgDataDirs(), std::vector<std::string>{"/usr/share"});
}

// An installed program started from any directory finds its files in
// <data dir>/radioprog; the current directory still comes first.
TEST(DataPaths, FilesInAnXdgDataDirectoryAreFoundAfterTheCurrentDirectory) {
    TempDir cwd, user, system;
    fs::create_directories(system.path() / "radioprog");
    fs::create_directories(user.path() / "radioprog");
    CurrentDirGuard inCwd(cwd.path());
    EnvGuard dataHome("XDG_DATA_HOME", user.path().c_str());
    const std::string dataDirs = "/nonexistent:" + system.path().string();
    EnvGuard systemDirs("XDG_DATA_DIRS", dataDirs.c_str());

    const std::string name = "radioprog-data-paths-test.csv";
    EXPECT_EQ(FindDataFile({name}), "");
    system.write("radioprog/" + name, "system");
    EXPECT_EQ(FindDataFile({name}), (system.path() / "radioprog" / name).string());
    user.write("radioprog/" + name, "user");
    EXPECT_EQ(FindDataFile({name}), (user.path() / "radioprog" / name).string());
    cwd.write(name, "here");
    EXPECT_EQ(FindDataFile({name}), name);

    const std::vector<std::string> dirs = DataSearchDirs();
    ASSERT_GE(dirs.size(), 4u);
    EXPECT_EQ(dirs[0], ".");
    EXPECT_EQ(dirs[1], ProgramDir());
    EXPECT_EQ(dirs[2], (user.path() / "radioprog").string());
    EXPECT_EQ(dirs[3], "/nonexistent/radioprog");
}

}  // namespace
}  // namespace radioprog
