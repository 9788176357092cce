// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Steps that widget tests take through the main window.
#include <QMdiSubWindow>
#include <QSignalSpy>
#include <QTest>

#include "shell/document_texts.h"
#include "shell/gui/background_wnd.h"
#include "shell/gui/main_frame.h"

namespace radioprog::test {

// Runs a read or write command and waits for the transfer to end; its result code, or -100
// when it did not end in time.
inline int RunTransfer(CMainFrame& frame, void (CMainFrame::*command)(), int timeoutMs = 60000) {
    QSignalSpy ended(&frame, &CMainFrame::transferEnded);
    (frame.*command)();
    if (!ended.wait(timeoutMs)) return -100;
    return ended.takeFirst().at(0).toInt();
}

// With the editor open, opening it again brings that same window to the front.
inline void VerifyOpeningTwiceActivatesTheFirst(CMainFrame& frame, EditorKind kind) {
    CChildFrame* first = frame.editorFrame(kind);
    QVERIFY(first);
    frame.OpenChannelEditor();
    QVERIFY(frame.background()->activeSubWindow() != first);
    QCOMPARE(frame.openEditor(kind), first);
    QCOMPARE(frame.background()->activeSubWindow(), first);
    int frames = 0;
    for (QMdiSubWindow* window : frame.background()->subWindowList())
        if (static_cast<CChildFrame*>(window)->kind() == kind) ++frames;
    QCOMPARE(frames, 1);
    QCOMPARE(frame.windowTitle(), QString::fromStdString(DocumentWindowTitle("", frame.language())));
}

}  // namespace radioprog::test
