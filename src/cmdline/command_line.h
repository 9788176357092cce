// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command-line conventions shared by radioprog-cli, radiosim and radioprog: options are
// declared in a table and parsed as Qt's command-line parser does (--opt=value and --opt
// value, -o value, "--" ends the options, "-" is an ordinary argument), a long option may be
// shortened to any prefix that names only one option (as with getopt_long), --help and --version
// print and end, and usage errors go to stderr with exit status 2. Needs no Qt library, so
// radioprog-cli and radiosim load none.
#include <string>
#include <string_view>
#include <vector>

namespace radioprog::cmdline {

inline constexpr int kExitUsage = 2;

struct Option {
    std::vector<std::string> names;  // "o", "out": one-letter names are short options
    std::string valueName;           // "FILE"; empty for a switch
    std::string description;         // for --help; several lines are indented alike
    std::string heading = {};        // printed on a line of its own before this option in --help
    bool hidden = false;             // accepted but not listed in --help
};

// --help, -h and --version.
const Option& HelpOption();
const Option& VersionOption();

enum class Style {
    Options,       // options anywhere among the arguments; -abc is -a -b -c
    CommandFirst,  // everything from the first argument that is not an option on is positional
                   // (a command name and the command's own arguments)
    QtStyle,       // as Options, but -name is --name, as Qt's own options (-platform, -style)
};

// The options and arguments of one command line.
class Arguments {
public:
    bool isSet(std::string_view name) const;
    // The last value given for the option; empty when it was not given.
    std::string value(std::string_view name) const;
    std::vector<std::string> values(std::string_view name) const;
    const std::vector<std::string>& positional() const { return positional_; }

    // One option as given: every name it goes by, and its values in order.
    struct Given {
        std::string name;  // the option's last name
        std::vector<std::string> aliases;
        std::vector<std::string> values;
    };

private:
    friend bool Parse(const std::vector<Option>&, const std::vector<std::string>&, Arguments&, std::string&, Style);
    std::vector<Given> given_;
    std::vector<std::string> positional_;
};

// Parses args (without the program name) against the options. False with a one-line reason
// for an unknown or ambiguous option (named as typed, dashes included), a missing value or a
// value given to a switch.
bool Parse(const std::vector<Option>& options, const std::vector<std::string>& args, Arguments& parsed,
           std::string& error, Style style = Style::Options);

// The options Qt's GUI programs take for themselves (-platform NAME, -style NAME, ...), hidden.
const std::vector<Option>& QtGuiOptions();

// The option lines of --help: "  -o, --out FILE  description", descriptions aligned.
std::string OptionsHelp(const std::vector<Option>& options);

// The version set in the build (CMake's project version), e.g. "1.0.0".
std::string_view Version();
// What --version prints: "<program> <version>" on the first line, then the copyright and
// licence (GPL-3.0-or-later).
std::string VersionText(std::string_view program);
std::string_view LicenceText();

// The whole command line as strings, argv[0] left out.
std::vector<std::string> ArgumentList(int argc, char** argv);

}  // namespace radioprog::cmdline
