// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/transfer_cancel.h"

#include <fcntl.h>
#include <unistd.h>

namespace radioprog {

TransferCancel::TransferCancel() {
    if (::pipe(pipe_) != 0) {
        pipe_[0] = pipe_[1] = -1;
        return;
    }
    for (int fd : pipe_) {
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    }
}

TransferCancel::~TransferCancel() {
    for (int fd : pipe_)
        if (fd >= 0) ::close(fd);
}

void TransferCancel::request() {
    requested_.store(true, std::memory_order_release);
    if (pipe_[1] >= 0) {
        const char byte = 1;
        // A full pipe is readable already; nothing else can go wrong that matters here.
        [[maybe_unused]] ssize_t n = ::write(pipe_[1], &byte, 1);
    }
}

void TransferCancel::reset() {
    if (pipe_[0] >= 0) {
        char buffer[64];
        while (::read(pipe_[0], buffer, sizeof buffer) > 0) {
        }
    }
    requested_.store(false, std::memory_order_release);
}

}  // namespace radioprog
