// SPDX-License-Identifier: GPL-3.0-or-later
// The command-line conventions radioprog-cli, radiosim and radioprog share, as a user meets
// them in a shell: --version and --help, usage errors on stderr with status 2, --opt=value,
// "--", "-" for standard input and output, and the exit status table of the README.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "editors/channel_csv.h"
#include "editors/varied_channels.h"
#include "model/channel_record.h"
#include "model/dat_file.h"
#include "support/cli_run.h"
#include "support/same_image.h"
#include "support/temp_dir.h"

namespace radioprog {
namespace {

using test::Cli;
using test::CliRun;
using test::CurrentDirGuard;
using test::ProgramPath;
using test::ReadFile;
using test::RunShell;
using test::TempDir;

// The version in CMake's project(... VERSION ...), the one place it is set.
std::string ProjectVersion() {
    std::ifstream in(std::string(RADIOPROG_SOURCE_DIR) + "/CMakeLists.txt");
    std::string line;
    while (std::getline(in, line)) {
        const std::string key = " VERSION ";
        if (line.rfind("project(", 0) == 0 && line.find(key) != std::string::npos) {
            std::string rest = line.substr(line.find(key) + key.size());
            return rest.substr(0, rest.find_first_of(" )"));
        }
    }
    return {};
}

class CliConventions : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SaveDatFile(varied_, "varied.dat").ok);
        ASSERT_EQ(Cli("new empty.dat").status, 0);
    }

    TempDir dir_;
    CurrentDirGuard cwd_{dir_.path()};
    const RadioImage varied_ = testing::VariedImage(testing::DistinctRows());
};

TEST_F(CliConventions, EveryProgramPrintsItsNameAndTheOneVersion) {
    const std::string version = ProjectVersion();
    ASSERT_FALSE(version.empty());
    std::vector<std::string> programs{"radioprog-cli", "radiosim"};
    if (std::filesystem::exists(ProgramPath("radioprog"))) programs.push_back("radioprog");
    for (const std::string& program : programs) {
        // No display: --help and --version never open a window.
        CliRun run =
            RunShell("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + ProgramPath(program) + " --version");
        EXPECT_EQ(run.status, 0) << program << ": " << run.err;
        EXPECT_EQ(run.out.substr(0, run.out.find('\n') + 1), program + " " + version + "\n");
        EXPECT_NE(run.out.find("\nLicense GPLv3+: GNU GPL version 3 or later"), std::string::npos) << run.out;
        EXPECT_EQ(run.err, "") << program;
        run = RunShell("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + ProgramPath(program) + " --help");
        EXPECT_EQ(run.status, 0) << program << ": " << run.err;
        EXPECT_EQ(run.out.rfind("Usage: " + program, 0), 0u) << run.out;
        EXPECT_NE(run.out.find("--version"), std::string::npos) << program;
        // A usage error: one line on stderr naming the program, nothing on stdout, status 2.
        run = RunShell("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + ProgramPath(program) +
                       " --no-such-option");
        EXPECT_EQ(run.status, 2) << program;
        EXPECT_EQ(run.out, "") << program;
        EXPECT_EQ(run.err.rfind(program + ": ", 0), 0u) << run.err;
        EXPECT_NE(run.err.find("'--no-such-option'"), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("(see " + program + " --help)\n"), std::string::npos) << run.err;
        // Output that cannot be written is a failure, said on stderr.
        for (const char* option : {" --help", " --version"}) {
            run = RunShell("{ env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + ProgramPath(program) + option +
                           " >/dev/full; }");
            EXPECT_EQ(run.status, 2) << program << option;
            EXPECT_EQ(run.err, program + ": write error: No space left on device\n") << program << option;
        }
    }
}

// Every help text fits a terminal of 80 columns (and so the man pages made from them), and
// "help COMMAND" says what "COMMAND --help" says.
TEST_F(CliConventions, EveryHelpFitsEightyColumns) {
    std::vector<std::pair<std::string, std::string>> texts;  // what was run, its output
    for (const char* program : {"radioprog-cli", "radiosim", "radioprog"})
        if (std::filesystem::exists(ProgramPath(program)))
            texts.emplace_back(program,
                               RunShell("env QT_QPA_PLATFORM=offscreen " + ProgramPath(program) + " --help").out);
    const std::string tool = texts.front().second;
    std::istringstream commands(tool.substr(tool.find("\nCommands:\n") + 11));
    std::string line;
    while (std::getline(commands, line) && !line.empty()) {
        if (line.rfind("  ", 0) != 0 || line[2] == ' ') continue;
        const std::string command = line.substr(2, line.find(' ', 2) - 2);
        texts.emplace_back(command + " --help", Cli(command + " --help").out);
        EXPECT_EQ(Cli("help " + command).out, texts.back().second) << command;
    }
    EXPECT_GE(texts.size(), 10u) << tool;
    EXPECT_NE(tool.find("radioprog-cli help [COMMAND]"), std::string::npos) << tool;
    for (const auto& [run, text] : texts) {
        ASSERT_FALSE(text.empty()) << run;
        std::istringstream lines(text);
        while (std::getline(lines, line)) {
            // Columns, not bytes: a UTF-8 sign takes one.
            const auto columns = std::count_if(line.begin(), line.end(), [](char c) { return (c & 0xC0) != 0x80; });
            EXPECT_LE(columns, 80) << run << ":\n" << line;
        }
    }
}

TEST_F(CliConventions, UsageErrorsGoToStderrWithStatusTwo) {
    struct Case {
        const char* args;
        const char* says;     // a part of the message
        const char* command;  // whose --help the message points to ("" the tool's)
    };
    for (const Case& c : std::initializer_list<Case>{
             {"", "no command given", ""},
             {"frobnicate x", "unknown command 'frobnicate'", ""},
             {"--out x.dat new y.dat", "Unknown option '--out'", ""},
             {"--verb new x.dat", "Unknown option '--verb'", ""},
             {"new", "expected exactly one FILE", "new"},
             {"new --frob x.dat", "Unknown option '--frob'", "new"},
             {"new -q x.dat", "Unknown option '-q'", "new"},
             {"import-csv empty.dat in.csv --out", "out", "import-csv"},
             {"import-csv empty.dat in.csv --out=", "--out needs a file name", "import-csv"},
             {"import-csv - - --out x.dat", "standard input", "import-csv"},
             {"print empty.dat --pdf=out.pdf --language=x", "--language", "print"},
             {"read x.dat --port=21", "--port", "read"},
             {"read x.dat --p=0", "--port wants a number", "read"},
             {"write x.dat --all --port 1,2", "exclude each other", "write"},
             {"diff - -", "standard input", "diff"},
             {"new --help=yes", "help", "new"},
         }) {
        CliRun run = Cli(c.args);
        EXPECT_EQ(run.status, 2) << c.args;
        EXPECT_EQ(run.out, "") << c.args;
        EXPECT_EQ(run.err.rfind("radioprog-cli: ", 0), 0u) << c.args << ": " << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << c.args << ": " << run.err;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << c.args << ": " << run.err;
        const std::string hint = std::string("(see radioprog-cli ") + c.command + (*c.command ? " " : "") + "--help)\n";
        EXPECT_TRUE(run.err.ends_with(hint)) << c.args << ": " << run.err;
    }
    EXPECT_FALSE(std::filesystem::exists("x.dat"));
    EXPECT_FALSE(std::filesystem::exists("out.pdf"));
    // A long option may be shortened while it names one option only.
    CliRun run = Cli("new --he");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind("Usage: radioprog-cli new", 0), 0u) << run.out;
}

TEST_F(CliConventions, OptionValuesDoubleDashAndStandardStreams) {
    const std::string csv = ExportChannelsCsv(varied_);
    // OUT "-" is standard output; nothing named "-" appears.
    CliRun run = Cli("export-csv varied.dat -");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, csv);
    EXPECT_FALSE(std::filesystem::exists("-"));

    // IN "-" is standard input; --out=FILE, --out FILE and -o FILE are the same.
    dir_.write("channels.csv", csv);
    for (const char* out : {"--out=a.dat", "--out b.dat", "-o c.dat"}) {
        run = RunShell(ProgramPath("radioprog-cli") + " import-csv empty.dat - " + out + " <channels.csv");
        ASSERT_EQ(run.status, 0) << out << ": " << run.err;
    }
    for (const char* file : {"a.dat", "b.dat", "c.dat"}) {
        RadioImage image;
        ASSERT_TRUE(OpenDatFile(file, image).ok) << file;
        EXPECT_SAME_IMAGE(image, varied_) << file;
    }

    // A whole pipeline through standard input and output: .dat in, CSV in, .dat out, CSV out.
    run = RunShell("cat empty.dat | " + ProgramPath("radioprog-cli") + " import-csv - channels.csv | " +
                   ProgramPath("radioprog-cli") + " export-csv - -");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, csv);
    run = RunShell(ProgramPath("radioprog-cli") + " new - | " + ProgramPath("radioprog-cli") + " channels -");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 129);

    // "--" ends the options: a file may begin with a dash.
    run = Cli("new -- -x.dat");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadFile("-x.dat"), ReadFile("empty.dat"));
}

// Pipes and devices named as output files are written straight through, as "> FILE" would.
TEST_F(CliConventions, PipesAndDevicesTakeTheOutputAsTheyAre) {
    const std::string cli = ProgramPath("radioprog-cli");
    const std::string csv = ExportChannelsCsv(varied_);
    CliRun run = RunShell(cli + " export-csv varied.dat /dev/stdout | cat");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, csv);
    ASSERT_EQ(::mkfifo("fifo", 0600), 0);
    // A failed write never opens the pipe: open it then, so that cat ends.
    run =
        RunShell("cat fifo >got.dat & " + cli + " new fifo; status=$?; [ $status = 0 ] || : >fifo; wait; exit $status");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadFile("got.dat"), ReadFile("empty.dat"));
    EXPECT_EQ(Cli("export-csv varied.dat /dev/null").status, 0);
    run = Cli("new /dev/full");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("/dev/full"), std::string::npos) << run.err;
}

// A stray two-line lang.csv in the working directory blanked every column header without a
// word: the headers fall back to English and the file is named once on stderr.
TEST_F(CliConventions, AStrayShortLanguageFileIsNamedAndBlanksNothing) {
    std::ofstream("lang.csv") << "A,B,C\nx,y,Radio\n";
    RadioImage other = varied_;
    ChannelRef(other, 3).setRxFrequency(0x14652000u);
    ASSERT_TRUE(SaveDatFile(other, "other.dat").ok);
    CliRun run = Cli("diff varied.dat other.dat");
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_NE(run.out.find("RX Freq"), std::string::npos) << run.out;
    const std::string notice = "Language file lang.csv ends before line 3; English is used\n";
    EXPECT_NE(run.err.find(notice), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find(notice), run.err.rfind(notice)) << "said once";
}

// An image is binary: on a terminal it would only garble the screen.
TEST_F(CliConventions, AnImageIsNotWrittenToATerminal) {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    const std::string terminal = ::ptsname(master);
    dir_.write("in.csv", "Location,Frequency\n1,145.5\n");
    const std::string cli = ProgramPath("radioprog-cli");
    for (const std::string& args :
         {std::string("new -"), std::string("import-csv empty.dat in.csv --out -"), "new " + terminal}) {
        CliRun run = RunShell("(" + cli + " " + args + " >" + terminal + ")");
        EXPECT_EQ(run.status, 2) << args;
        EXPECT_NE(run.err.find("is a terminal"), std::string::npos) << args << ": " << run.err;
        EXPECT_NE(run.err.find("redirect"), std::string::npos) << run.err;
    }
    ::close(master);
}

TEST_F(CliConventions, AnImportThatStoresNothingExitsEightAndChangesNothing) {
    dir_.write("bad.csv", "Location,Frequency\n1,99\n2,600\n");
    dir_.write("empty.csv", "Location,Frequency\n");
    const std::string before = ReadFile("empty.dat");
    const auto stamp = std::filesystem::last_write_time("empty.dat");
    for (const char* args : {"import-csv empty.dat bad.csv", "import-csv empty.dat empty.csv",
                             "import-csv empty.dat bad.csv --out new.dat"}) {
        CliRun run = Cli(args);
        EXPECT_EQ(run.status, 8) << args;
        EXPECT_NE(run.err.find("Channels imported: 0"), std::string::npos) << run.err;
    }
    EXPECT_EQ(ReadFile("empty.dat"), before);
    EXPECT_EQ(std::filesystem::last_write_time("empty.dat"), stamp);
    EXPECT_FALSE(std::filesystem::exists("new.dat"));
}

// The disk fills up during the export: the file-size limit of a child process makes every
// write past a few kilobytes fail as on a full disk.
TEST_F(CliConventions, AFullDiskDuringExportLeavesTheOldFileIntact) {
    const std::string old = "Location,Frequency\n0,145.5\n";
    dir_.write("out.csv", old);
    ASSERT_GT(ExportChannelsCsv(varied_).size(), 1024u);
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        struct rlimit limit {
            1024, 1024
        };
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, SIG_IGN);
        if (!std::freopen("err.txt", "w", stderr)) ::_exit(126);
        const std::string cli = ProgramPath("radioprog-cli");
        ::execl(cli.c_str(), cli.c_str(), "export-csv", "varied.dat", "out.csv", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 2);
    EXPECT_NE(ReadFile("err.txt").find("out.csv"), std::string::npos) << ReadFile("err.txt");
    EXPECT_EQ(ReadFile("out.csv"), old);
    for (const auto& entry : std::filesystem::directory_iterator("."))
        EXPECT_EQ(entry.path().filename().string().find("out.csv."), std::string::npos)
            << "left behind: " << entry.path();
}

// The README's table of exit codes says what radioprog-cli --help says.
TEST_F(CliConventions, ReadmeExitCodesMatchTheHelp) {
    CliRun run = Cli("--help");
    ASSERT_EQ(run.status, 0);
    std::istringstream help(run.out.substr(run.out.find("Exit status:\n")));
    std::string line;
    std::getline(help, line);
    std::vector<std::string> fromHelp;
    while (std::getline(help, line) && line.rfind("  ", 0) == 0) {
        std::size_t gap = line.find("  ", 2);
        fromHelp.push_back("| " + line.substr(2, gap - 2) + " | " + line.substr(gap + 2) + " |");
    }
    ASSERT_GE(fromHelp.size(), 7u) << run.out;

    std::vector<std::string> fromReadme;
    std::ifstream readme(std::string(RADIOPROG_SOURCE_DIR) + "/README.md");
    while (std::getline(readme, line))
        if (line.size() > 3 && line.rfind("| ", 0) == 0 && std::isdigit(static_cast<unsigned char>(line[2])))
            fromReadme.push_back(line);
    EXPECT_EQ(fromReadme, fromHelp);
}

}  // namespace
}  // namespace radioprog
