// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Ctrl+C, Ctrl+Break and a closed console window on Windows, delivered as the signals they
// stand for on Linux: SIGINT for Ctrl+C, SIGTERM for the others.
namespace radioprog::cli {

// handler gets the signal number (on the console's own thread) until ReleaseConsoleBreaks.
void CatchConsoleBreaks(void (*handler)(int));
void ReleaseConsoleBreaks();

}  // namespace radioprog::cli
