// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/command.h"

#include <algorithm>

#include "cli/cli_print.h"
#include "cli/transfer_cli.h"

namespace radioprog::cli {

namespace {
std::vector<Command>& Registry() {
    static std::vector<Command> commands;
    return commands;
}

const char* Meaning(int code) {
    for (const ExitCode& exit : ExitCodes())
        if (exit.code == code) return exit.meaning;
    return "";
}

}  // namespace

const std::vector<ExitCode>& ExitCodes() {
    static const std::vector<ExitCode> codes{
        {kExitOk, "done (diff: the files are equal)"},
        {kExitDiffers, "diff: the files differ"},
        {kExitUsage, "usage error, or a file that cannot be read, is invalid or cannot be written"},
        {kExitNoRadio, "no radio found"},
        {kExitReadFailed, "reading the radio failed or its verified readings disagreed; FILE untouched"},
        {kExitWriteFailed, "writing the radio failed"},
        {kExitBandRefused, "write refused by the band check (nothing written)"},
        {kExitVerifyDiffers, "a verified write found the radio holding other bytes than were written"},
        {kExitNothingImported, "the import stored no channel (the file is unchanged)"},
        {kExitHungUp, "stopped by SIGHUP (terminal closed); a read leaves FILE untouched"},
        {kExitInterrupted, "read or write stopped by SIGINT (Ctrl+C); a read leaves FILE untouched"},
        {kExitBrokenPipe, "stopped by SIGPIPE (output closed); a read leaves FILE untouched"},
        {kExitTerminated, "read or write stopped by SIGTERM; a read leaves FILE untouched"},
    };
    return codes;
}

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
    PrintErr("radioprog-cli: " + message + "\n");
    return kExitUsage;
}

int CommandUsageError(const std::string& command, const std::string& message) {
    return UsageError(command + ": " + message + " (see radioprog-cli " + command + " --help)");
}

bool CheckArgumentCount(const std::string& command, const cmdline::Arguments& args, std::size_t min, std::size_t max,
                        const std::string& expected, int& status) {
    const std::size_t count = args.positional().size();
    if (count >= min && count <= max) return true;
    status = CommandUsageError(command, "expected " + expected);
    return false;
}

std::string SynopsisLines(const std::string& lead, const Command& command) {
    constexpr std::size_t kWidth = 80;
    // The words, each "[...]" group whole.
    std::vector<std::string> words{""};
    int depth = 0;
    for (char c : command.synopsis) {
        if (c == ' ' && depth == 0) {
            if (!words.back().empty()) words.emplace_back();
            continue;
        }
        depth += c == '[' ? 1 : c == ']' ? -1 : 0;
        words.back() += c;
    }
    const std::string indent(lead.size() + command.name.size() + 1, ' ');
    std::string text = lead;
    std::size_t column = lead.size();
    for (std::size_t i = 0; i < words.size(); ++i) {
        // The command's name and first argument stay on the first line.
        if (i > 1 && column + 1 + words[i].size() > kWidth) {
            text += "\n" + indent;
            column = indent.size();
        } else if (i > 0) {
            text += ' ';
            ++column;
        }
        text += words[i];
        column += words[i].size();
    }
    return text + "\n";
}

std::string CommandHelp(const Command& command) {
    std::vector<cmdline::Option> options = command.options;
    options.push_back(cmdline::HelpOption());
    std::string text = SynopsisLines("Usage: radioprog-cli ", command) + "\n" + command.help + "\nOptions:\n" +
                       cmdline::OptionsHelp(options) + "\nExit status:\n";
    std::vector<int> codes{kExitOk, kExitUsage};
    codes.insert(codes.end(), command.exitCodes.begin(), command.exitCodes.end());
    std::sort(codes.begin(), codes.end());
    for (int code : codes) text += "  " + std::to_string(code) + "  " + Meaning(code) + "\n";
    return text;
}

int RunCommand(const Command& command, const std::vector<std::string>& args) {
    std::vector<cmdline::Option> options = command.options;
    options.push_back(cmdline::HelpOption());
    cmdline::Arguments parsed;
    std::string error;
    if (!cmdline::Parse(options, args, parsed, error)) return CommandUsageError(command.name, error);
    if (parsed.isSet("help")) {
        PrintOut(CommandHelp(command));
        return kExitOk;
    }
    return command.run(parsed);
}

}  // namespace radioprog::cli
