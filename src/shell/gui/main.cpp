// radioprog: programming software for the dual-band handheld radio.
#include <QApplication>
#include <QElapsedTimer>

#include <cstring>
#include <optional>

#include "shell/gui/radioprog_app.h"
#include "shell/gui/startup_probe.h"

int main(int argc, char** argv) {
    QElapsedTimer clock;
    clock.start();
    const bool measureStartup = argc > 1 && std::strcmp(argv[1], "--measure-startup") == 0;
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("radioprog"));
    QApplication::setDesktopFileName(QStringLiteral("radioprog"));
    radioprog::CRadioProgApp app;
    // Measured as users start it: the probe only watches.
    std::optional<radioprog::StartupProbe> probe;
    if (measureStartup) probe.emplace(clock);
    if (!app.InitInstance(true)) return 1;
    return QApplication::exec();
}
