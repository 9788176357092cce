// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/com_port.h"

namespace radioprog {

namespace {

constexpr std::uint8_t kDescrambleTable[16] = {2, 7, 5, 8, 10, 11, 14, 0, 12, 3, 1, 4, 13, 15, 6, 9};
constexpr std::uint8_t kScrambleTable[16] = {7, 10, 0, 9, 11, 2, 14, 1, 3, 15, 4, 5, 8, 12, 6, 13};

}  // namespace

void TranslateNibbles(std::uint8_t* buffer, std::size_t length, bool descramble) {
    const std::uint8_t* table = descramble ? kDescrambleTable : kScrambleTable;
    for (std::size_t i = 0; i < length; ++i)
        buffer[i] = static_cast<std::uint8_t>(table[buffer[i] & 0x0F] + 16 * table[buffer[i] >> 4]);
}

CComPort::CComPort(PortMap ports) : ports_(std::move(ports)) {}

void CComPort::setTimeouts(const LineTimeouts& timeouts) {
    line_.setTimeouts(timeouts);
    exchanges_.setTimeouts(timeouts);
}

void CComPort::setTrace(std::shared_ptr<TransferTrace> trace) {
    trace_ = trace;
    line_.setTrace(trace);
    exchanges_.setTrace(std::move(trace));
}

bool CComPort::Open(const std::string& device) { return line_.isOpen() || line_.open(device); }

bool CComPort::Close() { return line_.close(); }

void CComPort::CloseIfOpen() {
    if (line_.isOpen()) line_.close();
}

LineTime CComPort::now() { return SerialLine::Clock::now().time_since_epoch(); }

PortOpening CComPort::openPort(int port) {
    CloseIfOpen();
    PortOpening opening;
    opening.device = ports_.device(port);
    if (trace_)
        trace_->note(PortMap::name(port) + (opening.device.empty() ? " does not exist" : " is " + opening.device));
    opening.opened = line_.open(opening.device);
    if (!opening.opened) opening.error = line_.lastOpenError();
    return opening;
}

void CComPort::wait(LineTime until, std::vector<std::uint8_t>& received) {
    const auto deadline =
        until == kNoDeadline
            ? SerialLine::Clock::time_point::max()
            : SerialLine::Clock::time_point(std::chrono::duration_cast<SerialLine::Clock::duration>(until));
    line_.wait(deadline, received);
}

bool CComPort::run(const Exchange& exchange) {
    exchanges_.startExchange(exchange, now());
    RunEngine(exchanges_, *this);
    return exchanges_.exchangeSucceeded();
}

bool CComPort::EnterProgramMode(int retries) {
    Exchange x{Exchange::Kind::EnterProgramMode};
    x.retries = retries;
    return run(x);
}

bool CComPort::Identify() { return run(Exchange{Exchange::Kind::Identify}); }

bool CComPort::ReadBlock(std::uint8_t hi, std::uint8_t lo, std::uint8_t* destination) {
    return run(Exchange{Exchange::Kind::ReadBlock, hi, lo, 0, destination});
}

bool CComPort::ReadBlockDescrambled(std::uint8_t hi, std::uint8_t lo, std::uint8_t* destination) {
    return run(Exchange{Exchange::Kind::ReadBlockDescrambled, hi, lo, 0, destination});
}

bool CComPort::WriteBlock(std::uint8_t hi, std::uint8_t lo, const std::uint8_t* source) {
    return run(Exchange{Exchange::Kind::WriteUnit, hi, lo, 0, nullptr, source});
}

bool CComPort::confirmWrites() { return run(Exchange{Exchange::Kind::ConfirmWrites}); }

}  // namespace radioprog
