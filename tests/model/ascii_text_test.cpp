// SPDX-License-Identifier: GPL-3.0-or-later
// Case folding and comparing touch ASCII letters only; every other byte (UTF-8 included) is
// kept as it is.
#include <gtest/gtest.h>

#include "model/ascii_text.h"

namespace radioprog {
namespace {

TEST(AsciiText, CaseFoldingTouchesAsciiLettersOnly) {
    struct Case {
        const char* text;
        const char* lower;
        const char* upper;
    };
    for (Case c : {Case{"", "", ""}, Case{"High", "high", "HIGH"}, Case{"d023n", "d023n", "D023N"},
                   Case{"@[`{", "@[`{", "@[`{"},  // the neighbours of A-Z and a-z
                   Case{"Az az", "az az", "AZ AZ"}, Case{"信道 Ch", "信道 ch", "信道 CH"},
                   Case{"\xC3\xA9t\xC3\xA9", "\xC3\xA9t\xC3\xA9", "\xC3\xA9T\xC3\xA9"}}) {
        EXPECT_EQ(ToLowerAscii(c.text), c.lower) << c.text;
        EXPECT_EQ(ToUpperAscii(c.text), c.upper) << c.text;
    }
    static_assert(ToUpperAscii('q') == 'Q' && ToLowerAscii('Q') == 'q' && ToUpperAscii('\xE9') == '\xE9');
    static_assert(IsAsciiDigit('0') && IsAsciiDigit('9') && !IsAsciiDigit('/') && !IsAsciiDigit(':'));
    static_assert(IsAsciiLetter('a') && IsAsciiLetter('Z') && !IsAsciiLetter('@') && !IsAsciiLetter('[') &&
                  !IsAsciiLetter('`') && !IsAsciiLetter('{') && !IsAsciiLetter(U'\u00E9') && !IsAsciiLetter('\xC3'));
}

TEST(AsciiText, ComparingIgnoringCase) {
    struct Case {
        const char* a;
        const char* b;
        bool equal;
        bool aStartsWithB;
    };
    for (Case c : {Case{"Frequency", "frequency", true, true}, Case{"OFF", "off", true, true},
                   Case{"Frequency", "FREQ", false, true}, Case{"Freq", "Frequency", false, false},
                   Case{"", "", true, true}, Case{"abc", "", false, true}, Case{"@", "`", false, false},
                   Case{"[", "{", false, false}, Case{"\xC3\xA9", "\xC3\x89", false, false}}) {
        EXPECT_EQ(EqualsIgnoringCase(c.a, c.b), c.equal) << c.a << " / " << c.b;
        EXPECT_EQ(StartsWithIgnoringCase(c.a, c.b), c.aStartsWithB) << c.a << " / " << c.b;
    }
}

TEST(AsciiText, TrimBlanksRemovesSpacesAndTabsAtBothEnds) {
    struct Case {
        const char* text;
        const char* trimmed;
    };
    for (Case c :
         {Case{"", ""}, Case{" \t ", ""}, Case{" 145.5\t", "145.5"}, Case{"a b", "a b"}, Case{"\n5W\r", "\n5W\r"}})
        EXPECT_EQ(TrimBlanks(c.text), c.trimmed) << c.text;
}

}  // namespace
}  // namespace radioprog
