// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// --measure-startup: reports when the main window's first frame is complete (every part of
// it painted and handed to the screen) and when the channel table's first frame is, then
// ends the program. For measuring start-up, not for users. Each line gives the time since
// main() began and the monotonic clock's reading, so a caller can count from exec.
#include <QElapsedTimer>
#include <QObject>

namespace radioprog {

class CMainFrame;

class StartupProbe : public QObject {
public:
    // Watches every widget of the program from now on.
    explicit StartupProbe(const QElapsedTimer& clock);
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Stage { MainWindow, ChannelTable, Done };
    // Called from a paint: the frame is complete once the painting in progress is flushed.
    void reportAfterFrame(const char* what);

    const QElapsedTimer& clock_;
    CMainFrame* mainFrame_ = nullptr;  // the window first painted
    Stage stage_ = Stage::MainWindow;
    bool reportPending_ = false;
};

}  // namespace radioprog
