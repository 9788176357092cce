// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/radio_sim.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <vector>

namespace radioprog::sim {

namespace {

using Clock = std::chrono::steady_clock;

void WriteAll(int fd, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n > 0) {
            data += n;
            size -= static_cast<std::size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && errno == EAGAIN) {
            // Nobody reads the device: wait a little, then drop the rest as a radio would.
            pollfd p{fd, POLLOUT, 0};
            if (::poll(&p, 1, 100) <= 0) return;
        } else {
            return;
        }
    }
}

}  // namespace

RadioSimulator::~RadioSimulator() { stop(); }

bool RadioSimulator::start(std::string& error) {
    stop();
    if (!terminal_.create(error)) return false;
    if (::pipe2(wakePipe_, O_CLOEXEC) != 0) {
        error = std::string("cannot create a pipe: ") + std::strerror(errno);
        terminal_.destroy();
        return false;
    }
    server_ = std::thread([this] { serve(); });
    return true;
}

void RadioSimulator::stop() {
    if (server_.joinable()) {
        const std::uint8_t wake = 1;
        WriteAll(wakePipe_[1], &wake, 1);
        server_.join();
    }
    for (int& fd : wakePipe_) {
        if (fd >= 0) ::close(fd);
        fd = -1;
    }
    terminal_.destroy();
}

void RadioSimulator::serve() {
    // Paced answers are released at each byte's time: the default 50 us timer slack would add
    // up over a transfer's hundreds of replies and be counted against the program.
    ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    const int master = terminal_.masterFd();
    std::vector<std::uint8_t> due;
    for (;;) {
        timespec timeout{};
        timespec* wait = nullptr;  // nothing on its way: until the program sends
        const Clock::time_point next = nextDue();
        if (next != Clock::time_point::max()) {
            const auto left = std::max(Clock::duration::zero(), next - Clock::now());
            const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
            timeout.tv_sec = static_cast<time_t>(ns / 1'000'000'000);
            timeout.tv_nsec = static_cast<long>(ns % 1'000'000'000);
            wait = &timeout;
        }
        pollfd fds[2] = {{master, POLLIN, 0}, {wakePipe_[0], POLLIN, 0}};
        int ready = ::ppoll(fds, 2, wait, nullptr);
        if (ready < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (fds[1].revents) return;
        if (fds[0].revents & POLLIN) {
            std::uint8_t buffer[4096];
            ssize_t n = ::read(master, buffer, sizeof buffer);
            if (n > 0) receive(Clock::now(), buffer, static_cast<std::size_t>(n));
        } else if (fds[0].revents) {
            // The device end is held open, so this is transient; do not spin.
            ::usleep(10'000);
        }
        due.clear();
        takeDue(Clock::now(), due);
        if (!due.empty()) WriteAll(master, due.data(), due.size());
    }
}

}  // namespace radioprog::sim
