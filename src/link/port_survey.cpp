// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/port_survey.h"

#include <algorithm>

#include "model/extra_rows.h"

namespace radioprog {

std::vector<PortReport> SurveyPorts(const PortMap& ports, const SystemRoots& roots, const UserFacts& user) {
    std::vector<PortReport> reports;
    for (int port = kFirstPort; port <= kLastPort; ++port) {
        const std::string device = ports.device(port);
        if (device.empty()) continue;
        PortReport report;
        report.port = port;
        report.info = ReadPortInfo(device, roots);
        report.trouble = InspectPort(report.info, user, roots);
        reports.push_back(std::move(report));
    }
    return reports;
}

std::vector<std::string> PortReportLines(const std::vector<PortReport>& reports,
                                         const std::vector<std::string>& cablesTakenByBrltty,
                                         const LanguageTable& language) {
    const std::string indent(6, ' ');
    std::vector<std::string> lines;
    for (const PortReport& report : reports) {
        const std::vector<std::string> trouble = ExplainPortTrouble(report.trouble, language);
        std::string name = PortMap::name(report.port);
        name.resize(std::max<std::size_t>(name.size() + 1, indent.size()), ' ');
        lines.push_back(name + report.info.device + "  " + trouble.front());
        const std::string description = report.info.describe(language);
        if (!description.empty()) lines.push_back(indent + description);
        for (std::size_t k = 1; k < trouble.size(); ++k) lines.push_back(indent + trouble[k]);
    }
    if (reports.empty()) lines.push_back(language.row(lang_row::kNoPortFound));
    for (const std::string& cable : cablesTakenByBrltty) {
        lines.push_back(language.row(lang_row::kCableWithoutPort) + " " + cable);
        PortTrouble trouble;
        trouble.kind = PortTroubleKind::Brltty;
        trouble.vidPid = cable;
        for (const std::string& line : ExplainPortTrouble(trouble, language)) lines.push_back(indent + line);
    }
    return lines;
}

std::string CablesPluggedInNote(const PortMap& before, const PortMap& now, const LanguageTable& language) {
    std::vector<std::string> known;
    for (int port = kFirstPort; port <= kLastPort; ++port) known.push_back(before.device(port));
    std::string note;
    for (int port = kFirstPort; port <= kLastPort; ++port) {
        const std::string device = now.device(port);
        if (device.empty() || std::find(known.begin(), known.end(), device) != known.end()) continue;
        note += (note.empty() ? "" : "\n") + language.row(lang_row::kCablePluggedIn) + " " + PortMap::name(port) +
                " (" + device + ")";
    }
    return note;
}

int FindCable(const PortMap& ports, const std::string& identity, const SystemRoots& roots) {
    if (identity.empty()) return 0;
    for (int port = kFirstPort; port <= kLastPort; ++port) {
        const std::string device = ports.device(port);
        if (!device.empty() && ReadPortInfo(device, roots).identity() == identity) return port;
    }
    return 0;
}

}  // namespace radioprog
