#pragma once
// radioprog-cli's commands. Each command file registers itself, so adding a command means
// adding one file.
#include <string>
#include <vector>

namespace radioprog::cli {

// Exit codes shared by every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 2;  // usage error, unreadable or invalid file

struct Command {
    std::string name;
    std::string synopsis;  // "new FILE"
    std::string summary;   // one line for the command list
    std::string help;      // the whole help text of the command
    int (*run)(const std::vector<std::string>& args);
};

struct CommandRegistration {
    explicit CommandRegistration(Command command);
};

const std::vector<Command>& Commands();

// Prints "radioprog-cli: <message>" on stderr and returns kExitUsage.
int UsageError(const std::string& message);
// True when args hold --help or -h.
bool WantsHelp(const std::vector<std::string>& args);
// Prints the command's help on stdout.
int PrintCommandHelp(const Command& command);
const Command* FindCommand(const std::string& name);

}  // namespace radioprog::cli
