// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A pseudo-terminal whose device path a program can open like a serial port. The far end
// stays open here, so the device keeps working while programs open and close it.
#include <string>

namespace radioprog::sim {

class PseudoTerminal {
public:
    PseudoTerminal() = default;
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    // Creates the pair; false with the reason in error when that fails.
    bool create(std::string& error);
    void destroy();

    int masterFd() const { return master_; }
    const std::string& devicePath() const { return path_; }

private:
    int master_ = -1;
    int heldDevice_ = -1;  // the device end, held so the master never sees a hang-up
    std::string path_;
};

}  // namespace radioprog::sim
