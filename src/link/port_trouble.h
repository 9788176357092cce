// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Why a serial device cannot be used, found out precisely enough to say what to do: which
// program holds it (from /proc and the lock files), whether ModemManager is probing it or
// brltty has claimed the cable, and for a refused open whether the user lacks the group that
// owns the device or the desktop session's access, or no group may use it, with the exact
// command that helps. Listing the ports never opens one: opening a serial port raises DTR and
// RTS on whatever is attached, and only a transfer may do that.
#include <sys/types.h>
#include <string>
#include <vector>

#include "link/port_info.h"
#include "model/language_table.h"

namespace radioprog {

#ifdef _WIN32
using gid_t = unsigned int;  // Windows grants ports to no group: the list stays empty there
#endif

struct PortHolder {
    int pid = 0;
    std::string program;  // the process's name, /proc/PID/comm
    bool operator==(const PortHolder&) const = default;
};

// The processes that have device open, as far as /proc shows them to this user, and those
// that hold a lock on it (a flock, or a lock file in /run/lock naming a running process). The
// program at the far end of a pseudo-terminal (it holds the master too) is the line itself,
// not a holder.
std::vector<PortHolder> FindHolders(const std::string& device, const SystemRoots& roots = {});
// Whether a process of that name runs.
bool ProgramRuns(const std::string& program, const SystemRoots& roots = {});

// Who is asking: the user's name, the groups this process has now, and the groups the
// account has in the group database (through NSS, so LDAP and sssd groups count), which
// differ from the first until the user logs in again.
struct UserFacts {
    std::string name;
    std::vector<gid_t> groups;
    std::vector<gid_t> accountGroups;
    static UserFacts current();
};

enum class PortTroubleKind {
    None,
    HeldByProgram,    // holders names them; empty: not visible to this user
    ModemManager,     // ModemManager has the device open while probing it
    Brltty,           // brltty holds the device or has taken its cable
    NotInGroup,       // the user is not a member of the device's group
    GroupNotActive,   // a member since the login: this session does not have the group yet
    NoSessionAccess,  // the desktop session's access is not given to this cable
    NoGroupAccess,    // only the device's owner may open it (no group may, or only root's)
    Other,            // any other reason; systemText says it
};

struct PortTrouble {
    PortTroubleKind kind = PortTroubleKind::None;
    std::string device;
    std::vector<PortHolder> holders;
    std::string group;     // the device's group, for the permission cases; NoGroupAccess: the one to give it
    bool inGroup = false;  // NoGroupAccess: the user's account is in that group already
    std::string user;
    std::string vidPid;  // the cable's vendor:product, when it is on USB
    std::string systemText;
};

// Why device, which failed to open with the error number openErrno, cannot be used.
PortTrouble DiagnosePort(const PortInfo& info, int openErrno, const std::string& systemText, const UserFacts& user,
                         const SystemRoots& roots = {});

// Whether the device can be used now, and why not, found without opening it: it must be a
// terminal device the user may read and write that no other program holds. On Windows, which
// tells none of this, the port is opened and closed once.
PortTrouble InspectPort(const PortInfo& info, const UserFacts& user, const SystemRoots& roots = {});

// The explanation: a first line that says what is wrong, then lines that say what to do
// (commands as they are typed).
std::vector<std::string> ExplainPortTrouble(const PortTrouble& trouble, const LanguageTable& language);

// The programming cables that are plugged in but have no serial device, because brltty
// took them: the vendor:product ids, one per cable. Empty when brltty does not run.
std::vector<std::string> CablesTakenByBrltty(const SystemRoots& roots = {});

}  // namespace radioprog
