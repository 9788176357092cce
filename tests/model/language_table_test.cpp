// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/language_table.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "model/ansi_text.h"
#include "support/temp_dir.h"

namespace radioprog {
namespace {

using test::CurrentDirGuard;
using test::TempDir;

LanguageTable Load(const std::string& content, int index = 2) {
    LanguageTable table;
    table.index = index;
    std::istringstream in(content);
    LoadLanguageStream(in, table);
    return table;
}

TEST(AnsiText, CountsAsTheDoubleByteCodePage) {
    EXPECT_EQ(AnsiLength("abc"), 3u);
    EXPECT_EQ(AnsiLength("信道"), 4u);
    EXPECT_EQ(AnsiLength("a信b"), 4u);
    EXPECT_EQ(AnsiPrefix("信道信息", 5), "信道");
    EXPECT_EQ(AnsiPrefix("ab信道", 3), "ab");
    EXPECT_EQ(AnsiPrefix("ab信道", 4), "ab信");
}

TEST(ReadCsvField, ReadsFieldsAndStopsAtTheLineEnd) {
    std::string line = "a,bb,,c";
    std::string field;
    std::size_t p = ReadCsvField(line, 0, field);
    EXPECT_EQ(field, "a");
    p = ReadCsvField(line, p, field);
    EXPECT_EQ(field, "bb");
    p = ReadCsvField(line, p, field);
    EXPECT_EQ(field, "");
    p = ReadCsvField(line, p, field);
    EXPECT_EQ(field, "c");
    EXPECT_EQ(p, line.size() + 1);
    ReadCsvField(line, p, field);
    EXPECT_EQ(field, "") << "asked past the line end";
}

TEST(ReadCsvField, LongFieldsAreCutAtACharacterAndTheRestSkipped) {
    std::string longAscii(70, 'x');
    std::string field;
    std::size_t p = ReadCsvField(longAscii + ",next", 0, field);
    EXPECT_EQ(field, std::string(60, 'x'));
    ReadCsvField(longAscii + ",next", p, field);
    EXPECT_EQ(field, "next") << "later columns stay in place";

    std::string chinese;
    for (int i = 0; i < 31; ++i) chinese += "信";  // 62 code-page bytes
    ReadCsvField("a" + chinese, 0, field);
    EXPECT_EQ(AnsiLength(field), 59u) << "a double-byte character is never split";
}

TEST(LoadLanguageStream, TakesNamesAndTheColumnOfTheIndex) {
    LanguageTable table = Load("简体中文,繁體中文,English\n标题,標題,Title\r\n信道,信道,Channel\n");
    EXPECT_EQ(table.nameCount(), 3);
    EXPECT_EQ(table.names[2], "English");
    EXPECT_EQ(table.row(0), "Title");
    EXPECT_EQ(table.row(1), "Channel") << "CR LF line ends are accepted";
    EXPECT_EQ(table.row(2), ShippedEnglishRowText(2)) << "rows the file does not supply are in English";
    EXPECT_EQ(table.row(500), "");
    EXPECT_EQ(Load("A,B,C\nx,y,z\n", 0).row(0), "x");
    EXPECT_EQ(Load("A,B,C\nx,y,z\n", -1).row(0), "x") << "index -1 skips no field";
}

TEST(LoadLanguageStream, EdgeCasesOfTheFile) {
    EXPECT_EQ(Load("A,B,C\nonly,two\n\nx,y,z\n").row(0), "") << "a line with two fields";
    EXPECT_EQ(Load("A,B,C\nonly,two\n\nx,y,z\n").row(1), "") << "an empty line is a row";
    EXPECT_EQ(Load("A,B,C\nonly,two\n\nx,y,z\n").row(2), "z");

    LanguageTable oneName = Load("Solo,,Third\n");
    EXPECT_EQ(oneName.nameCount(), 1);

    std::string many = "A,B,C\n";
    for (int i = 0; i < kLanguageRowCount + 6; ++i) many += "a,b,row" + std::to_string(i) + "\n";
    LanguageTable table = Load(many);
    EXPECT_EQ(table.row(193), "row193");
    EXPECT_EQ(table.row(kLanguageRowCount - 1), "row" + std::to_string(kLanguageRowCount - 1));
    EXPECT_EQ(table.rows.size(), static_cast<std::size_t>(kLanguageRowCount)) << "lines past the last row are ignored";

    std::string manyNames;
    for (int i = 0; i < 40; ++i) manyNames += "L" + std::to_string(i) + ",";
    EXPECT_EQ(Load(manyNames + "\n").nameCount(), 32);

    std::string wideNames;
    for (int i = 0; i < 30; ++i) wideNames += std::string(10, 'n') + std::to_string(i % 10) + ",";
    EXPECT_EQ(Load(wideNames + "\n").nameCount(), 22) << "no name starts at position 256 or later";

    EXPECT_EQ(Load("\xEF\xBB\xBF"
                   "A,B,C\n")
                  .names[0],
              "A")
        << "a UTF-8 byte order mark is not part of the name";
}

// Rows past a file's last line show the shipped English, not the previous file's text or
// nothing (a stray two-line lang.csv used to blank every column header).
TEST(LoadLanguageStream, RowsPastTheFilesEndShowTheShippedEnglish) {
    LanguageTable table = Load("A,B,C\n1,2,3\n4,5,6\n");
    std::istringstream shorter("X\nshort,s,t\n");
    LoadLanguageStream(shorter, table);
    EXPECT_EQ(table.row(0), "t");
    EXPECT_EQ(table.row(1), ShippedEnglishRowText(1));
    EXPECT_EQ(table.row(lang_row::kBand), "Band");
    EXPECT_EQ(table.names[0], "X");
    EXPECT_EQ(table.names[1], "B");
}

TEST(LoadLanguageStream, ExtraRowsFallBackToBuiltInEnglish) {
    EXPECT_EQ(LanguageTable().row(lang_row::kUndo), "&Undo\tCtrl+Z") << "before any file";
    EXPECT_EQ(LanguageTable().row(193), "");

    std::string older = "A,B,C\n";
    for (int i = 0; i < kBaseLanguageRowCount; ++i) older += "a,b,old" + std::to_string(i) + "\n";
    std::string newer = "A,B,C\n";
    for (int i = 0; i < kLanguageRowCount; ++i) newer += "a,b,new" + std::to_string(i) + "\n";

    LanguageTable table = Load(newer);
    EXPECT_EQ(table.row(lang_row::kPaste), "new" + std::to_string(lang_row::kPaste)) << "the file's text wins";
    std::istringstream olderFile(older);
    LoadLanguageStream(olderFile, table);
    EXPECT_EQ(table.row(193), "old193");
    EXPECT_EQ(table.row(lang_row::kPaste), BuiltInRowText(lang_row::kPaste)) << "not the previous file's text";

    std::string emptyField = older + "a,b,\n";
    EXPECT_EQ(Load(emptyField).row(lang_row::kUndo), "&Undo\tCtrl+Z") << "an empty field of an extra row";
    EXPECT_EQ(Load("A,B,C\n\n").row(0), "") << "rows 0..193 keep the old rule";
}

TEST(LoadLanguageStream, ShippedEnglishColumnMatchesTheBuiltInTexts) {
    std::ifstream in(std::string(RADIOPROG_SOURCE_DIR) + "/data/lang.csv", std::ios::binary);
    ASSERT_TRUE(in);
    LanguageTable shipped;
    ASSERT_TRUE(LoadLanguageStream(in, shipped));
    ASSERT_EQ(shipped.names[2], "English");
    for (int r = lang_row::kFirstExtra; r < lang_row::kEnd; ++r) {
        EXPECT_FALSE(BuiltInRowText(r).empty()) << r;
        EXPECT_EQ(shipped.row(r), BuiltInRowText(r)) << "row " << r;
    }
}

TEST(LoadLanguageFile, PrefersLangCsvInTheCurrentDirectory) {
    TempDir dir;
    CurrentDirGuard cwd(dir.path());
    LanguageTable table;
    table.index = 0;
    dir.write("language.csv", "A,B,C\nfrom language,x,y\n");
    EXPECT_EQ(LoadLanguageFile(table, true), "language.csv");
    EXPECT_EQ(table.index, 2);
    EXPECT_EQ(table.row(0), "y");
    dir.write("lang.csv", "A,B,C\nfrom lang,x,z\n");
    EXPECT_EQ(LoadLanguageFile(table, false), "lang.csv");
    EXPECT_EQ(table.row(0), "z");
}

// A broken lang.csv in the working directory used to hide the good file: a window without
// menus or column headers.
TEST(LoadLanguageFile, AFileWithoutUsableRowsIsSkippedAndNamed) {
    const std::string broken[] = {"", "A,B,C\n", "\r\r\r", "A,B,C\r\n\r\n\r\n", "A,B,C\n,,\n"};
    for (const std::string& content : broken) {
        TempDir dir;
        CurrentDirGuard cwd(dir.path());
        dir.write("lang.csv", content);
        dir.write("language.csv", "A,B,C\nx,y,good\n");
        LanguageTable table;
        std::vector<std::string> skipped;
        EXPECT_EQ(LoadLanguageFile(table, true, &skipped), "language.csv") << testing::PrintToString(content);
        EXPECT_EQ(table.row(0), "good");
        EXPECT_EQ(table.names[0], "A");
        EXPECT_EQ(skipped, std::vector<std::string>{(dir.path() / "lang.csv").lexically_normal().string()});
    }
}

// A file in use that is not whole is named once, with the line its rows end before; a first
// line without names is said too.
TEST(LoadLanguageFile, AFileThatIsNotWholeIsNamedWithItsFirstMissingLine) {
    struct Case {
        const char* content;
        int firstMissingLine;
        bool namesNoLanguage;
    } cases[] = {
        {"A,B,C\nx,y,z\n", 3, false},
        {",,\nx,y,z\n", 3, true},
    };
    for (const Case& c : cases) {
        TempDir dir;
        CurrentDirGuard cwd(dir.path());
        dir.write("lang.csv", c.content);
        LanguageTable table;
        LanguageFileFlaws flaws;
        EXPECT_EQ(LoadLanguageFile(table, true, nullptr, &flaws), "lang.csv");
        EXPECT_EQ(flaws.firstMissingLine, c.firstMissingLine) << c.content;
        EXPECT_EQ(flaws.namesNoLanguage, c.namesNoLanguage) << c.content;
        const std::vector<std::string> texts = LanguageFileFlawTexts(flaws, table);
        ASSERT_EQ(texts.size(), c.namesNoLanguage ? 2u : 1u);
        EXPECT_EQ(texts[0], "Language file lang.csv ends before line 3; English is used");
        EXPECT_EQ(table.row(lang_row::kBand), "Band");
    }
    TempDir dir;
    CurrentDirGuard cwd(dir.path());
    std::ifstream shipped(std::string(RADIOPROG_SOURCE_DIR) + "/data/lang.csv", std::ios::binary);
    dir.write("lang.csv", std::string(std::istreambuf_iterator<char>(shipped), {}));
    LanguageTable table;
    LanguageFileFlaws flaws;
    LoadLanguageFile(table, true, nullptr, &flaws);
    EXPECT_FALSE(flaws.any()) << "the shipped file is whole";
}

TEST(LoadLanguageFile, NoFileLeavesTheTableAsItWas) {
    TempDir dir;
    CurrentDirGuard cwd(dir.path());
    if (!FindLanguageFile().empty()) GTEST_SKIP() << "a language file is installed: " << FindLanguageFile();
    LanguageTable table;
    table.rows[0] = "kept";
    EXPECT_EQ(LoadLanguageFile(table, true), "");
    EXPECT_EQ(table.row(0), "kept");
}

}  // namespace
}  // namespace radioprog
