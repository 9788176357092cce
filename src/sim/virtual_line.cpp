// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/virtual_line.h"

#include <algorithm>

#include "link/port_map.h"

namespace radioprog::sim {

VirtualLine::VirtualLine(SimRadio& radio, int radioPort) : radio_(radio), radioPort_(radioPort) {}

PortOpening VirtualLine::openPort(int port) {
    openPort_ = 0;
    if (port < kFirstPort || port > kLastPort) return {};
    openPort_ = port;
    return {true, PortMap::name(port), {}};
}

void VirtualLine::purge() {
    // What the radio has already put on the wire is dropped; what it sends later is not.
    scratch_.clear();
    radio_.takeDue(radioTime(), scratch_);
}

std::size_t VirtualLine::send(std::span<const std::uint8_t> bytes) {
    if (cancelRequested()) return 0;
    noteActivity();
    if (openPort_ == radioPort_) radio_.receive(radioTime(), bytes.data(), bytes.size());
    return bytes.size();
}

void VirtualLine::wait(LineTime until, std::vector<std::uint8_t>& received) {
    const std::size_t before = received.size();
    if (openPort_ == radioPort_) radio_.takeDue(radioTime(), received);
    if (received.size() > before || until <= now_) {
        if (received.size() > before) noteActivity();
        return;
    }
    const SimRadio::Time due = openPort_ == radioPort_ ? radio_.nextDue() : SimRadio::Time::max();
    const LineTime next =
        due != SimRadio::Time::max() ? std::chrono::duration_cast<LineTime>(due.time_since_epoch()) : kNoDeadline;
    LineTime to = std::min({until, next, cancelAt_});
    if (to == kNoDeadline) to = now_;  // nothing would ever come: a driver never blocks forever
    advance(to);
    if (openPort_ == radioPort_) radio_.takeDue(radioTime(), received);
    if (received.size() > before) noteActivity();
}

void VirtualLine::advance(LineTime to) { now_ = std::max(now_, to); }

void VirtualLine::noteActivity() {
    longestQuiet_ = std::max(longestQuiet_, now_ - lastActivity_);
    lastActivity_ = now_;
}

}  // namespace radioprog::sim
