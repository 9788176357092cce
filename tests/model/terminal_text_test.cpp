// SPDX-License-Identifier: GPL-3.0-or-later
// Printed texts in a locale without UTF-8: the program's own signs become ASCII, everything
// else is left alone.
#include <gtest/gtest.h>

#include "model/terminal_text.h"

namespace radioprog {
namespace {

TEST(TerminalText, TheLocaleDecidesAsTheCLibraryLooksItUp) {
    struct Case {
        const char* lcAll;
        const char* lcCtype;
        const char* lang;
        bool utf8;
    };
    for (const Case& c : std::initializer_list<Case>{
             {nullptr, nullptr, "en_GB.UTF-8", true},
             {nullptr, nullptr, "C.utf8", true},
             {nullptr, nullptr, "sr_RS.UTF-8@latin", true},
             {nullptr, nullptr, nullptr, false},
             {nullptr, nullptr, "C", false},
             {nullptr, nullptr, "POSIX", false},
             {nullptr, nullptr, "zh_CN.GB18030", false},
             {nullptr, nullptr, "de_DE@euro", false},
             // LC_ALL overrides LC_CTYPE, which overrides LANG; an empty one counts as unset.
             {"C", "en_US.UTF-8", "en_US.UTF-8", false},
             {"", "C", "en_US.UTF-8", false},
             {"", "", "en_US.UTF-8", true},
             {nullptr, "en_US.UTF-8", "C", true},
         })
        EXPECT_EQ(LocaleIsUtf8(c.lcAll, c.lcCtype, c.lang), c.utf8)
            << (c.lcAll ? c.lcAll : "-") << " " << (c.lcCtype ? c.lcCtype : "-") << " " << (c.lang ? c.lang : "-");
}

TEST(TerminalText, SignsGetTheirAsciiSpellingAndOtherTextStays) {
    EXPECT_EQ(AsciiSpelling("CH 9 RX Freq 145.35000 \xE2\x86\x92 146.52000"), "CH 9 RX Freq 145.35000 -> 146.52000");
    EXPECT_EQ(AsciiSpelling("\xC2\xA9 2026 \xE2\x80\x93 wait\xE2\x80\xA6"), "(C) 2026 - wait...");
    // A channel name in Chinese and a cut-off sign are not changed.
    EXPECT_EQ(AsciiSpelling("\xE4\xBF\xA1\xE9\x81\x93 \xE2\x86"), "\xE4\xBF\xA1\xE9\x81\x93 \xE2\x86");
    EXPECT_EQ(AsciiSpelling(""), "");
}

TEST(TerminalText, ControlCharactersFromFilesAreEscapedLineBreaksAndTabsKept) {
    EXPECT_EQ(EscapeControls(std::string("a\x1b[2Jb\x07\0c\x7f", 10)), "a\\x1b[2Jb\\x07\\x00c\\x7f");
    EXPECT_EQ(EscapeControls("x\xC2\x9By\n\tz"), "x\\xc2\\x9by\n\tz");
    EXPECT_EQ(EscapeControls("\xE4\xBF\xA1\xC2\xA9"), "\xE4\xBF\xA1\xC2\xA9") << "printable UTF-8 stays";
}

TEST(TerminalText, BytesThatAreNotUtf8AreEscapedOneByOne) {
    const struct {
        std::string_view text, shown;
    } cases[] = {
        {"caf\xE9!", "caf\\xe9!"},                             // Latin-1
        {"\x80x", "\\x80x"},                                   // stray continuation byte
        {"\xE2\x86", "\\xe2\\x86"},                            // cut at the end
        {"\xE2\x86x\xE2\x86\x92", "\\xe2\\x86x\xE2\x86\x92"},  // cut, then whole
        {"\xC0\xAF", "\\xc0\\xaf"},                            // overlong '/'
        {"\xED\xA0\x80", "\\xed\\xa0\\x80"},                   // surrogate
        {"\xF4\x90\x80\x80", "\\xf4\\x90\\x80\\x80"},          // past U+10FFFF
        {"\xF0\x9F\x93\xBB\xFF", "\xF0\x9F\x93\xBB\\xff"},     // four bytes kept, FF not
    };
    for (const auto& c : cases) EXPECT_EQ(EscapeControls(c.text), c.shown) << c.shown;
}

}  // namespace
}  // namespace radioprog
