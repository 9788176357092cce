// SPDX-License-Identifier: GPL-3.0-or-later
// Why a port cannot be used, on Windows: a port is opened by one program at a time, and the
// system does not say which one has it, so a refused open is "held by another program";
// anything else is said as the system says it.
#include <cerrno>
#include <cstdlib>

#include "link/port_trouble.h"
#include "link/serial_line.h"
#include "model/extra_rows.h"

namespace radioprog {

std::vector<PortHolder> FindHolders(const std::string&, const SystemRoots&) { return {}; }

bool ProgramRuns(const std::string&, const SystemRoots&) { return false; }

UserFacts UserFacts::current() {
    UserFacts facts;
    if (const char* name = std::getenv("USERNAME")) facts.name = name;
    return facts;
}

PortTrouble DiagnosePort(const PortInfo& info, int openErrno, const std::string& systemText, const UserFacts& user,
                         const SystemRoots&) {
    PortTrouble trouble;
    trouble.device = info.device;
    trouble.user = user.name;
    trouble.vidPid = info.vidPid();
    trouble.systemText = systemText;
    trouble.kind = openErrno == 0       ? PortTroubleKind::None
                   : openErrno == EBUSY ? PortTroubleKind::HeldByProgram
                                        : PortTroubleKind::Other;
    return trouble;
}

PortTrouble InspectPort(const PortInfo& info, const UserFacts& user, const SystemRoots& roots) {
    // Windows says whether a port is free only to a program that opens it.
    SerialLine line;
    const bool opened = line.open(info.device);
    line.close();
    const OpenError& error = line.lastOpenError();
    return DiagnosePort(info, opened ? 0 : error.code, error.text, user, roots);
}

std::vector<std::string> ExplainPortTrouble(const PortTrouble& trouble, const LanguageTable& language) {
    using namespace lang_row;
    switch (trouble.kind) {
    case PortTroubleKind::None: return {language.row(kPortUsable)};
    case PortTroubleKind::HeldByProgram: return {language.row(kHeldByHidden), language.row(kCloseOtherProgram)};
    default: return {trouble.systemText};
    }
}

std::vector<std::string> CablesTakenByBrltty(const SystemRoots&) { return {}; }

}  // namespace radioprog
