// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every port of the port map with what it is and whether it can be used now, and why not:
// what the port dialog, the several-radios dialog and `radioprog-cli ports` show.
#include <string>
#include <vector>

#include "link/port_info.h"
#include "link/port_map.h"
#include "link/port_trouble.h"

namespace radioprog {

struct PortReport {
    int port = 0;  // the COM number
    PortInfo info;
    PortTrouble trouble;
    bool usable() const { return trouble.kind == PortTroubleKind::None; }
};

// The ports that exist, in COM order, each inspected without opening it (InspectPort).
std::vector<PortReport> SurveyPorts(const PortMap& ports, const SystemRoots& roots = {},
                                    const UserFacts& user = UserFacts::current());

// The survey as lines a user reads: per port "COMk  device  state", then indented the port's
// description and what to do; then the cables brltty took (which have no port).
std::vector<std::string> PortReportLines(const std::vector<PortReport>& reports,
                                         const std::vector<std::string>& cablesTakenByBrltty,
                                         const LanguageTable& language);

// For a scan that found no radio: the ports whose device appeared since before was taken,
// as "A cable was plugged in just now: COM2 (/dev/ttyUSB1)"; empty when none did.
std::string CablesPluggedInNote(const PortMap& before, const PortMap& now, const LanguageTable& language);

// The COM number whose device is the cable identity names now; 0 when it is not plugged in.
int FindCable(const PortMap& ports, const std::string& identity, const SystemRoots& roots = {});

}  // namespace radioprog
