// SPDX-License-Identifier: GPL-3.0-or-later
// The bash completion of radioprog-cli, run in bash against the built program: the
// completions come from the program's --help, so this also catches a help text whose
// layout the completion no longer reads.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace radioprog {
namespace {

// The words bash offers for the command line `words`, whose last word is being completed,
// sorted (bash shows them sorted).
std::vector<std::string> Complete(const std::vector<std::string>& words) {
    test::TempDir dir;
    std::string script = "source '" RADIOPROG_SOURCE_DIR
                         "/packaging/radioprog-cli.bash-completion'\n"
                         "COMP_WORDS=('" RADIOPROG_BIN_DIR "/radioprog-cli'";
    for (const std::string& word : words) script += " '" + word + "'";
    script +=
        ")\nCOMP_CWORD=" + std::to_string(words.size()) + "\n_radioprog_cli\nprintf '%s\\n' \"${COMPREPLY[@]}\"\n";
    std::string path = dir.write("complete.sh", script);
    FILE* pipe = ::popen(("bash --norc --noprofile " + path).c_str(), "r");
    std::string out;
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
    EXPECT_EQ(::pclose(pipe), 0);
    std::vector<std::string> result;
    std::size_t start = 0;
    for (std::size_t end; (end = out.find('\n', start)) != std::string::npos; start = end + 1)
        if (end > start) result.push_back(out.substr(start, end - start));
    std::sort(result.begin(), result.end());
    return result;
}

using Words = std::vector<std::string>;

TEST(BashCompletion, CompletesCommandsAndTheirOptions) {
    const struct {
        Words line;
        Words expected;
    } cases[] = {
        {{"ne"}, {"new"}},
        {{"ch"}, {"channels"}},
        {{"--"}, {"--help", "--version"}},
        {{"di"}, {"diff"}},
        {{"help", "wr"}, {"write"}},
        {{"read", "--p"}, {"--port"}},
        {{"read", "x.dat", "--dev"}, {"--device"}},
        {{"channels", "--"}, {"--help"}},
        {{"import-csv", "a.dat", "--"}, {"--from", "--help", "--out", "--strict-bands"}},
        {{"write", "--a"}, {"--all"}},
        // Arguments that are no option are left to bash's file name completion.
        {{"new", "ra"}, {}},
        {{"zz"}, {}},
    };
    for (const auto& c : cases) {
        std::string line;
        for (const std::string& word : c.line) line += word + " ";
        EXPECT_EQ(Complete(c.line), c.expected) << line;
    }
}

TEST(BashCompletion, OffersEveryCommandOfTheHelp) {
    Words commands = Complete({""});
    for (const char* name : {"channels", "diff", "export-csv", "import-csv", "new", "ports", "print", "read", "write"})
        EXPECT_NE(std::find(commands.begin(), commands.end(), name), commands.end()) << name;
    for (const std::string& word : commands)
        EXPECT_TRUE(!word.empty() && word[0] != '-' && word.find(' ') == std::string::npos) << word;
}

}  // namespace
}  // namespace radioprog
