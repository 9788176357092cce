// SPDX-License-Identifier: GPL-3.0-or-later
#include "cmdline/command_line.h"

#include <algorithm>

namespace radioprog::cmdline {

namespace {

std::string Spelling(const Option& option) {
    std::string text;
    for (const std::string& name : option.names) {
        if (!text.empty()) text += ", ";
        text += (name.size() == 1 ? "-" : "--") + name;
    }
    if (!option.valueName.empty()) text += " " + option.valueName;
    return text;
}

}  // namespace

const Option& HelpOption() {
    static const Option option{{"h", "help"}, "", "show this help and exit"};
    return option;
}

const Option& VersionOption() {
    static const Option option{{"version"}, "", "show the program's name and version and exit"};
    return option;
}

bool Arguments::isSet(std::string_view name) const {
    return std::any_of(given_.begin(), given_.end(), [&](const Given& given) {
        return std::find(given.aliases.begin(), given.aliases.end(), name) != given.aliases.end();
    });
}

std::string Arguments::value(std::string_view name) const {
    std::vector<std::string> all = values(name);
    return all.empty() ? std::string() : all.back();
}

std::vector<std::string> Arguments::values(std::string_view name) const {
    for (const Given& given : given_)
        if (std::find(given.aliases.begin(), given.aliases.end(), name) != given.aliases.end()) return given.values;
    return {};
}

const std::vector<Option>& QtGuiOptions() {
    static const std::vector<Option> options = [] {
        std::vector<Option> list;
        for (const char* name :
             {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "qwindowicon",
              "qwindowtitle", "session", "display", "geometry", "style", "stylesheet", "qmljsdebugger"})
            list.push_back({{name}, "VALUE", "", "", true});
        for (const char* name : {"reverse", "widgetcount", "nograb", "dograb", "sync"})
            list.push_back({{name}, "", "", "", true});
        return list;
    }();
    return options;
}

namespace {

// One command line being read: finds declared options by name and collects what was given.
class Reader {
public:
    Reader(const std::vector<Option>& options, Arguments::Given* given) : options_(options), given_(given) {}

    // The index of the option called name, or -1.
    int Find(std::string_view name) const {
        for (std::size_t i = 0; i < options_.size(); ++i)
            if (std::find(options_[i].names.begin(), options_[i].names.end(), name) != options_[i].names.end())
                return static_cast<int>(i);
        return -1;
    }
    // The option whose long name is name or begins with it, as getopt_long matches: -1 when
    // none does; -2 when several options do, their spellings then in candidates.
    int FindLong(std::string_view name, std::vector<std::string>& candidates) const {
        if (const int exact = Find(name); exact >= 0) return exact;
        int found = -1;
        candidates.clear();
        for (std::size_t i = 0; i < options_.size(); ++i)
            for (const std::string& longName : options_[i].names)
                if (longName.size() > 1 && !name.empty() && longName.starts_with(name)) {
                    if (found != static_cast<int>(i)) candidates.push_back("--" + longName);
                    found = static_cast<int>(i);
                    break;
                }
        return candidates.size() > 1 ? -2 : found;
    }
    bool TakesValue(int index) const { return !options_[static_cast<std::size_t>(index)].valueName.empty(); }
    void Set(int index) { given_[index].name = options_[static_cast<std::size_t>(index)].names.back(); }
    void AddValue(int index, std::string value) {
        Set(index);
        given_[index].values.push_back(std::move(value));
    }

private:
    const std::vector<Option>& options_;
    Arguments::Given* given_;
};

}  // namespace

bool Parse(const std::vector<Option>& options, const std::vector<std::string>& args, Arguments& parsed,
           std::string& error, Style style) {
    for (std::size_t i = 0; i < options.size(); ++i)
        for (std::size_t j = 0; j < i; ++j)
            for (const std::string& name : options[i].names)
                if (std::find(options[j].names.begin(), options[j].names.end(), name) != options[j].names.end()) {
                    error = "option " + Spelling(options[i]) + " is declared twice";
                    return false;
                }
    std::vector<Arguments::Given> given(options.size());
    Reader reader(options, given.data());
    std::vector<std::string> positional;
    std::vector<std::string> unknown;
    error.clear();
    auto fail = [&error](std::string text) {
        if (error.empty()) error = std::move(text);
    };
    // A named option, the text after "=" (if any) its value; a value option without one
    // takes the next argument.
    // A long option ("--name") may be abbreviated to any prefix that names only one option.
    auto named = [&](const std::string& argument, std::size_t nameStart, std::size_t& next) {
        const std::size_t assign = argument.find('=', nameStart);
        const std::string name = argument.substr(nameStart, assign == std::string::npos ? assign : assign - nameStart);
        std::vector<std::string> candidates;
        const int index = nameStart == 2 ? reader.FindLong(name, candidates) : reader.Find(name);
        if (index == -2) {
            std::string list;
            for (const std::string& candidate : candidates) list += (list.empty() ? "" : ", ") + candidate;
            return fail("Ambiguous option '" + argument.substr(0, assign) + "' (" + list + ")");
        }
        if (index < 0) {
            unknown.push_back(argument.substr(0, assign));
            return;
        }
        if (!reader.TakesValue(index)) {
            if (assign != std::string::npos) return fail("Unexpected value after '" + argument.substr(0, assign) + "'");
            return reader.Set(index);
        }
        if (assign != std::string::npos) return reader.AddValue(index, argument.substr(assign + 1));
        if (next >= args.size()) return fail("Missing value after '" + argument + "'");
        reader.AddValue(index, args[next++]);
    };
    bool onlyPositional = false;
    for (std::size_t next = 0; next < args.size();) {
        const std::string& argument = args[next++];
        if (onlyPositional || argument.size() < 2 || argument[0] != '-') {
            positional.push_back(argument);
            if (style == Style::CommandFirst) onlyPositional = true;
        } else if (argument == "--") {
            onlyPositional = true;
        } else if (argument[1] == '-') {
            named(argument, 2, next);
        } else if (style == Style::QtStyle) {
            named(argument, 1, next);
        } else {
            // -abc is -a -b -c; a letter that takes a value takes the rest ("-ofile", "-o=file")
            // or else the next argument.
            for (std::size_t pos = 1; pos < argument.size(); ++pos) {
                const std::string letter = argument.substr(pos, 1);
                const int index = reader.Find(letter);
                if (index < 0) {
                    unknown.push_back("-" + letter);
                    continue;
                }
                if (!reader.TakesValue(index)) {
                    reader.Set(index);
                    continue;
                }
                if (pos + 1 < argument.size()) {
                    reader.AddValue(index, argument.substr(argument[pos + 1] == '=' ? pos + 2 : pos + 1));
                } else if (next < args.size()) {
                    reader.AddValue(index, args[next++]);
                } else {
                    fail("Missing value after '" + argument + "'");
                }
                break;
            }
        }
    }
    if (unknown.size() == 1) {
        error = "Unknown option '" + unknown.front() + "'";
    } else if (!unknown.empty()) {
        error = "Unknown options: " + unknown.front();
        for (std::size_t i = 1; i < unknown.size(); ++i) error += ", " + unknown[i];
    }
    if (!error.empty()) return false;
    parsed = Arguments();
    for (std::size_t i = 0; i < options.size(); ++i) {
        if (given[i].name.empty()) continue;
        given[i].aliases = options[i].names;
        parsed.given_.push_back(std::move(given[i]));
    }
    parsed.positional_ = std::move(positional);
    return true;
}

std::string OptionsHelp(const std::vector<Option>& options) {
    std::size_t width = 0;
    for (const Option& option : options)
        if (!option.hidden) width = std::max(width, Spelling(option).size());
    width = std::min<std::size_t>(width, 24);
    std::string text;
    for (const Option& option : options) {
        if (option.hidden) continue;
        if (!option.heading.empty()) text += option.heading + "\n";
        std::string spelling = Spelling(option);
        // Long options line up with the long names of options that have a short one.
        std::string line = "  " + std::string(option.names.front().size() == 1 ? "" : "    ") + spelling;
        const std::size_t column = 2 + 4 + width + 2;
        std::string_view description = option.description;
        bool first = true;
        while (first || !description.empty()) {
            std::size_t end = description.find('\n');
            std::string_view part = description.substr(0, end);
            if (first && line.size() + 1 > column) {
                text += line + "\n";
                line.clear();
            }
            line.resize(std::max(line.size(), column), ' ');
            text += line + std::string(part) + "\n";
            line.clear();
            description = end == std::string_view::npos ? std::string_view() : description.substr(end + 1);
            first = false;
        }
    }
    return text;
}

std::string_view Version() { return RADIOPROG_VERSION; }

std::string VersionText(std::string_view program) {
    return std::string(program) + " " + std::string(Version()) + "\n" + std::string(LicenceText());
}

std::string_view LicenceText() {
    return "Copyright (C) 2026 The radioprog developers\n"
           "License GPLv3+: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>.\n"
           "This is free software: you are free to change and redistribute it.\n"
           "There is NO WARRANTY, to the extent permitted by law.\n";
}

std::vector<std::string> ArgumentList(int argc, char** argv) {
    return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>();
}

}  // namespace radioprog::cmdline
