// SPDX-License-Identifier: GPL-3.0-or-later
// The option parser every program shares: the spellings a user may type for one option, what
// ends the options, and the one-line reasons for what it refuses.
#include <gtest/gtest.h>

#include <optional>
#include <sstream>

#include "cmdline/command_line.h"
#include "cmdline/integer_argument.h"

namespace radioprog::cmdline {
namespace {

const std::vector<Option>& TestOptions() {
    static const std::vector<Option> options = {
        {{"o", "out"}, "FILE", "output"}, {{"v", "verbose"}, "", "more"}, {{"platform"}, "NAME", "qt"}};
    return options;
}

std::vector<std::string> Split(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

// What was parsed, as one line: "out=a,b verbose | x y", or "error: <reason>".
std::string Outcome(const std::string& line, Style style = Style::Options) {
    Arguments parsed;
    std::string error;
    if (!Parse(TestOptions(), Split(line), parsed, error, style)) return "error: " + error;
    std::string text;
    for (const char* name : {"out", "verbose", "platform"}) {
        if (!parsed.isSet(name)) continue;
        text += std::string(text.empty() ? "" : " ") + name;
        std::string values;
        for (const std::string& value : parsed.values(name)) values += (values.empty() ? "=" : ",") + value;
        text += values;
    }
    text += " |";
    for (const std::string& word : parsed.positional()) text += " " + word;
    return text;
}

TEST(CommandLine, EverySpellingOfAnOptionMeansTheSame) {
    struct Case {
        const char* line;
        const char* parsed;
    };
    for (const Case& c : std::initializer_list<Case>{
             {"--out=a x", "out=a | x"},
             {"--out a x", "out=a | x"},
             {"x -o a", "out=a | x"},
             {"-oa x", "out=a | x"},
             {"-o=a x", "out=a | x"},
             {"-vo a", "out=a verbose |"},
             {"--out= x", "out= | x"},
             {"--out a --out b", "out=a,b |"},
             {"-v -- -o --out", "verbose | -o --out"},
             {"- -v", "verbose | -"},
             // Unambiguous prefixes of long names, as getopt_long takes them.
             {"--ou a --verb", "out=a verbose |"},
             {"--o=a --plat x", "out=a platform=x |"},
         })
        EXPECT_EQ(Outcome(c.line), c.parsed) << c.line;
    // A command takes everything after its name, options included.
    EXPECT_EQ(Outcome("-v new -o a", Style::CommandFirst), "verbose | new -o a");
    // Qt's own style: one dash before a whole word.
    EXPECT_EQ(Outcome("-platform offscreen x", Style::QtStyle), "platform=offscreen | x");
    EXPECT_EQ(Outcome("-platform=offscreen", Style::QtStyle), "platform=offscreen |");
}

TEST(CommandLine, RefusesWithOneReason) {
    struct Case {
        const char* line;
        const char* error;
    };
    for (const Case& c : std::initializer_list<Case>{
             {"--nope", "error: Unknown option '--nope'"},
             {"--nope=1", "error: Unknown option '--nope'"},
             {"-x", "error: Unknown option '-x'"},
             {"-x --nope", "error: Unknown options: -x, --nope"},
             {"--outx a", "error: Unknown option '--outx'"},
             {"--out", "error: Missing value after '--out'"},
             {"-vo", "error: Missing value after '-vo'"},
             {"--verbose=1", "error: Unexpected value after '--verbose'"},
         })
        EXPECT_EQ(Outcome(c.line), c.error) << c.line;
    Arguments parsed;
    std::string error;
    EXPECT_FALSE(Parse({{{"a"}, "", ""}, {{"b", "a"}, "", ""}}, {}, parsed, error));
    EXPECT_EQ(error, "option -b, -a is declared twice");
    EXPECT_FALSE(Parse({{{"verbose"}, "", ""}, {{"version"}, "", ""}}, {"--ver"}, parsed, error));
    EXPECT_EQ(error, "Ambiguous option '--ver' (--verbose, --version)");
    // An exact name wins over the longer names it begins.
    EXPECT_TRUE(Parse({{{"out"}, "", ""}, {{"output"}, "", ""}}, {"--out"}, parsed, error));
    EXPECT_TRUE(parsed.isSet("out") && !parsed.isSet("output"));
}

// A number argument is the whole text, in range; everything else is refused, never cut short.
TEST(CommandLine, IntegerArgumentTakesOnlyAWholeNumberInRange) {
    struct Case {
        const char* text;
        std::optional<int> value;
    };
    const Case cases[] = {
        {"1", 1},
        {"20", 20},
        {"007", 7},
        {"0", std::nullopt},
        {"21", std::nullopt},
        {"", std::nullopt},
        {"+3", std::nullopt},
        {" 3", std::nullopt},
        {"3 ", std::nullopt},
        {"3x", std::nullopt},
        {"0x3", std::nullopt},
        {"99999999999", std::nullopt},
        {"-1", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(IntegerArgument(c.text, 1, 20), c.value) << "'" << c.text << "'";
    EXPECT_EQ(IntegerArgument("-2", -5, 5), -2);
    EXPECT_EQ(IntegerArgumentError("--from", "x", 0, 127, "channel"), "--from wants a channel from 0 to 127, not 'x'");
}

}  // namespace
}  // namespace radioprog::cmdline
