// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The simulated radio every test that goes through a serial port talks to: answering on its
// pseudo-terminal from construction on, so the program's real serial code opens it like a
// radio on a cable. A pseudo-terminal that cannot be made fails the test with its reason.
#include <cstddef>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "sim/radio_sim.h"
#include "support/env_guard.h"

namespace radioprog::test {

class RunningSim : public sim::RadioSimulator {
public:
    // Instant: answers as soon as a request is complete. Wire: every byte takes its time at
    // 9600 baud, as on a cable (a whole read takes seconds).
    enum class Pace { Instant, Wire };

    explicit RunningSim(const sim::SimFaults& faults = {}, Pace pace = Pace::Instant) {
        setFaults(faults);
        setPaced(pace == Pace::Wire);
        std::string error;
        if (!start(error)) throw std::runtime_error("the simulated radio did not start: " + error);
    }

    // While this radio lives, the program finds it as COM1 (and no other port).
    void becomeCom1() { com1_.emplace("RADIOPROG_PORTS", devicePath().c_str()); }

    std::vector<sim::SimEvent> eventsOf(sim::SimEvent::Kind kind) const {
        std::vector<sim::SimEvent> picked;
        for (const sim::SimEvent& event : events())
            if (event.kind == kind) picked.push_back(event);
        return picked;
    }
    std::size_t count(sim::SimEvent::Kind kind) const { return eventsOf(kind).size(); }

private:
    std::optional<EnvGuard> com1_;
};

// Radios, each on its own pseudo-terminal, and their devices as the program's port list
// (RADIOPROG_PORTS: COM1, COM2, ... in this order).
struct RunningSims {
    std::vector<std::unique_ptr<RunningSim>> radios;
    std::string ports;

    RunningSim& add(const sim::SimFaults& faults = {}, RunningSim::Pace pace = RunningSim::Pace::Instant) {
        radios.push_back(std::make_unique<RunningSim>(faults, pace));
        ports += (ports.empty() ? "" : ",") + radios.back()->devicePath();
        return *radios.back();
    }
};

}  // namespace radioprog::test
