// SPDX-License-Identifier: GPL-3.0-or-later
// The fish and zsh completions of the three programs, run in those shells against the built
// programs (bash has its own test). fish completes a whole command line with `complete -C`;
// zsh's completion system needs a terminal, so its functions run with the system's
// _describe, _files and compadd standing in, which print what they were given.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "sim/pseudo_terminal.h"
#include "support/open_counter.h"
#include "support/temp_dir.h"

namespace radioprog {
namespace {

// Runs script with `shell` in a folder that holds radio.dat, ch.csv, notes.txt and sub/, the
// built programs first on PATH; its output, or "" when the shell is not installed.
std::string RunIn(const std::string& shell, const std::string& script) {
    if (std::system(("command -v " + shell + " >/dev/null").c_str()) != 0) return "";
    test::TempDir dir;
    for (const char* name : {"radio.dat", "ch.csv", "notes.txt"}) dir.write(name, "");
    std::filesystem::create_directory(dir.file("sub"));
    test::TempDir scriptDir;
    const std::string path = scriptDir.write("complete", script);
    FILE* pipe = ::popen(
        ("cd '" + dir.path().string() + "' && PATH='" RADIOPROG_BIN_DIR "':$PATH " + shell + " " + path + " 2>&1")
            .c_str(),
        "r");
    std::string out;
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
    ::pclose(pipe);
    return out;
}

TEST(FishCompletion, CompletesCommandsFilesAndOptionValues) {
    if (std::system("command -v fish >/dev/null") != 0) GTEST_SKIP() << "fish is not installed";
    const struct {
        const char* line;
        const char* expected;  // the candidates, one a line, a tab before a description
    } cases[] = {
        {"radioprog-cli imp",
         "import-csv\tstore the channels of a CSV file into a .dat file\n"
         "import-directory\tstore the repeaters of a directory file into a .dat file\n"},
        {"radioprog-cli import-csv ", "radio.dat\nsub/\n"},
        {"radioprog-cli import-csv radio.dat ", "ch.csv\nsub/\n"},
        {"radioprog-cli import-csv radio.dat ch.csv --out=", "--out=radio.dat\n--out=sub/\n"},
        {"radioprog-cli read x.dat --trace n", "notes.txt\n"},
        {"radioprog-cli diff a.dat b.dat ", ""},
        {"radioprog-cli print x.dat --la", "--language\tthe language file's column N (0 = the first)\n"},
        {"radioprog ", "ch.csv\nradio.dat\nsub/\n"},
        {"radiosim --load ", "radio.dat\nsub/\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RunIn("fish --no-config", "source '" RADIOPROG_SOURCE_DIR
                                            "/packaging/completions/radioprog.fish'\ncomplete -C '" +
                                                std::string(c.line) + "'\n"),
                  c.expected)
            << c.line;
    // --port offers 1 to 20, with what radioprog-cli ports says of each, and opens no port.
    sim::PseudoTerminal terminal;
    std::string error;
    ASSERT_TRUE(terminal.create(error)) << error;
    test::OpenCounter counter(terminal.devicePath());
    ASSERT_TRUE(counter.watching());
    const std::string ports = RunIn("fish --no-config", "set -x RADIOPROG_PORTS " + terminal.devicePath() +
                                                            ",/dev/null/x,\nsource '" RADIOPROG_SOURCE_DIR
                                                            "/packaging/completions/radioprog.fish'\n"
                                                            "complete -C 'radioprog-cli write --port 3,'\n");
    EXPECT_EQ(ports.rfind("3,1\t" + terminal.devicePath() + "  can be used\n3,2\t/dev/null/x", 0), 0u) << ports;
    EXPECT_NE(ports.find("\n3,20"), std::string::npos) << ports;
    EXPECT_EQ(counter.opens(), 0);
}

TEST(ZshCompletion, CompletesCommandsFilesAndOptionValues) {
    if (std::system("command -v zsh >/dev/null") != 0) GTEST_SKIP() << "zsh is not installed";
    const std::string stubs =
        "_files() { print -r -- \"files $*\"; }\n"
        "_describe() { print -r -- \"$2: ${(j:, :)${(P)4}}\"; }\n"
        "compadd() { print -r -- \"compadd $*\"; }\n"
        "compset() { [[ $2 == '*=' && $PREFIX == *=* ]] && { PREFIX=${PREFIX#*=}; return 0; }; return 1; }\n";
    const struct {
        const char* words;  // the command line, the word being completed last
        const char* expected;
    } cases[] = {
        {"radioprog-cli import-csv radio.dat ''", "files -g *.(#i)(csv)(-.)\n"},
        {"radioprog-cli import-csv radio.dat ch.csv --out ''", "files -g *.(#i)(dat)(-.)\n"},
        {"radioprog-cli import-csv --from 3 radio.dat ''", "files -g *.(#i)(csv)(-.)\n"},
        {"radioprog-cli print radio.dat --pdf=''", "files -g *.(#i)(pdf)(-.)\n"},
        {"radioprog-cli read x.dat --trace ''", "files \n"},
        {"radioprog-cli diff a.dat b.dat ''", ""},
        {"radioprog-cli new --h", "options: --help:show this help and exit\n"},
        {"radioprog ''", "files -g *.(#i)(dat|csv)(-.)\n"},
        {"radiosim --save ''", "files -g *.(#i)(dat)(-.)\n"},
    };
    auto complete = [&](const std::string& words, const std::string& environment = "") {
        return RunIn("zsh -f", stubs + environment + "words=(" + words +
                                   ")\nCURRENT=${#words}\nPREFIX=${words[-1]}\nservice=${words[1]}\n"
                                   "source '" RADIOPROG_SOURCE_DIR "/packaging/completions/_radioprog'\n");
    };
    for (const auto& c : cases) EXPECT_EQ(complete(c.words), c.expected) << c.words;

    // --port offers 1 to 20, with what radioprog-cli ports says of each, and opens no port.
    sim::PseudoTerminal terminal;
    std::string error;
    ASSERT_TRUE(terminal.create(error)) << error;
    test::OpenCounter counter(terminal.devicePath());
    ASSERT_TRUE(counter.watching());
    const std::string ports =
        complete("radioprog-cli write --port ''", "export RADIOPROG_PORTS=" + terminal.devicePath() + "\n");
    EXPECT_EQ(ports.rfind("ports: 1:" + terminal.devicePath() + "  can be used, 2, 3,", 0), 0u) << ports;
    EXPECT_EQ(counter.opens(), 0);
}

}  // namespace
}  // namespace radioprog
