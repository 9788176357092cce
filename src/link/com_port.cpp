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

void CComPort::SetTimeouts(const LineTimeouts& timeouts) {
    line_.setTimeouts(timeouts);
    exchanges_.SetTimeouts(timeouts);
}

void CComPort::SetTrace(std::shared_ptr<TransferTrace> trace) {
    trace_ = trace;
    line_.setTrace(trace);
    exchanges_.SetTrace(std::move(trace));
}

bool CComPort::Open(const std::string& device) { return line_.isOpen() || line_.open(device); }

bool CComPort::Close() { return line_.close(); }

void CComPort::CloseIfOpen() {
    if (line_.isOpen()) line_.close();
}

LineTime CComPort::Now() { return SerialLine::Clock::now().time_since_epoch(); }

PortOpening CComPort::OpenPort(int port) {
    CloseIfOpen();
    PortOpening opening;
    opening.device = ports_.device(port);
    if (trace_)
        trace_->note(PortMap::name(port) + (opening.device.empty() ? " does not exist" : " is " + opening.device));
    opening.opened = line_.open(opening.device);
    if (!opening.opened) opening.error = line_.lastOpenError();
    return opening;
}

void CComPort::Wait(LineTime until, std::vector<std::uint8_t>& received) {
    const auto deadline =
        until == kNoDeadline
            ? SerialLine::Clock::time_point::max()
            : SerialLine::Clock::time_point(std::chrono::duration_cast<SerialLine::Clock::duration>(until));
    line_.wait(deadline, received);
}

bool CComPort::Run(const Exchange& exchange) {
    exchanges_.StartExchange(exchange, Now());
    RunEngine(exchanges_, *this);
    return exchanges_.exchangeSucceeded();
}

bool CComPort::EnterProgramMode(int retries) {
    Exchange x{Exchange::Kind::EnterProgramMode};
    x.retries = retries;
    return Run(x);
}

bool CComPort::Identify() { return Run(Exchange{Exchange::Kind::Identify}); }

bool CComPort::ReadBlock(std::uint8_t hi, std::uint8_t lo, std::uint8_t* destination) {
    return Run(Exchange{Exchange::Kind::ReadBlock, hi, lo, 0, destination});
}

bool CComPort::ReadBlockDescrambled(std::uint8_t hi, std::uint8_t lo, std::uint8_t* destination) {
    return Run(Exchange{Exchange::Kind::ReadBlockDescrambled, hi, lo, 0, destination});
}

bool CComPort::WriteBlock(std::uint8_t hi, std::uint8_t lo, const std::uint8_t* source) {
    return Run(Exchange{Exchange::Kind::WriteUnit, hi, lo, 0, nullptr, source});
}

bool CComPort::ConfirmWrites() { return Run(Exchange{Exchange::Kind::ConfirmWrites}); }

}  // namespace radioprog
