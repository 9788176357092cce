// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A line to the simulated radio with a clock of its own: waiting moves the clock straight to
// the radio's next byte or to the deadline, so a transfer that takes minutes on a cable runs
// in a few milliseconds, and a fault that makes the program wait costs nothing. It records
// what a test needs to bound the program's waits.
#include <cstdint>
#include <span>
#include <vector>

#include "link/line_driver.h"
#include "sim/sim_radio.h"

namespace radioprog::sim {

class VirtualLine : public LineDriver {
public:
    // The radio answers on COM`radioPort`; the other ports of 1..20 exist and stay silent.
    explicit VirtualLine(SimRadio& radio, int radioPort = 1);

    LineTime now() override { return now_; }
    PortOpening openPort(int port) override;
    void closePort() override { openPort_ = 0; }
    void purge() override;
    std::size_t send(std::span<const std::uint8_t> bytes) override;
    void wait(LineTime until, std::vector<std::uint8_t>& received) override;
    bool cancelRequested() const override { return cancelAt_ <= now_; }

    // The user asks to stop once the clock reaches at.
    void cancelAt(LineTime at) { cancelAt_ = at; }
    // The longest time the line stayed quiet: nothing sent, nothing received.
    LineTime longestQuiet() const { return longestQuiet_; }

private:
    SimRadio::Time radioTime() const {
        return SimRadio::Time(std::chrono::duration_cast<SimRadio::Clock::duration>(now_));
    }
    void advance(LineTime to);
    void noteActivity();

    SimRadio& radio_;
    int radioPort_;
    int openPort_ = 0;
    LineTime now_{};
    LineTime lastActivity_{};
    LineTime longestQuiet_{};
    LineTime cancelAt_ = kNoDeadline;
    std::vector<std::uint8_t> scratch_;
};

}  // namespace radioprog::sim
