#include "cmdline/command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>

#include <algorithm>

namespace radioprog::cmdline {

namespace {

QString Q(const std::string& text) { return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size())); }
std::string S(const QString& text) { return text.toLocal8Bit().toStdString(); }

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

bool Parse(const std::vector<Option>& options, const std::vector<std::string>& args, Arguments& parsed,
           std::string& error, Style style) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(style == Style::QtStyle ? QCommandLineParser::ParseAsLongOptions
                                                               : QCommandLineParser::ParseAsCompactedShortOptions);
    parser.setOptionsAfterPositionalArgumentsMode(style == Style::CommandFirst
                                                      ? QCommandLineParser::ParseAsPositionalArguments
                                                      : QCommandLineParser::ParseAsOptions);
    std::vector<QCommandLineOption> declared;
    declared.reserve(options.size());
    for (const Option& option : options) {
        QStringList names;
        for (const std::string& name : option.names) names << Q(name);
        QCommandLineOption qtOption(names);
        if (!option.valueName.empty()) qtOption.setValueName(Q(option.valueName));
        declared.push_back(qtOption);
        if (!parser.addOption(qtOption)) {
            error = "option " + Spelling(option) + " is declared twice";
            return false;
        }
    }
    QStringList list{QStringLiteral("program")};
    for (const std::string& arg : args) list << Q(arg);
    if (!parser.parse(list)) {
        error = S(parser.errorText());
        if (!error.empty() && error.back() == '.') error.pop_back();
        return false;
    }
    parsed = Arguments();
    for (std::size_t i = 0; i < options.size(); ++i) {
        if (!parser.isSet(declared[i])) continue;
        Arguments::Given given{options[i].names.back(), options[i].names, {}};
        for (const QString& value : parser.values(declared[i])) given.values.push_back(S(value));
        parsed.given_.push_back(std::move(given));
    }
    for (const QString& arg : parser.positionalArguments()) parsed.positional_.push_back(S(arg));
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

std::string VersionText(std::string_view program) { return std::string(program) + " " + std::string(Version()) + "\n"; }

std::vector<std::string> ArgumentList(int argc, char** argv) {
    return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>();
}

}  // namespace radioprog::cmdline
