#include "cli/command.h"

#include <algorithm>
#include <iostream>

namespace radioprog::cli {

namespace {
std::vector<Command>& Registry() {
    static std::vector<Command> commands;
    return commands;
}
}  // namespace

CommandRegistration::CommandRegistration(Command command) {
    auto& commands = Registry();
    commands.push_back(std::move(command));
    std::sort(commands.begin(), commands.end(), [](const Command& a, const Command& b) { return a.name < b.name; });
}

const std::vector<Command>& Commands() { return Registry(); }

const Command* FindCommand(const std::string& name) {
    for (const Command& command : Registry())
        if (command.name == name) return &command;
    return nullptr;
}

int UsageError(const std::string& message) {
    std::cerr << "radioprog-cli: " << message << "\n";
    return kExitUsage;
}

bool WantsHelp(const std::vector<std::string>& args) {
    return std::any_of(args.begin(), args.end(), [](const std::string& a) { return a == "--help" || a == "-h"; });
}

int PrintCommandHelp(const Command& command) {
    std::cout << "Usage: radioprog-cli " << command.synopsis << "\n\n" << command.help;
    return kExitOk;
}

}  // namespace radioprog::cli
