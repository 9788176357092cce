// radioprog-cli: the radio programming tool for the shell and for scripts.
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "cli/command.h"

namespace {

void PrintToolHelp() {
    std::cout << "Usage: radioprog-cli COMMAND [ARGS...]\n\n"
                 "Reads, writes and inspects the memory image of the dual-band handheld radio\n"
                 "and its .dat files.\n\nCommands:\n";
    for (const auto& command : radioprog::cli::Commands())
        std::cout << "  " << command.synopsis << "\n      " << command.summary << "\n";
    std::cout << "\n'radioprog-cli COMMAND --help' describes a command.\n";
}

}  // namespace

int main(int argc, char** argv) {
    using namespace radioprog::cli;
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        PrintToolHelp();
        return kExitUsage;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        if (args.size() > 1)
            if (const Command* command = FindCommand(args[1])) return PrintCommandHelp(*command);
        PrintToolHelp();
        return kExitOk;
    }
    const Command* command = FindCommand(args[0]);
    if (!command) return UsageError("unknown command '" + args[0] + "' (see radioprog-cli --help)");
    std::vector<std::string> rest(args.begin() + 1, args.end());
    if (WantsHelp(rest)) return PrintCommandHelp(*command);
    try {
        return command->run(rest);
    } catch (const std::bad_alloc&) {
        // Nothing was written: every file is written whole or not at all.
        return UsageError("not enough memory");
    }
}
