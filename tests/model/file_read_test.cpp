// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/file_read.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <future>

#include "support/temp_dir.h"

namespace radioprog {
namespace {

using test::TempDir;

TEST(ReadWholeFile, ReadsRegularFilesUpToTheLimit) {
    TempDir dir;
    std::string text = std::string("a\0b", 3) + std::string(70000, 'x');
    FileContent read = ReadWholeFile(dir.write("a.csv", text));
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_EQ(read.bytes, text);
    EXPECT_TRUE(ReadWholeFile(dir.write("empty", "")).ok);
    EXPECT_TRUE(ReadWholeFile(dir.write("ten", "0123456789"), 10).ok);
}

TEST(ReadWholeFile, RefusesWhatIsNotAReadableRegularFileOfAcceptedSize) {
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0600), 0);
    std::filesystem::create_directory(dir.path() / "folder");
    dir.write("eleven", "0123456789!");
    struct Case {
        std::string path;
        std::size_t limit;
        ReadFailure failure;
        std::string says;
    } cases[] = {
        {dir.file("pipe"), kMaxInputBytes, ReadFailure::NotRegular, "not a regular file"},
        {dir.file("folder"), kMaxInputBytes, ReadFailure::NotRegular, "not a regular file"},
        {"/dev/zero", kMaxInputBytes, ReadFailure::NotRegular, "not a regular file"},
        {dir.file("missing"), kMaxInputBytes, ReadFailure::Open, "No such file"},
        {dir.file("eleven"), 10, ReadFailure::TooLarge, "larger than 16 MB"},
    };
    for (const Case& c : cases) {
        // A pipe without a writer must be refused at once, not waited on.
        auto reading = std::async(std::launch::async, [&] { return ReadWholeFile(c.path, c.limit); });
        ASSERT_EQ(reading.wait_for(std::chrono::seconds(10)), std::future_status::ready) << c.path;
        FileContent read = reading.get();
        EXPECT_FALSE(read.ok) << c.path;
        EXPECT_EQ(read.failure, c.failure) << c.path;
        EXPECT_NE(read.error.find(c.says), std::string::npos) << read.error;
        EXPECT_NE(read.error.find(c.path), std::string::npos) << read.error;
        EXPECT_TRUE(read.bytes.empty());
    }
}

TEST(ReadWholeFile, RefusesAFileJustOverSixteenMegabytes) {
    TempDir dir;
    std::string path = dir.file("big.csv");
    std::filesystem::resize_file(dir.write("big.csv", ""), kMaxInputBytes + 1);
    EXPECT_EQ(ReadWholeFile(path).failure, ReadFailure::TooLarge);
    std::filesystem::resize_file(path, kMaxInputBytes);
    EXPECT_TRUE(ReadWholeFile(path).ok);
}

}  // namespace
}  // namespace radioprog
