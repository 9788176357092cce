// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/gui/startup_probe.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>

#include "shell/gui/main_frame.h"
#include "ui/child_frame.h"

namespace radioprog {

StartupProbe::StartupProbe(const QElapsedTimer& clock) : clock_(clock) { qApp->installEventFilter(this); }

bool StartupProbe::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Paint || reportPending_ || !watched->isWidgetType()) return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (stage_ == Stage::MainWindow) {
        mainFrame_ = qobject_cast<CMainFrame*>(widget->window());
        if (mainFrame_) reportAfterFrame("main window fully painted");
    } else if (stage_ == Stage::ChannelTable) {
        QWidget* table = mainFrame_->editorFrame(EditorKind::Channels);
        if (table && table->isVisible() && (widget == table || table->isAncestorOf(widget)))
            reportAfterFrame("channel table shown");
    }
    return false;
}

void StartupProbe::reportAfterFrame(const char* what) {
    reportPending_ = true;
    // Posted events run once the repaint that delivers this paint event has painted every
    // widget due and flushed the window.
    QTimer::singleShot(0, this, [this, what] {
        timespec now{};
        ::clock_gettime(CLOCK_MONOTONIC, &now);
        std::printf("%s after %.1f ms (monotonic %.3f ms)\n", what, clock_.nsecsElapsed() / 1e6,
                    now.tv_sec * 1e3 + now.tv_nsec / 1e6);
        std::fflush(stdout);
        reportPending_ = false;
        stage_ = stage_ == Stage::MainWindow ? Stage::ChannelTable : Stage::Done;
        if (stage_ == Stage::Done) QApplication::quit();
    });
}

}  // namespace radioprog
