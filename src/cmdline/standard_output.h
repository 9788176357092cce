// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The end of a command-line program: what it wrote to standard output must have arrived. A
// full disk or a closed pipe reader would otherwise cut the output while the program exits
// with success.
namespace radioprog::cmdline {

// Flushes and closes standard output. Returns status when everything was written; otherwise
// prints "<program>: write error: <reason>" on standard error and returns kExitUsage, except
// that a status above 128 (stopped by a signal) is kept.
int CloseStandardOutput(const char* program, int status);

}  // namespace radioprog::cmdline
