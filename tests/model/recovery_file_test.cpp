#include "model/recovery_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "model/dat_file.h"
#include "support/temp_dir.h"

namespace radioprog {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

// XDG_STATE_HOME (and HOME) set for one test.
class StateHome {
public:
    StateHome(const char* stateHome, const char* home) : stateHome_(Get("XDG_STATE_HOME")), home_(Get("HOME")) {
        Set("XDG_STATE_HOME", stateHome);
        Set("HOME", home);
    }
    ~StateHome() {
        Set("XDG_STATE_HOME", stateHome_ ? stateHome_->c_str() : nullptr);
        Set("HOME", home_ ? home_->c_str() : nullptr);
    }

private:
    static std::optional<std::string> Get(const char* name) {
        const char* value = std::getenv(name);
        return value ? std::optional<std::string>(value) : std::nullopt;
    }
    static void Set(const char* name, const char* value) {
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    std::optional<std::string> stateHome_, home_;
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
