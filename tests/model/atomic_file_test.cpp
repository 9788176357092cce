// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/atomic_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <set>
#include <thread>
#include <vector>

#include "support/temp_dir.h"

namespace radioprog {
namespace {

namespace fs = std::filesystem;
using test::FileNames;
using test::ReadFile;
using test::TempDir;

std::span<const std::uint8_t> Bytes(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// Both ways of writing (anonymous temporary file, and the named one for file systems
// without it) must keep the same promises.
class AtomicWrite : public ::testing::TestWithParam<bool> {
protected:
    FileResult Write(const std::string& path, const std::string& text) {
        return detail::WriteFileAtomically(path, Bytes(text), GetParam());
    }
};

TEST_P(AtomicWrite, CreatesAndReplacesLeavingOnlyTheTarget) {
    TempDir dir;
    ASSERT_TRUE(Write(dir.file("a.dat"), "first").ok);
    EXPECT_EQ(ReadFile(dir.file("a.dat")), "first");
    ASSERT_TRUE(Write(dir.file("a.dat"), "second, longer").ok);
    EXPECT_EQ(ReadFile(dir.file("a.dat")), "second, longer");
    ASSERT_TRUE(Write(dir.file("a.dat"), "").ok);
    EXPECT_EQ(ReadFile(dir.file("a.dat")), "");
    EXPECT_EQ(FileNames(dir.path()), std::set<std::string>{"a.dat"});
}

TEST_P(AtomicWrite, NewFileGetsDocumentModeAndExistingFileKeepsItsMode) {
    TempDir dir;
    mode_t previous = ::umask(022);
    ASSERT_TRUE(Write(dir.file("new.dat"), "x").ok);
    ::umask(previous);
    struct stat info {};
    ASSERT_EQ(::stat(dir.file("new.dat").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0644u);

    ASSERT_EQ(::chmod(dir.file("new.dat").c_str(), 0640), 0);
    ASSERT_TRUE(Write(dir.file("new.dat"), "y").ok);
    ASSERT_EQ(::stat(dir.file("new.dat").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST_P(AtomicWrite, WritesThroughSymlinksToTheirTarget) {
    TempDir dir;
    fs::create_directory(dir.path() / "real");
    dir.write("real/radio.dat", "old");
    fs::create_symlink("real/radio.dat", dir.path() / "hop");     // relative
    fs::create_symlink(dir.path() / "hop", dir.path() / "link");  // absolute, to another link
    fs::create_symlink("real/missing.dat", dir.path() / "dangling");

    ASSERT_TRUE(Write(dir.file("link"), "new").ok);
    EXPECT_TRUE(fs::is_symlink(dir.path() / "link"));
    EXPECT_TRUE(fs::is_symlink(dir.path() / "hop"));
    EXPECT_EQ(ReadFile(dir.file("real/radio.dat")), "new");

    ASSERT_TRUE(Write(dir.file("dangling"), "created").ok);
    EXPECT_TRUE(fs::is_symlink(dir.path() / "dangling"));
    EXPECT_EQ(ReadFile(dir.file("real/missing.dat")), "created");
    EXPECT_EQ(FileNames(dir.path() / "real"), (std::set<std::string>{"missing.dat", "radio.dat"}));
}

TEST_P(AtomicWrite, FailuresLeaveTheOldFileAndNoTemporaryFile) {
    TempDir dir;
    dir.write("a.dat", "old");
    fs::create_symlink("loop2", dir.path() / "loop1");
    fs::create_symlink("loop1", dir.path() / "loop2");
    fs::create_directory(dir.path() / "folder");
    ::mkfifo(dir.file("pipe").c_str(), 0600);

    FileResult loop = Write(dir.file("loop1"), "x");
    EXPECT_FALSE(loop.ok);
    EXPECT_NE(loop.error.find("loop1"), std::string::npos) << loop.error;
    EXPECT_FALSE(Write(dir.file("folder"), "x").ok);
    EXPECT_FALSE(Write(dir.file("pipe"), "x").ok);
    EXPECT_FALSE(Write(dir.file("no-such-dir/a.dat"), "x").ok);
    EXPECT_EQ(ReadFile(dir.file("a.dat")), "old");
    EXPECT_EQ(FileNames(dir.path()), (std::set<std::string>{"a.dat", "folder", "loop1", "loop2", "pipe"}));
}

TEST_P(AtomicWrite, ReadOnlyDirectoryFailsWithReason) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes anywhere";
    TempDir dir;
    dir.write("a.dat", "old");
    ::chmod(dir.path().c_str(), 0500);
    FileResult result = Write(dir.file("a.dat"), "new");
    ::chmod(dir.path().c_str(), 0700);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("Permission denied"), std::string::npos) << result.error;
    EXPECT_EQ(ReadFile(dir.file("a.dat")), "old");
}

// What a write killed between naming its temporary file and the rename leaves behind is
// removed by the next write of that target once it is over a minute old; younger ones (a write
// running now) and look-alikes of other names or shapes stay.
TEST_P(AtomicWrite, NextWriteRemovesOldLeftoversOfItsTarget) {
    TempDir dir;
    const std::set<std::string> kept = {".a.dat.tmpyoung123", ".b.dat.tmpabcdefgh", ".a.dat.tmpABCDEFGH",
                                        ".a.dat.tmpabc",      "a.dat.tmpabcdefgh",  ".a.dat.tmpold00dir"};
    const std::set<std::string> removed = {".a.dat.tmpabcdefgh", ".a.dat.tmp0123zz99"};
    for (const std::string& name : kept) dir.write(name, "x");
    for (const std::string& name : removed) dir.write(name, "x");
    fs::remove(dir.file(".a.dat.tmpold00dir"));
    fs::create_directory(dir.file(".a.dat.tmpold00dir"));
    const auto twoMinutesAgo = fs::last_write_time(dir.file("a.dat.tmpabcdefgh")) - std::chrono::minutes(2);
    for (const std::string& name : kept)
        if (name != ".a.dat.tmpyoung123") fs::last_write_time(dir.file(name), twoMinutesAgo);
    for (const std::string& name : removed) fs::last_write_time(dir.file(name), twoMinutesAgo);

    ASSERT_TRUE(Write(dir.file("a.dat"), "new").ok);
    std::set<std::string> expected = kept;
    expected.insert("a.dat");
    EXPECT_EQ(FileNames(dir.path()), expected);
}

INSTANTIATE_TEST_SUITE_P(Ways, AtomicWrite, ::testing::Values(true, false),
                         [](const auto& param) { return param.param ? "AnonymousTemp" : "NamedTemp"; });

// A write killed at any moment leaves the old or the new file whole and no partial file. (The
// only name it can leave is a finished copy, in the instant between naming the finished file
// and renaming it over the old one.)
// A program's output file: checked before a long job with the verdict the write gives.
TEST(OutputFile, TheCheckAgreesWithTheWrite) {
    TempDir dir;
    dir.write("a.dat", "old");
    fs::create_directory(dir.path() / "folder");
    fs::create_symlink("no-such-dir/x.dat", dir.path() / "dangling");
    const struct {
        std::string path;
        bool ok;
    } cases[] = {
        {dir.file("a.dat"), true},
        {dir.file("new.dat"), true},
        {dir.file("no-such-dir/a.dat"), false},
        {dir.file("a.dat/inside"), false},
        {dir.file("folder"), false},
        {dir.file("dangling"), false},
        {"/dev/null", true},
    };
    for (const auto& c : cases) {
        const FileResult check = CheckOutputFile(c.path);
        EXPECT_EQ(check.ok, c.ok) << c.path << ": " << check.error;
        const FileResult written = WriteOutputFile(c.path, Bytes("new"));
        EXPECT_EQ(written.ok, c.ok) << c.path << ": " << written.error;
        EXPECT_EQ(check.error, written.error) << c.path;
    }
    EXPECT_EQ(ReadFile(dir.file("a.dat")), "new");
}

TEST(OutputFile, APipeIsWrittenStraightThroughAndARegularFileStaysAtomic) {
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0600), 0);
    std::string received;
    std::thread reader([&] { received = ReadFile(dir.file("pipe")); });
    EXPECT_TRUE(WriteOutputFile(dir.file("pipe"), Bytes("through")).ok);
    reader.join();
    EXPECT_EQ(received, "through");
    EXPECT_EQ(FileNames(dir.path()), (std::set<std::string>{"pipe"})) << "no temporary file beside a pipe";
    EXPECT_FALSE(WriteFileAtomically(dir.file("pipe"), Bytes("x")).ok) << "the atomic writer still refuses it";
}

TEST(AtomicFile, KilledWriteLeavesOldOrNewFileAndNothingElse) {
    TempDir dir;
    const std::string oldText(1 << 20, 'o');
    const std::string newText(4 << 20, 'n');
    for (int delayMicros : {0, 200, 1000, 3000, 10000, 30000}) {
        dir.write("a.dat", oldText);
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(ready[0]);
            // The parent sees a failed write as the pipe closing at _exit.
            [[maybe_unused]] const ssize_t sent = ::write(ready[1], "r", 1);
            WriteFileAtomically(dir.file("a.dat"), newText);
            ::_exit(0);
        }
        ::close(ready[1]);
        char byte;
        ASSERT_EQ(::read(ready[0], &byte, 1), 1);
        std::this_thread::sleep_for(
            std::chrono::microseconds(delayMicros));  // the moment of the kill: the case under test
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        ::close(ready[0]);
        std::string now = ReadFile(dir.file("a.dat"));
        EXPECT_TRUE(now == oldText || now == newText) << "size " << now.size();
        for (const std::string& name : FileNames(dir.path())) {
            if (name == "a.dat") continue;
            EXPECT_EQ(ReadFile(dir.file(name)), newText) << name << " after " << delayMicros << " us";
            fs::remove(dir.path() / name);
        }
    }
}

}  // namespace
}  // namespace radioprog
