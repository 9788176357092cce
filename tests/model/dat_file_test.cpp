// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/dat_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "support/same_image.h"
#include "support/temp_dir.h"

namespace radioprog {
namespace {

using test::ReadFile;
using test::TempDir;

RadioImage DefaultImage() {
    RadioImage image;
    image.ApplyDefaults();
    return image;
}

RadioImage PatternImage() {
    RadioImage image;
    for (std::size_t i = 0; i < kImageSize; ++i) image.bytes[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return image;
}

TEST(DatSaveName, AppendsDatUnlessTheNameContainsIt) {
    EXPECT_EQ(DatSaveName("/home/u/radio"), "/home/u/radio.dat");
    EXPECT_EQ(DatSaveName("radio.DAT"), "radio.DAT.dat");
    EXPECT_EQ(DatSaveName("radio.dat.bak"), "radio.dat.bak");
    EXPECT_EQ(DatSaveName("radio.dat"), "radio.dat");
}

TEST(DatFile, SaveWritesTheImageAndZeroTrailer) {
    TempDir dir;
    RadioImage image = PatternImage();
    ASSERT_TRUE(SaveDatFile(image, dir.file("a.dat")).ok);
    std::string content = ReadFile(dir.file("a.dat"));
    ASSERT_EQ(content.size(), kDatFileSize);
    EXPECT_EQ(content.substr(0, kImageSize), std::string(image.bytes.begin(), image.bytes.end()));
    EXPECT_EQ(content.substr(kImageSize), std::string(776, '\0'));
    EXPECT_EQ(test::FileNames(dir.path()), std::set<std::string>{"a.dat"}) << "no temporary file is left behind";
}

TEST(DatFile, RoundTripRestoresEverythingIncludingDtmfCodes) {
    TempDir dir;
    RadioImage saved = PatternImage();
    ASSERT_TRUE(SaveDatFile(saved, dir.file("a.dat")).ok);
    RadioImage opened = DefaultImage();
    ASSERT_TRUE(OpenDatFile(dir.file("a.dat"), opened).ok);
    EXPECT_SAME_IMAGE(opened, saved);
}

TEST(DatFile, FileLengthDecidesWhatIsRestored) {
    TempDir dir;
    RadioImage source = PatternImage();
    std::string full(source.bytes.begin(), source.bytes.end());
    struct Case {
        std::size_t length;
        bool ok;
        std::size_t restored;
    };
    for (Case c : {Case{0, false, 0}, Case{100, false, 0}, Case{4557, false, 0}, Case{4558, true, 4558},
                   Case{4815, true, 4558}, Case{4816, true, 4816}, Case{5592, true, 4816}, Case{9000, true, 4816},
                   Case{kDatMaximumSize, true, 4816}, Case{kDatMaximumSize + 1, false, 0}, Case{16 << 20, false, 0}}) {
        std::string content = full;
        content.resize(c.length, '\x11');
        RadioImage image = DefaultImage();
        const RadioImage before = image;
        FileResult result = OpenDatFile(dir.write("f.dat", content), image);
        EXPECT_EQ(result.ok, c.ok) << c.length;
        for (std::size_t i = 0; i < kImageSize; ++i) {
            std::uint8_t expected = i < c.restored ? source.bytes[i] : before.bytes[i];
            ASSERT_EQ(image.bytes[i], expected) << "length " << c.length << " offset " << i;
        }
        if (!c.ok) {
            EXPECT_NE(result.error.find("is not a radio image"), std::string::npos) << result.error;
        }
    }
}

TEST(DatFile, PortNumberIsStoredUnchecked) {
    TempDir dir;
    for (int port : {0, 99, -3}) {
        RadioImage image = DefaultImage();
        image.setPort(port);
        ASSERT_TRUE(SaveDatFile(image, dir.file("p.dat")).ok);
        RadioImage opened = DefaultImage();
        ASSERT_TRUE(OpenDatFile(dir.file("p.dat"), opened).ok);
        EXPECT_EQ(opened.port(), port);
    }
}

TEST(DatFile, FailuresKeepTheImageAndTheOldFile) {
    TempDir dir;
    RadioImage image = DefaultImage();
    const RadioImage before = image;
    FileResult missing = OpenDatFile(dir.file("missing.dat"), image);
    EXPECT_FALSE(missing.ok);
    EXPECT_NE(missing.error.find("No such file"), std::string::npos) << missing.error;
    EXPECT_FALSE(OpenDatFile(dir.path().string(), image).ok) << "a directory is not an image";
    EXPECT_SAME_IMAGE(image, before);

    ASSERT_TRUE(SaveDatFile(before, dir.file("keep.dat")).ok);
    std::string old = ReadFile(dir.file("keep.dat"));
    ::chmod(dir.path().c_str(), 0500);  // the directory refuses the temporary file
    FileResult denied = SaveDatFile(PatternImage(), dir.file("keep.dat"));
    ::chmod(dir.path().c_str(), 0700);
    if (::geteuid() != 0) {  // root ignores directory permissions
        EXPECT_FALSE(denied.ok);
        EXPECT_FALSE(denied.error.empty());
        EXPECT_EQ(ReadFile(dir.file("keep.dat")), old);
    }
    std::filesystem::create_directory(dir.file("adir.dat"));
    EXPECT_FALSE(SaveDatFile(before, dir.file("adir.dat")).ok) << "a directory in the way";
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("adir.dat")));
    FileResult noDir = SaveDatFile(before, dir.file("no/such/dir/x.dat"));
    EXPECT_FALSE(noDir.ok);
    EXPECT_NE(noDir.error.find("No such file"), std::string::npos) << noDir.error;
}

}  // namespace
}  // namespace radioprog
