// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/recovery_file.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <optional>

#include "model/dat_file.h"
#include "support/env_guard.h"
#include "support/same_image.h"
#include "support/temp_dir.h"

namespace radioprog {
namespace {

namespace fs = std::filesystem;
using test::EnvGuard;
using test::TempDir;

// XDG_STATE_HOME and HOME set (nullptr: unset) for one test.
struct StateHome {
    StateHome(const char* stateHome, const char* home) : stateHome_("XDG_STATE_HOME", stateHome), home_("HOME", home) {}
    EnvGuard stateHome_;
    EnvGuard home_;
};

const std::string kOwnName = "recovery-" + std::to_string(::getpid()) + ".dat";

TEST(RecoveryFile, EachProgramHasItsOwnInTheStateDirectory) {
    {
        StateHome env("/s", "/h");
        EXPECT_EQ(OwnRecovery().path(), "/s/radioprog/" + kOwnName);
    }
    for (const char* unusable : {"", "relative/dir"}) {
        StateHome env(unusable, "/h");
        EXPECT_EQ(OwnRecovery().path(), "/h/.local/state/radioprog/" + kOwnName);
    }
    StateHome env(nullptr, nullptr);
    OwnRecovery own;
    EXPECT_EQ(own.path(), "");
    EXPECT_FALSE(own.write(RadioImage{}, "").ok);
    EXPECT_TRUE(UnheldRecoveryFiles().empty());
}

TEST(RecoveryFile, KeepsTheImageAndTheDocumentPathTogetherAndOpensAsADatFile) {
    TempDir dir;
    StateHome env((dir.path() / "state").c_str(), "/nonexistent");
    OwnRecovery own;
    EXPECT_FALSE(ReadRecovery(own.path()));
    RadioImage image;
    image.ApplyDefaults();
    image.bytes[4700] = 0x12;
    image.setPort(6);
    for (const std::string path : {"/home/u/radios/\xE5\x8F\xB0 1.dat", ""}) {
        SCOPED_TRACE(path);
        ASSERT_TRUE(own.write(image, path).ok);  // creates the directory
        std::optional<Recovery> read = ReadRecovery(own.path());
        ASSERT_TRUE(read);
        EXPECT_SAME_IMAGE(read->image, image);
        EXPECT_EQ(read->documentPath, path);
    }
    RadioImage opened;
    ASSERT_TRUE(OpenDatFile(own.path(), opened).ok);
    EXPECT_SAME_IMAGE(opened, image);
    // Held by this program: not offered to another one.
    EXPECT_TRUE(UnheldRecoveryFiles().empty());

    own.remove();
    EXPECT_FALSE(fs::exists(own.path()));
    own.remove();  // nothing there: nothing happens

    // A file too short to be an image is not read.
    dir.write("state/radioprog/recovery-1.dat", std::string(100, '\x01'));
    EXPECT_FALSE(ReadRecovery(dir.file("state/radioprog/recovery-1.dat")));
}

// A second running program: its file is not offered while it runs (the first one's Discard
// would delete its edits), and is offered once it has ended, however it ended.
TEST(RecoveryFile, OnlyFilesOfProgramsThatNoLongerRunAreOffered) {
    TempDir dir;
    StateHome env((dir.path() / "state").c_str(), "/nonexistent");
    RadioImage image;
    image.ApplyDefaults();
    // An earlier version's file, with no lock, is offered too; the newest comes first.
    ASSERT_TRUE(WriteRecovery(dir.file("state/radioprog/recovery.dat"), image, "old.dat").ok);
    fs::last_write_time(dir.file("state/radioprog/recovery.dat"),
                        fs::file_time_type::clock::now() - std::chrono::hours(1));
    dir.write("state/radioprog/recovery-12x.dat", "not ours");

    int ready[2], finish[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(finish), 0);
    const pid_t other = ::fork();
    ASSERT_GE(other, 0);
    if (other == 0) {
        ::close(finish[1]);
        OwnRecovery own;
        const bool written = own.write(image, "other.dat").ok;
        char byte = written ? 'y' : 'n';
        (void)!::write(ready[1], &byte, 1);
        (void)!::read(finish[0], &byte, 1);
        ::_exit(0);  // as a crash ends it: no clean-up
    }
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    ASSERT_EQ(byte, 'y');
    const std::string othersFile = dir.file("state/radioprog/recovery-" + std::to_string(other) + ".dat");
    EXPECT_TRUE(fs::exists(othersFile));
    EXPECT_EQ(UnheldRecoveryFiles(), std::vector<std::string>{dir.file("state/radioprog/recovery.dat")});
    RemoveRecovery(othersFile + ".not");  // nothing there

    ::close(finish[1]);
    int status = 0;
    ASSERT_EQ(::waitpid(other, &status, 0), other);
    const std::vector<std::string> offered = UnheldRecoveryFiles();
    EXPECT_EQ(offered, (std::vector<std::string>{othersFile, dir.file("state/radioprog/recovery.dat")}));
    ASSERT_TRUE(ReadRecovery(othersFile));
    EXPECT_EQ(ReadRecovery(othersFile)->documentPath, "other.dat");
    RemoveRecovery(othersFile);
    EXPECT_FALSE(fs::exists(othersFile));
    EXPECT_FALSE(fs::exists(dir.file("state/radioprog/recovery-" + std::to_string(other) + ".lock")));
    ::close(ready[0]);
    ::close(ready[1]);
    ::close(finish[0]);
}

}  // namespace
}  // namespace radioprog
