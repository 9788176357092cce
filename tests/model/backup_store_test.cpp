// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/backup_store.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <set>

#include "model/dat_file.h"
#include "support/env_guard.h"
#include "support/same_image.h"
#include "support/temp_dir.h"

namespace radioprog {
namespace {

namespace fs = std::filesystem;
using test::EnvGuard;
using test::FileNames;
using test::TempDir;

// 2026-12-10 14:03:27 local time.
std::time_t LocalTime(int day, int hour, int minute, int second) {
    std::tm tm{};
    tm.tm_year = 2026 - 1900;
    tm.tm_mon = 11;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = -1;
    return std::mktime(&tm);
}

TEST(BackupStore, DirectoryFollowsXdgDataHomeElseHome) {
    EnvGuard home("HOME", "/home/user");
    {
        EnvGuard xdg("XDG_DATA_HOME", "/data/here");
        EXPECT_EQ(BackupDirectory(), "/data/here/radioprog/backups");
    }
    for (const char* unusable : {"", "relative/dir"}) {
        EnvGuard xdg("XDG_DATA_HOME", unusable);
        EXPECT_EQ(BackupDirectory(), "/home/user/.local/share/radioprog/backups") << unusable;
    }
    EnvGuard xdg("XDG_DATA_HOME", nullptr);
    EXPECT_EQ(BackupDirectory(), "/home/user/.local/share/radioprog/backups");
    EnvGuard noHome("HOME", nullptr);
    EXPECT_EQ(BackupDirectory(), "");
    EXPECT_FALSE(SaveBackup(RadioImage()).ok);
}

TEST(BackupStore, SavesNamedByTimeUniqueWithinASecondAndKeepsTheNewest50) {
    TempDir dir;
    EnvGuard xdg("XDG_DATA_HOME", dir.path().c_str());
    const fs::path backups = dir.path() / "radioprog" / "backups";
    RadioImage image;
    image.ApplyDefaults();
    image.setPort(9);

    BackupResult first = SaveBackup(image, LocalTime(10, 14, 3, 27));
    ASSERT_TRUE(first.ok) << first.error;
    EXPECT_EQ(first.path, (backups / "radio-2026-12-10_14-03-27.dat").string());
    RadioImage read;
    ASSERT_TRUE(OpenDatFile(first.path, read).ok);
    EXPECT_SAME_IMAGE(read, image);
    BackupResult second = SaveBackup(image, LocalTime(10, 14, 3, 27));
    EXPECT_EQ(second.path, (backups / "radio-2026-12-10_14-03-27_2.dat").string());

    // 60 more, one a minute on the next day; another program's file stays.
    std::ofstream(backups / "notes.txt") << "mine";
    for (int i = 0; i < 60; ++i) ASSERT_TRUE(SaveBackup(image, LocalTime(11, 9, i, 0)).ok);
    std::set<std::string> names = FileNames(backups);
    EXPECT_EQ(names.size(), kBackupsKept + 1);
    EXPECT_TRUE(names.count("notes.txt"));
    EXPECT_FALSE(names.count("radio-2026-12-10_14-03-27_2.dat")) << "the oldest went first";
    EXPECT_FALSE(names.count("radio-2026-12-11_09-09-00.dat"));
    EXPECT_TRUE(names.count("radio-2026-12-11_09-10-00.dat"));
    EXPECT_TRUE(names.count("radio-2026-12-11_09-59-00.dat"));

    // A clock set back: the new backup is the oldest by name but is never the one removed.
    BackupResult early = SaveBackup(image, LocalTime(1, 0, 0, 0));
    ASSERT_TRUE(early.ok);
    EXPECT_TRUE(fs::exists(early.path));
    EXPECT_EQ(FileNames(backups).size(), kBackupsKept + 1);
}

TEST(BackupStore, PrunesOnlyFilesNamedLikeBackupsOrderingSequencesAsNumbers) {
    TempDir dir;
    EnvGuard xdg("XDG_DATA_HOME", dir.path().c_str());
    const fs::path backups = dir.path() / "radioprog" / "backups";
    fs::create_directories(backups);
    const std::set<std::string> nearMisses = {
        "radio-2026-12-10_14-03-27.dat.bak",     "radio-2026-12-10_14-03-2x.dat",   "radio-2026-12-10_14-03-27_.dat",
        "radio-2026-12-10_14-03-27_1234567.dat", "Radio-2026-12-10_14-03-27.dat",   "radio-2026-12-10_14-03-27.DAT",
        "radio-2026-12-10-14-03-27.dat",         "radio-2026-12-10_14-03-27x1.dat", "radio-.dat",
        "radio-2026-12-10_14-03-27_+1.dat",
    };
    for (const std::string& name : nearMisses) std::ofstream(backups / name) << "keep";
    for (const char* name : {"radio-2026-12-10_14-03-27_9.dat", "radio-2026-12-10_14-03-27_10.dat"})
        std::ofstream(backups / name) << "old";
    RadioImage image;
    image.ApplyDefaults();
    BackupResult saved = SaveBackup(image, LocalTime(11, 9, 0, 0), 2);
    ASSERT_TRUE(saved.ok) << saved.error;
    std::set<std::string> expected = nearMisses;
    expected.insert({"radio-2026-12-10_14-03-27_10.dat", "radio-2026-12-11_09-00-00.dat"});
    EXPECT_EQ(FileNames(backups), expected) << "_9 is older than _10; nothing else is a backup";
}

TEST(BackupStore, ReportsWhyNothingWasWritten) {
    TempDir dir;
    dir.write("blocker", "a file where the data directory should be");
    EnvGuard xdg("XDG_DATA_HOME", dir.file("blocker").c_str());
    BackupResult result = SaveBackup(RadioImage());
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.path.empty());
    EXPECT_NE(result.error.find("blocker"), std::string::npos) << result.error;
}

}  // namespace
}  // namespace radioprog
