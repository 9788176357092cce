// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Counts how often anyone opens a file (inotify's open events; stat, access and reading
// /proc do not count), for tests that prove a command never opens a serial port.
#include <sys/inotify.h>
#include <unistd.h>

#include <string>

namespace radioprog::test {

class OpenCounter {
public:
    explicit OpenCounter(const std::string& path) : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        if (fd_ >= 0) watch_ = ::inotify_add_watch(fd_, path.c_str(), IN_OPEN);
    }
    ~OpenCounter() {
        if (fd_ >= 0) ::close(fd_);
    }
    OpenCounter(const OpenCounter&) = delete;
    OpenCounter& operator=(const OpenCounter&) = delete;

    bool watching() const { return watch_ >= 0; }

    // The opens since the counter was made. The kernel queues the event within the open
    // call, so an open by a process that has ended is always counted.
    int opens() {
        alignas(inotify_event) char buffer[4096];
        for (ssize_t n; fd_ >= 0 && (n = ::read(fd_, buffer, sizeof buffer)) > 0;) {
            for (const char* p = buffer; p < buffer + n;) {
                const auto* event = reinterpret_cast<const inotify_event*>(p);
                if (event->mask & IN_OPEN) ++opens_;
                p += sizeof(inotify_event) + event->len;
            }
        }
        return opens_;
    }

private:
    int fd_ = -1;
    int watch_ = -1;
    int opens_ = 0;
};

}  // namespace radioprog::test
