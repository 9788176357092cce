// radioprog: programming software for the dual-band handheld radio.
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>

#include <cstdio>
#include <iostream>

#include "cmdline/command_line.h"
#include "shell/gui/main_frame.h"
#include "shell/gui/radioprog_app.h"

namespace {

// With --measure-startup the program reports the time from start to the main window's first
// paint and ends; for measuring start-up, not for users.
class FirstPaintProbe : public QObject {
public:
    explicit FirstPaintProbe(const QElapsedTimer& clock) : clock_(clock) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !done_) {
            done_ = true;
            std::printf("first paint after %.1f ms\n", clock_.nsecsElapsed() / 1e6);
            std::fflush(stdout);
            QTimer::singleShot(0, qApp, &QApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    const QElapsedTimer& clock_;
    bool done_ = false;
};

const std::vector<radioprog::cmdline::Option>& Options() {
    using radioprog::cmdline::Option;
    static const std::vector<Option> options = [] {
        std::vector<Option> list{
            radioprog::cmdline::HelpOption(),
            radioprog::cmdline::VersionOption(),
            Option{{"measure-startup"}, "", "print the time to the first paint and end", "", true},
        };
        const auto& qt = radioprog::cmdline::QtGuiOptions();
        list.insert(list.end(), qt.begin(), qt.end());
        return list;
    }();
    return options;
}

std::string Help() {
    return "Usage: radioprog [OPTIONS]\n\n"
           "Programming software for the dual-band handheld radio: reads and writes the radio's\n"
           "memory over a serial cable, edits channels, settings and DTMF codes, keeps .dat files\n"
           "and prints the channel list. RADIOPROG_PORTS=DEVICE,... names the serial ports.\n"
           "Qt's own options (-platform, -style, ...) are accepted too.\n\n"
           "Options:\n" +
           radioprog::cmdline::OptionsHelp(Options()) +
           "\nExit status: 0 when the program ends normally, 2 for usage errors.\n";
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
    if (!parsed.positional().empty()) {
        std::cerr << "radioprog: unexpected argument '" << parsed.positional().front() << "' (see radioprog --help)\n";
        return cmdline::kExitUsage;
    }
    if (int status = Answer(parsed); status >= 0) return status;
    QApplication application(argc, argv);
    const bool measureStartup = parsed.isSet("measure-startup");
    QApplication::setApplicationName(QStringLiteral("radioprog"));
    QApplication::setDesktopFileName(QStringLiteral("radioprog"));
    radioprog::CRadioProgApp app;
    FirstPaintProbe probe(clock);
    if (!app.InitInstance(!measureStartup)) return 1;
    if (measureStartup) {
        app.mainFrame()->installEventFilter(&probe);
        app.mainFrame()->showMaximized();
    } else {
        // `radioprog FILE` opens FILE once the window is up (after the offer of unsaved edits).
        const QStringList arguments = QApplication::arguments().mid(1);
        QTimer::singleShot(0, &app, [&app, arguments] { app.OpenAtStart(arguments); });
    }
    return QApplication::exec();
}
