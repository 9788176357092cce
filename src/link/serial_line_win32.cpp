// SPDX-License-Identifier: GPL-3.0-or-later
// The serial line on Windows: the port opened as \\.\COMn, 9600 8N1 with DTR on; it only
// moves bytes, as on Linux. Waits run in short slices (the port's own read timeouts), so a
// cancel request is seen within one slice.
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

#include "link/serial_line.h"
#include "model/system_error_win32.h"

namespace radioprog {

namespace {

using Clock = std::chrono::steady_clock;

// How long one wait for received bytes lasts at most: the delay a cancel request may have.
constexpr long long kReadSliceMs = 100;

HANDLE Port(void* handle) { return static_cast<HANDLE>(handle); }

// COM1 to COM9 open by name, COM10 and up only under the device namespace; a name given
// with the namespace already is kept.
std::string DevicePath(const std::string& device) {
    if (device.rfind("\\\\.\\", 0) == 0) return device;
    return "\\\\.\\" + device;
}

// The errno value the rest of the program judges an open failure by. Windows refuses a
// port that another program has open with "access denied": that is a busy port.
OpenError MakeOpenError(DWORD code) {
    int errnoValue = EIO;
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME: errnoValue = ENOENT; break;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_BUSY: errnoValue = EBUSY; break;
    default: break;
    }
    return {errnoValue, SystemErrorText(code)};
}

// Raw 8N1 at 9600 baud, DTR on, no software flow control (it would swallow bytes of the
// binary protocol); hardware flow control is left as the port has it.
void SetUpLine(HANDLE port) {
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (::GetCommState(port, &dcb)) {
        dcb.BaudRate = CBR_9600;
        dcb.ByteSize = 8;
        dcb.Parity = NOPARITY;
        dcb.StopBits = ONESTOPBIT;
        dcb.fBinary = TRUE;
        dcb.fParity = FALSE;
        dcb.fOutX = FALSE;
        dcb.fInX = FALSE;
        dcb.fNull = FALSE;
        dcb.fAbortOnError = FALSE;
        dcb.fDtrControl = DTR_CONTROL_ENABLE;
        ::SetCommState(port, &dcb);
    }
    ::EscapeCommFunction(port, SETDTR);
}

// Reads return at once with what has arrived, or wait up to waitMs for the first byte.
bool SetReadWait(HANDLE port, DWORD waitMs, DWORD writeTotalMs) {
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.ReadTotalTimeoutMultiplier = waitMs > 0 ? MAXDWORD : 0;
    timeouts.ReadTotalTimeoutConstant = waitMs;
    timeouts.WriteTotalTimeoutConstant = writeTotalMs;
    return ::SetCommTimeouts(port, &timeouts) != 0;
}

}  // namespace

bool OpenError::permissionDenied() const { return code == EACCES || code == EPERM; }

bool OpenError::busy() const { return code == EBUSY; }

SerialLine::~SerialLine() { close(); }

bool SerialLine::isOpen() const { return handle_ != nullptr; }

bool SerialLine::open(const std::string& device) {
    if (handle_) return true;
    if (device.empty()) {
        openError_ = MakeOpenError(ERROR_FILE_NOT_FOUND);
        return false;
    }
    // No sharing: Windows opens a port for one program at a time.
    HANDLE port = ::CreateFileA(DevicePath(device).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (port == INVALID_HANDLE_VALUE) {
        openError_ = MakeOpenError(::GetLastError());
        if (trace_) trace_->note(device + ": " + openError_.text);
        return false;
    }
    if (::GetFileType(port) != FILE_TYPE_CHAR) {
        ::CloseHandle(port);
        openError_ = {ENOTTY, "not a serial device"};
        return false;
    }
    DCB saved{};
    saved.DCBlength = sizeof saved;
    if (::GetCommState(port, &saved))
        savedDcb_.assign(reinterpret_cast<const std::uint8_t*>(&saved),
                         reinterpret_cast<const std::uint8_t*>(&saved) + sizeof saved);
    SetUpLine(port);
    handle_ = port;
    latency_ = {LowLatency::Refused, "set by the driver"};
    openError_ = {};
    if (trace_) trace_->note(device + " opened");
    return true;
}

bool SerialLine::close() {
    if (!handle_) return false;
    // Put back the settings the port had.
    if (savedDcb_.size() == sizeof(DCB)) {
        DCB saved{};
        std::copy(savedDcb_.begin(), savedDcb_.end(), reinterpret_cast<std::uint8_t*>(&saved));
        ::SetCommState(Port(handle_), &saved);
        savedDcb_.clear();
    }
    const bool closed = ::CloseHandle(Port(handle_)) != 0;
    handle_ = nullptr;
    latency_ = {};
    if (trace_) trace_->note("closed");
    return closed;
}

void SerialLine::purge() {
    if (handle_) ::PurgeComm(Port(handle_), PURGE_RXABORT | PURGE_RXCLEAR | PURGE_TXABORT | PURGE_TXCLEAR);
}

std::size_t SerialLine::write(const std::uint8_t* data, std::size_t size) {
    if (!handle_ || size == 0) return 0;
    const long long totalMs =
        timeouts_.writeTotalConstantMs + static_cast<long long>(timeouts_.writeTotalPerByteMs) * size;
    std::size_t done = 0;
    if (!cancelled() && SetReadWait(Port(handle_), 0, static_cast<DWORD>(std::min<long long>(totalMs, MAXDWORD - 1)))) {
        DWORD n = 0;
        if (::WriteFile(Port(handle_), data, static_cast<DWORD>(size), &n, nullptr) || n > 0) done = n;
    }
    if (trace_) trace_->sent(data, done);
    return done;
}

// Appends what has arrived without waiting.
std::size_t SerialLine::collect(std::vector<std::uint8_t>& received) {
    if (!handle_ || !SetReadWait(Port(handle_), 0, 0)) return 0;
    std::size_t got = 0;
    std::uint8_t buffer[256];
    for (;;) {
        DWORD n = 0;
        if (!::ReadFile(Port(handle_), buffer, sizeof buffer, &n, nullptr) || n == 0) break;
        received.insert(received.end(), buffer, buffer + n);
        got += n;
    }
    return got;
}

void SerialLine::wait(Clock::time_point until, std::vector<std::uint8_t>& received) {
    if (!handle_ || cancelled()) return;
    if (collect(received) > 0) return;
    // Wait for the first byte in slices, so a cancel request is seen within one.
    while (!cancelled()) {
        const auto now = Clock::now();
        if (now >= until) return;
        const long long left = std::chrono::ceil<std::chrono::milliseconds>(until - now).count();
        const DWORD waitMs = static_cast<DWORD>(std::clamp<long long>(left, 1, kReadSliceMs));
        if (!SetReadWait(Port(handle_), waitMs, 0)) return;
        std::uint8_t byte = 0;
        DWORD n = 0;
        if (!::ReadFile(Port(handle_), &byte, 1, &n, nullptr)) return;  // the port is gone
        if (n > 0) {
            received.push_back(byte);
            collect(received);
            return;
        }
    }
}

}  // namespace radioprog
