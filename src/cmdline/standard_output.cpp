// SPDX-License-Identifier: GPL-3.0-or-later
#include "cmdline/standard_output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

#include "cmdline/command_line.h"

namespace radioprog::cmdline {

int CloseStandardOutput(const char* program, int status) {
    // std::cout writes through stdout's buffer (the streams are synchronised), so stdout's
    // error flag and the final fclose see every failed write.
    errno = 0;
    std::cout.flush();
    const int flushError = errno;
    const bool earlierFailure = std::ferror(stdout) != 0 || std::cout.fail();
    errno = 0;
    const bool closeFailed = std::fclose(stdout) != 0;
    const int reason = closeFailed && errno != 0 ? errno : flushError;
    // Nothing was written to a closed standard output: nothing was lost.
    if (!earlierFailure && (!closeFailed || errno == EBADF)) return status;
    // A program stopped by a signal keeps the status that says so (128 + the signal); a
    // closed pipe (the reason, or none left to tell) is then why it stopped, and its results
    // went to standard error.
    const bool stopped = status > 128;
    if (!stopped || (reason != 0 && reason != EPIPE))
        std::fprintf(stderr, "%s: write error%s%s\n", program, reason != 0 ? ": " : "",
                     reason != 0 ? std::strerror(reason) : "");
    return stopped ? status : kExitUsage;
}

}  // namespace radioprog::cmdline
