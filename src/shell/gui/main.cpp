// SPDX-License-Identifier: GPL-3.0-or-later
// radioprog: programming software for the dual-band handheld radio.
#include <QApplication>
#include <QElapsedTimer>
#include <QStringList>
#include <QTimer>

#include <iostream>
#include <optional>

#include "cmdline/command_line.h"
#include "cmdline/standard_output.h"
#include "shell/gui/list_accessible.h"
#include "shell/gui/radioprog_app.h"
#include "shell/gui/startup_probe.h"

namespace {

const std::vector<radioprog::cmdline::Option>& Options() {
    using radioprog::cmdline::Option;
    static const std::vector<Option> options = [] {
        std::vector<Option> list{
            radioprog::cmdline::HelpOption(),
            radioprog::cmdline::VersionOption(),
            Option{
                {"measure-startup"}, "", "print when the window and the channel table are painted, then end", "", true},
        };
        const auto& qt = radioprog::cmdline::QtGuiOptions();
        list.insert(list.end(), qt.begin(), qt.end());
        return list;
    }();
    return options;
}

std::string Help() {
    return "Usage: radioprog [OPTIONS] [FILE]\n\n"
           "Programming software for the dual-band handheld radio: reads and writes the\n"
           "radio's memory over a serial cable, edits channels, settings and DTMF codes,\n"
           "keeps .dat files and prints the channel list. RADIOPROG_PORTS=DEVICE,... names\n"
           "the serial ports. FILE is opened at start: a .dat file as the document, a .csv\n"
           "file imported into it.\n"
           "Qt's own options (-platform, -style, ...) are accepted too.\n\n"
           "Options:\n" +
           radioprog::cmdline::OptionsHelp(Options()) +
           "\nExit status:\n"
           "  0  the program ended normally\n"
           "  2  usage error\n";
}

// --help and --version: print and end. Returns -1 when the program is to run.
int Answer(const radioprog::cmdline::Arguments& parsed) {
    if (parsed.isSet("help")) {
        std::cout << Help();
        return 0;
    }
    if (parsed.isSet("version")) {
        std::cout << radioprog::cmdline::VersionText("radioprog");
        return 0;
    }
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    namespace cmdline = radioprog::cmdline;
    QElapsedTimer clock;
    clock.start();
    // The command line is checked, and --help and --version answered, before Qt looks for a
    // display.
    cmdline::Arguments parsed;
    std::string error;
    if (!cmdline::Parse(Options(), cmdline::ArgumentList(argc, argv), parsed, error, cmdline::Style::QtStyle)) {
        std::cerr << "radioprog: " << error << " (see radioprog --help)\n";
        return cmdline::kExitUsage;
    }
    if (parsed.positional().size() > 1) {
        std::cerr << "radioprog: unexpected argument '" << parsed.positional()[1] << "' (see radioprog --help)\n";
        return cmdline::kExitUsage;
    }
    if (int status = Answer(parsed); status >= 0) return cmdline::CloseStandardOutput("radioprog", status);
    QApplication application(argc, argv);
    radioprog::InstallListAccessibility();
    const bool measureStartup = parsed.isSet("measure-startup");
    QApplication::setApplicationName(QStringLiteral("radioprog"));
    QApplication::setDesktopFileName(QStringLiteral("radioprog"));
    radioprog::CRadioProgApp app;
    // Measured as users start it: the probe only watches.
    std::optional<radioprog::StartupProbe> probe;
    if (measureStartup) probe.emplace(clock);
    if (!app.InitInstance(true)) return 1;
    // The offer of unsaved edits from last time, then FILE, once the window is up.
    QStringList files;
    for (const std::string& file : parsed.positional()) files << QString::fromLocal8Bit(file.c_str());
    QTimer::singleShot(0, &app, [&app, files] { app.openAtStart(files); });
    return QApplication::exec();
}
