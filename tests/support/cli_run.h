// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs the command-line programs as a user runs them from a shell, in the current directory:
// the exit status, what they wrote on stdout and on stderr. The two streams also stay in
// out.txt and err.txt there for a test that looks again.
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "support/temp_dir.h"

namespace radioprog::test {

struct CliRun {
    int status;  // the exit status; -1 when a signal ended the program
    std::string out;
    std::string err;
};

// A program built with the tests: radioprog-cli, radiosim, radioprog.
inline std::string ProgramPath(const std::string& name) { return std::string(RADIOPROG_BIN_DIR) + "/" + name; }
inline std::string CliPath() { return ProgramPath("radioprog-cli"); }

// Runs a shell command line; its last command's output is captured.
inline CliRun RunShell(const std::string& command) {
    const int status = std::system((command + " >out.txt 2>err.txt").c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile("out.txt"), ReadFile("err.txt")};
}

// radioprog-cli with args, split as the shell splits them.
inline CliRun Cli(const std::string& args) { return RunShell(CliPath() + " " + args); }

// The same with RADIOPROG_PORTS set to ports (device paths, entry k being COMk).
inline CliRun Cli(const std::string& ports, const std::string& args) {
    return RunShell("RADIOPROG_PORTS='" + ports + "' " + CliPath() + " " + args);
}

}  // namespace radioprog::test
