// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/serial_line.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

namespace radioprog {

namespace {

using Clock = std::chrono::steady_clock;

OpenError MakeOpenError(int code) { return {code, std::strerror(code)}; }

// Raw 8N1 at 9600 baud. Software flow control is switched off because it would swallow
// bytes of the binary protocol; hardware flow control is left as the port has it.
void SetUpLine(int fd, termios* saved, bool* haveSaved) {
    termios tio{};
    *haveSaved = ::tcgetattr(fd, &tio) == 0;
    if (*haveSaved) {
        *saved = tio;
        tio.c_iflag &=
            ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF | IXANY);
        tio.c_oflag &= ~static_cast<tcflag_t>(OPOST);
        tio.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
        tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB);
        tio.c_cflag |= CS8 | CREAD | CLOCAL;
        tio.c_cc[VMIN] = 0;
        tio.c_cc[VTIME] = 0;
        ::cfsetispeed(&tio, B9600);
        ::cfsetospeed(&tio, B9600);
        ::tcsetattr(fd, TCSANOW, &tio);
    }
    int dtr = TIOCM_DTR;
    ::ioctl(fd, TIOCMBIS, &dtr);
}

// Waits until fd is ready for events or the deadline passes; false on timeout, hang-up or
// when wakeFd (a cancel request, -1 for none) becomes readable.
bool WaitReady(int fd, short events, Clock::time_point deadline, int wakeFd) {
    for (;;) {
        auto now = Clock::now();
        if (now >= deadline) return false;
        auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - now).count();
        pollfd p[2] = {{fd, events, 0}, {wakeFd, POLLIN, 0}};
        // Without a wake-up descriptor a cancel request is seen at the next short slice.
        const long long slice = wakeFd >= 0 ? 60'000 : 100;
        int r = ::poll(p, wakeFd >= 0 ? 2 : 1, static_cast<int>(std::min<long long>(left, slice)));
        if (r < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (p[1].revents != 0) return false;
        if (r == 0) continue;  // the loop head decides whether time is up
        if (p[0].revents & events) return true;
        return false;  // POLLHUP / POLLERR / POLLNVAL without data: the device is gone
    }
}

}  // namespace

bool OpenError::permissionDenied() const { return code == EACCES || code == EPERM; }

bool OpenError::busy() const { return code == EBUSY; }

SerialLine::~SerialLine() { close(); }

bool SerialLine::isOpen() const { return fd_ >= 0; }

bool SerialLine::open(const std::string& device) {
    if (fd_ >= 0) return true;
    if (device.empty()) {
        openError_ = MakeOpenError(ENOENT);
        return false;
    }
    int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        openError_ = MakeOpenError(errno);
        if (trace_) trace_->note(device + ": " + openError_.text);
        return false;
    }
    if (!::isatty(fd)) {
        ::close(fd);
        openError_ = {ENOTTY, "not a serial device"};
        return false;
    }
    // Exclusive: the terminal refuses further opens, and other programs that lock serial
    // devices (as most do) see it taken.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        openError_ = MakeOpenError(EBUSY);
        return false;
    }
    ::ioctl(fd, TIOCEXCL);
    SetUpLine(fd, &saved_, &haveSaved_);
    hungUp_ = false;
    latency_ = RequestLowLatency(fd);
    fd_ = fd;
    openError_ = {};
    if (trace_) trace_->note(device + " opened, " + DescribeLowLatency(latency_));
    return true;
}

bool SerialLine::close() {
    if (fd_ < 0) return false;
    RestoreLatency(fd_, latency_);
    latency_ = {};
    // The device is left as it was found: other programs expect their own settings.
    if (haveSaved_) ::tcsetattr(fd_, TCSANOW, &saved_);
    haveSaved_ = false;
    // The exclusive flag outlives this descriptor while others hold the terminal open.
    ::ioctl(fd_, TIOCNXCL);
    int r = ::close(fd_);
    fd_ = -1;
    if (trace_) trace_->note("closed");
    return r == 0 || errno == EINTR;
}

void SerialLine::purge() {
    if (fd_ >= 0) ::tcflush(fd_, TCIOFLUSH);
}

std::size_t SerialLine::write(const std::uint8_t* data, std::size_t size) {
    if (fd_ < 0) return 0;
    auto deadline =
        Clock::now() + std::chrono::milliseconds(timeouts_.writeTotalConstantMs +
                                                 static_cast<long long>(timeouts_.writeTotalPerByteMs) * size);
    std::size_t done = 0;
    while (done < size && !cancelled()) {
        ssize_t n = ::write(fd_, data + done, size - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && errno == EAGAIN) {
            if (!WaitReady(fd_, POLLOUT, deadline, wakeFd())) break;
        } else {
            break;
        }
    }
    return done;
}

std::size_t SerialLine::collect(std::vector<std::uint8_t>& received) {
    std::size_t got = 0;
    std::uint8_t buffer[256];
    while (fd_ >= 0) {
        ssize_t n = ::read(fd_, buffer, sizeof buffer);
        if (n > 0) {
            received.insert(received.end(), buffer, buffer + n);
            got += static_cast<std::size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            // A raw terminal answers "nothing yet" with 0 or EAGAIN; a hang-up shows in poll.
            break;
        }
    }
    return got;
}

void SerialLine::wait(Clock::time_point until, std::vector<std::uint8_t>& received) {
    if (fd_ < 0 || cancelled()) return;
    if (collect(received) > 0) return;
    // A line that hung up brings nothing more: only the time or a cancel ends the wait.
    const int fd = hungUp_ ? -1 : fd_;
    if (!WaitReady(fd, POLLIN, until, wakeFd())) {
        if (fd >= 0 && !cancelled() && Clock::now() < until) hungUp_ = true;
        return;
    }
    collect(received);
}

}  // namespace radioprog
