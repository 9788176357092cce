// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The radiosim command line.
#include <optional>
#include <string>
#include <vector>

#include "sim/radio_sim.h"

namespace radioprog::sim {

struct SimConfig {
    std::string loadFile;  // .dat file to start from
    std::string saveFile;  // .dat file kept up to date with what the program wrote
    std::string linkPath;  // a symbolic link to the device, for a stable name
    // Every --link after the first: one more radio each, with the same memory, bands and
    // faults (for programming several radios at once).
    std::vector<std::string> moreLinks;
    std::optional<int> rxBands[4];  // first lower, first upper, second lower, second upper
    std::optional<int> txBands[4];
    SimFaults faults;
    bool paced = true;  // at 9600 baud, as a real radio; --instant answers at once
    int latencyMs = 0;
    bool help = false;
    bool version = false;
};

// False with a one-line reason when the arguments are wrong (options as cmdline/command_line.h
// parses them).
bool ParseSimArgs(const std::vector<std::string>& args, SimConfig& config, std::string& error);
// Applies the band options over the limits the simulator has.
BandLimits ApplyBandOptions(const SimConfig& config, const BandLimits& current);
std::string SimUsage();

}  // namespace radioprog::sim
