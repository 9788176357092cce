// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// radioprog-cli's commands. Each command file registers itself, so adding a command means
// adding one file. A command declares its options; the tool parses them (see
// cmdline/command_line.h) before the command runs, and builds the command's --help from them.
#include <string>
#include <vector>

#include "cmdline/command_line.h"

namespace radioprog::cli {

// Exit codes shared by every command; ExitCodes() says what each means.
inline constexpr int kExitOk = 0;
inline constexpr int kExitDiffers = 1;                  // diff: the files differ
inline constexpr int kExitUsage = cmdline::kExitUsage;  // usage error, unreadable or invalid file
inline constexpr int kExitNothingImported = 8;          // an import stored no channel

struct ExitCode {
    int code;
    const char* meaning;
};
// Every exit status of radioprog-cli, in order: the table of --help and of the README.
const std::vector<ExitCode>& ExitCodes();

struct Command {
    std::string name;
    std::string synopsis;                  // "new FILE"
    std::string summary;                   // one line for the command list
    std::string help;                      // what the command does; its options and exit codes follow
    std::vector<cmdline::Option> options;  // its own options (--help is every command's)
    std::vector<int> exitCodes;            // the codes it returns besides 0 and 2
    int (*run)(const cmdline::Arguments& args);
};

struct CommandRegistration {
    explicit CommandRegistration(Command command);
};

const std::vector<Command>& Commands();
const Command* FindCommand(const std::string& name);

// Parses the command's arguments and runs it (or prints its help).
int RunCommand(const Command& command, const std::vector<std::string>& args);
// The command's help: usage, description, options, exit status.
std::string CommandHelp(const Command& command);
// lead + the command's synopsis, broken between its words and bracketed groups so that no
// line is wider than 80 columns; a further line starts under the command's first argument.
std::string SynopsisLines(const std::string& lead, const Command& command);

// Prints "radioprog-cli: <message>" on stderr and returns kExitUsage.
int UsageError(const std::string& message);
// A command line the command cannot take: "radioprog-cli: <command>: <message> (see
// radioprog-cli <command> --help)" on stderr; returns kExitUsage.
int CommandUsageError(const std::string& command, const std::string& message);
// A usage error unless the command got between min and max arguments besides its options.
bool CheckArgumentCount(const std::string& command, const cmdline::Arguments& args, std::size_t min, std::size_t max,
                        const std::string& expected, int& status);

}  // namespace radioprog::cli
