// SPDX-License-Identifier: GPL-3.0-or-later
// radioprog-cli: the radio programming tool for the shell and for scripts.
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>
#endif

#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include "cli/cli_print.h"
#include "cli/command.h"
#include "cmdline/standard_output.h"
#include "model/file_path.h"

namespace {

using namespace radioprog;

std::string ToolHelp() {
    std::string text =
        "Usage: radioprog-cli [--help | --version] COMMAND [OPTIONS] [ARGS...]\n"
        "  or:  radioprog-cli help [COMMAND]\n\n"
        "Reads, writes and inspects the memory image of the dual-band handheld radio\n"
        "and its .dat files. A FILE given as \"-\" is standard input or output where a\n"
        "file is read or written as a whole. \"--\" ends the options.\n\nCommands:\n";
    for (const auto& command : cli::Commands())
        text += cli::SynopsisLines("  ", command) + "      " + command.summary + "\n";
    text += "\nOptions:\n" + cmdline::OptionsHelp({cmdline::HelpOption(), cmdline::VersionOption()});
    text += "\nExit status:\n";
    for (const cli::ExitCode& exit : cli::ExitCodes())
        text += "  " + std::to_string(exit.code) + "  " + exit.meaning + "\n";
    text +=
        "\n'radioprog-cli help COMMAND' (or 'radioprog-cli COMMAND --help') describes a\n"
        "command; 'radioprog-cli help' prints this text.\n";
    return text;
}

int Run(int argc, char** argv) {
    using namespace radioprog::cli;
    cmdline::Arguments parsed;
    std::string error;
    if (!cmdline::Parse({cmdline::HelpOption(), cmdline::VersionOption()}, cmdline::ArgumentList(argc, argv), parsed,
                        error, cmdline::Style::CommandFirst))
        return UsageError(error + " (see radioprog-cli --help)");
    const std::vector<std::string>& args = parsed.positional();
    if (parsed.isSet("version")) {
        PrintOut(cmdline::VersionText("radioprog-cli"));
        return kExitOk;
    }
    // "--help COMMAND" and "help COMMAND" describe the command.
    const bool helpCommand = !args.empty() && args[0] == "help";
    if (parsed.isSet("help") || helpCommand) {
        const std::size_t named = helpCommand ? 1 : 0;
        if (args.size() > named)
            if (const Command* command = FindCommand(args[named])) {
                PrintOut(CommandHelp(*command));
                return kExitOk;
            }
        PrintOut(ToolHelp());
        return kExitOk;
    }
    if (args.empty()) return UsageError("no command given (see radioprog-cli --help)");
    const Command* command = FindCommand(args[0]);
    if (!command) return UsageError("unknown command '" + args[0] + "' (see radioprog-cli --help)");
    try {
        return RunCommand(*command, std::vector<std::string>(args.begin() + 1, args.end()));
    } catch (const std::bad_alloc&) {
        // Nothing was written: every file is written whole or not at all.
        return UsageError("not enough memory");
    }
}

#ifdef _WIN32
// The arguments as the user typed them: Windows hands a program's main() its arguments in the
// local code page, which cannot hold every file name; the UTF-16 command line can.
std::vector<std::string> WideArguments() {
    std::vector<std::string> arguments;
    int count = 0;
    if (wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count)) {
        for (int i = 0; i < count; ++i) arguments.push_back(PathText(std::filesystem::path(wide[i])));
        ::LocalFree(wide);
    }
    return arguments;
}
#endif

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // Images go through standard input and output byte for byte, never as text.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    std::vector<std::string> arguments = WideArguments();
    std::vector<char*> pointers;
    for (std::string& argument : arguments) pointers.push_back(argument.data());
    pointers.push_back(nullptr);
    if (!arguments.empty()) {
        argc = static_cast<int>(arguments.size());
        argv = pointers.data();
    }
#endif
    // An output cut short by a full disk is an error, not a success.
    return radioprog::cmdline::CloseStandardOutput("radioprog-cli", Run(argc, argv));
}
