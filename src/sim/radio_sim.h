// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The simulated radio (sim/sim_radio.h) on a pseudo-terminal, answering in real time: what a
// program opens like a serial port to talk to the radio.
#include <string>
#include <thread>

#include "sim/pseudo_terminal.h"
#include "sim/sim_radio.h"

namespace radioprog::sim {

class RadioSimulator : public SimRadio {
public:
    RadioSimulator() = default;
    ~RadioSimulator();
    RadioSimulator(const RadioSimulator&) = delete;
    RadioSimulator& operator=(const RadioSimulator&) = delete;

    // Creates the pseudo-terminal and starts answering.
    bool start(std::string& error);
    void stop();
    const std::string& devicePath() const { return terminal_.devicePath(); }

private:
    void serve();

    PseudoTerminal terminal_;
    int wakePipe_[2] = {-1, -1};
    std::thread server_;
};

}  // namespace radioprog::sim
