// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/virtual_line.h"

#include <algorithm>

#include "link/port_map.h"

namespace radioprog::sim {

VirtualLine::VirtualLine(SimRadio& radio, int radioPort) : radio_(radio), radioPort_(radioPort) {}

PortOpening VirtualLine::OpenPort(int port) {
    openPort_ = 0;
    if (port < kFirstPort || port > kLastPort) return {};
    openPort_ = port;
    return {true, PortMap::name(port), {}};
}

void VirtualLine::Purge() {
    // What the radio has already put on the wire is dropped; what it sends later is not.
    scratch_.clear();
    radio_.takeDue(RadioTime(), scratch_);
}

std::size_t VirtualLine::Send(std::span<const std::uint8_t> bytes) {
    if (CancelRequested()) return 0;
    NoteActivity();
    if (openPort_ == radioPort_) radio_.receive(RadioTime(), bytes.data(), bytes.size());
    return bytes.size();
}

void VirtualLine::Wait(LineTime until, std::vector<std::uint8_t>& received) {
    const std::size_t before = received.size();
    if (openPort_ == radioPort_) radio_.takeDue(RadioTime(), received);
    if (received.size() > before || until <= now_) {
        if (received.size() > before) NoteActivity();
        return;
    }
    const SimRadio::Time due = openPort_ == radioPort_ ? radio_.nextDue() : SimRadio::Time::max();
    const LineTime next =
        due != SimRadio::Time::max() ? std::chrono::duration_cast<LineTime>(due.time_since_epoch()) : kNoDeadline;
    LineTime to = std::min({until, next, cancelAt_});
    if (to == kNoDeadline) to = now_;  // nothing would ever come: a driver never blocks forever
    Advance(to);
    if (openPort_ == radioPort_) radio_.takeDue(RadioTime(), received);
    if (received.size() > before) NoteActivity();
}

void VirtualLine::Advance(LineTime to) { now_ = std::max(now_, to); }

void VirtualLine::NoteActivity() {
    longestQuiet_ = std::max(longestQuiet_, now_ - lastActivity_);
    lastActivity_ = now_;
}

}  // namespace radioprog::sim
