// radioprog: programming software for the dual-band handheld radio.
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>

#include <cstdio>
#include <cstring>

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

}  // namespace

int main(int argc, char** argv) {
    QElapsedTimer clock;
    clock.start();
    const bool measureStartup = argc > 1 && std::strcmp(argv[1], "--measure-startup") == 0;
    QApplication application(argc, argv);
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
