// SPDX-License-Identifier: GPL-3.0-or-later
#include <windows.h>

#include <atomic>
#include <csignal>

#include "cli/console_breaks.h"

namespace radioprog::cli {

namespace {

std::atomic<void (*)(int)> gHandler{nullptr};

BOOL WINAPI OnConsoleEvent(DWORD event) {
    void (*handler)(int) = gHandler.load();
    if (!handler) return FALSE;
    switch (event) {
    case CTRL_C_EVENT: handler(SIGINT); return TRUE;
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT: handler(SIGTERM); return TRUE;
    default: return FALSE;
    }
}

}  // namespace

void CatchConsoleBreaks(void (*handler)(int)) {
    gHandler.store(handler);
    ::SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

void ReleaseConsoleBreaks() {
    ::SetConsoleCtrlHandler(OnConsoleEvent, FALSE);
    gHandler.store(nullptr);
}

}  // namespace radioprog::cli
