// SPDX-License-Identifier: GPL-3.0-or-later
// The bash completion of radioprog-cli, run in bash against the built program: the
// completions come from the program's --help, so this also catches a help text whose
// layout the completion no longer reads.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace radioprog {
namespace {

// The words bash offers for `program` with the command line `words`, whose last word is
// being completed, sorted (bash shows them sorted). Run in a folder that holds radio.dat,
// ch.csv, out.pdf, notes.txt and the folder sub.
std::vector<std::string> CompleteFor(const std::string& program, const std::string& function,
                                     const std::vector<std::string>& words) {
    test::TempDir dir;
    for (const char* name : {"radio.dat", "ch.csv", "out.pdf", "notes.txt"}) dir.write(name, "");
    std::filesystem::create_directory(dir.file("sub"));
    std::string script = "cd '" + dir.path().string() +
                         "' || exit 1\n"
                         "source '" RADIOPROG_SOURCE_DIR
                         "/packaging/completions/radioprog-cli.bash'\n"
                         "COMP_WORDS=('" RADIOPROG_BIN_DIR "/" +
                         program + "'";
    for (const std::string& word : words) script += " '" + word + "'";
    script +=
        ")\nCOMP_CWORD=" + std::to_string(words.size()) + "\n" + function + "\nprintf '%s\\n' \"${COMPREPLY[@]}\"\n";
    test::TempDir scriptDir;
    std::string path = scriptDir.write("complete.sh", script);
    FILE* pipe = ::popen(("bash --norc --noprofile " + path + " 2>&1").c_str(), "r");
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

std::vector<std::string> Complete(const std::vector<std::string>& words) {
    return CompleteFor("radioprog-cli", "_radioprog_cli", words);
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
        {{"zz"}, {}},
        // A long option is completed with "=" too.
        {{"write", "--ver"}, {"--verify"}},
    };
    for (const auto& c : cases) {
        std::string line;
        for (const std::string& word : c.line) line += word + " ";
        EXPECT_EQ(Complete(c.line), c.expected) << line;
    }
}

TEST(BashCompletion, FileArgumentsAndOptionValuesOfferWhatTheyTake) {
    const Words dat{"radio.dat", "sub"}, csv{"ch.csv", "sub"}, pdf{"out.pdf", "sub"};
    const Words any{"ch.csv", "notes.txt", "out.pdf", "radio.dat", "sub"};
    Words ports;
    for (int port = 1; port <= 20; ++port) ports.push_back(std::to_string(port));
    std::sort(ports.begin(), ports.end());
    const struct {
        Words line;
        Words expected;
    } cases[] = {
        // FILE arguments by their place in the command's usage line.
        {{"new", ""}, dat},
        {{"read", "--port", "2", ""}, dat},
        {{"export-csv", "radio.dat", ""}, csv},
        {{"import-csv", ""}, dat},
        {{"import-csv", "radio.dat", ""}, csv},
        {{"import-csv", "--from", "3", "radio.dat", ""}, csv},
        {{"diff", "radio.dat", ""}, dat},
        {{"diff", "a.dat", "b.dat", ""}, {}},
        {{"ports", ""}, {}},
        // Option values by the option and the name of its value.
        {{"import-csv", "radio.dat", "ch.csv", "--out", ""}, dat},
        {{"import-csv", "radio.dat", "ch.csv", "--out", "=", ""}, dat},
        {{"print", "radio.dat", "--pdf", ""}, pdf},
        {{"read", "x.dat", "--trace", ""}, any},
        {{"read", "--port", ""}, ports},
        {{"write", "--port", "1,1"},
         {"1,1", "1,10", "1,11", "1,12", "1,13", "1,14", "1,15", "1,16", "1,17", "1,18", "1,19"}},
        {{"import-csv", "--from", ""}, {}},
    };
    for (const auto& c : cases) {
        std::string line;
        for (const std::string& word : c.line) line += word + " ";
        EXPECT_EQ(Complete(c.line), c.expected) << line;
    }
    // The other two programs: radioprog opens .dat and imports .csv files; radiosim loads
    // and saves .dat files.
    EXPECT_EQ(CompleteFor("radioprog", "_radioprog_gui", {""}), (Words{"ch.csv", "radio.dat", "sub"}));
    EXPECT_EQ(CompleteFor("radioprog", "_radioprog_gui", {"--ver"}), (Words{"--version"}));
    EXPECT_EQ(CompleteFor("radiosim", "_radiosim", {"--load", ""}), dat);
    EXPECT_EQ(CompleteFor("radiosim", "_radiosim", {"--link", "s"}), (Words{"sub"}));
    EXPECT_EQ(CompleteFor("radiosim", "_radiosim", {"--fa"}), (Words{"--fault"}));
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
