// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick for radioprog's start-up: an empty Qt main window shown as radioprog shows
// its own, reporting its first complete frame the way radioprog --measure-startup does.
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QMainWindow>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <ctime>

namespace {

class FirstFrameProbe : public QObject {
public:
    explicit FirstFrameProbe(const QElapsedTimer& clock) : clock_(clock) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !pending_) {
            pending_ = true;
            QTimer::singleShot(0, qApp, [this] {
                timespec now{};
                ::clock_gettime(CLOCK_MONOTONIC, &now);
                std::printf("main window fully painted after %.1f ms (monotonic %.3f ms)\n",
                            clock_.nsecsElapsed() / 1e6, now.tv_sec * 1e3 + now.tv_nsec / 1e6);
                std::fflush(stdout);
                QApplication::quit();
            });
        }
        return false;
    }

private:
    const QElapsedTimer& clock_;
    bool pending_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    QElapsedTimer clock;
    clock.start();
    QApplication application(argc, argv);
    FirstFrameProbe probe(clock);
    application.installEventFilter(&probe);
    QMainWindow window;
    if (QScreen* screen = QApplication::primaryScreen()) window.setGeometry(screen->availableGeometry());
    window.showMaximized();
    return QApplication::exec();
}
