// SPDX-License-Identifier: GPL-3.0-or-later
// radioprog-cli ports: which device each of COM1-COM20 is and whether it can be opened.
#include <iomanip>
#include <iostream>

#include "cli/command.h"
#include "link/comm_task.h"
#include "model/terminal_text.h"

namespace radioprog::cli {
namespace {

int RunPorts(const cmdline::Arguments& args) {
    if (int status = kExitOk; !CheckArgumentCount("ports", args, 0, 0, "no arguments", status)) return status;
    CCommTask task(PortMap::FromEnvironment());
    for (const PortProblem& port : task.ProbeDetails()) {
        std::cout << std::left << std::setw(6) << PortMap::Name(port.port) << std::setw(23)
                  << (port.device.empty() ? "-" : TerminalText(port.device)) << ' ';
        if (port.reason.empty())
            std::cout << "ok\n";
        else if (port.permissionDenied)
            std::cout << port.reason << " (join the group that owns the device, usually dialout)\n";
        else
            std::cout << port.reason << "\n";
    }
    return kExitOk;
}

const CommandRegistration kRegistration{{
    "ports",
    "ports",
    "list COM1-COM20 with their devices and whether each can be opened",
    "Lists COM1 to COM20, the device path behind each and whether it can be opened now,\n"
    "or why not (no such port, permission denied, busy, ...). Each port is opened and\n"
    "closed once; nothing is sent.\n\n"
    "COMk is entry k of RADIOPROG_PORTS (device paths separated by commas; an empty entry is\n"
    "a port that does not exist); without it, the serial devices present, USB adapters\n"
    "first.\n",
    {},
    {},
    RunPorts,
}};

}  // namespace
}  // namespace radioprog::cli
