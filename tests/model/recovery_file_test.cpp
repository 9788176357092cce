// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/recovery_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "model/dat_file.h"
#include "support/env_guard.h"
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

TEST(RecoveryFile, LivesInTheStateDirectory) {
    {
        StateHome env("/s", "/h");
        EXPECT_EQ(RecoveryFilePath(), "/s/radioprog/recovery.dat");
    }
    for (const char* unusable : {"", "relative/dir"}) {
        StateHome env(unusable, "/h");
        EXPECT_EQ(RecoveryFilePath(), "/h/.local/state/radioprog/recovery.dat");
    }
    StateHome env(nullptr, nullptr);
    EXPECT_EQ(RecoveryFilePath(), "");
    EXPECT_FALSE(WriteRecovery(RadioImage{}, "").ok);
    EXPECT_FALSE(ReadRecovery());
}

TEST(RecoveryFile, KeepsTheImageAndTheDocumentPathTogetherAndOpensAsADatFile) {
    TempDir dir;
    StateHome env((dir.path() / "state").c_str(), "/nonexistent");
    EXPECT_FALSE(ReadRecovery());
    RadioImage image;
    image.ApplyDefaults();
    image.bytes[4700] = 0x12;
    image.setPort(6);
    for (const std::string path : {"/home/u/radios/\xE5\x8F\xB0 1.dat", ""}) {
        SCOPED_TRACE(path);
        ASSERT_TRUE(WriteRecovery(image, path).ok);  // creates the directory
        std::optional<Recovery> read = ReadRecovery();
        ASSERT_TRUE(read);
        EXPECT_EQ(read->image, image);
        EXPECT_EQ(read->documentPath, path);
    }
    RadioImage opened;
    ASSERT_TRUE(OpenDatFile(RecoveryFilePath(), opened).ok);
    EXPECT_EQ(opened, image);

    RemoveRecovery();
    EXPECT_FALSE(fs::exists(RecoveryFilePath()));
    EXPECT_FALSE(ReadRecovery());
    RemoveRecovery();  // nothing there: nothing happens

    // A file too short to be an image is not offered.
    dir.write("state/radioprog/recovery.dat", std::string(100, '\x01'));
    EXPECT_FALSE(ReadRecovery());
}

}  // namespace
}  // namespace radioprog
