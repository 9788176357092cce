// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/port_trouble.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#ifdef RADIOPROG_LIBUDEV
#include <libudev.h>
#endif

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "model/extra_rows.h"

namespace radioprog {

namespace {

namespace fs = std::filesystem;

bool AllDigits(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string FirstLine(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

// Every process directory of /proc, with its name.
template <typename Visit>
void ForEachProcess(const SystemRoots& roots, Visit visit) {
    std::error_code ec;
    for (fs::directory_iterator it(roots.proc, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (AllDigits(name)) visit(std::stoi(name), it->path());
    }
}

bool SameFile(const fs::path& link, const std::string& device, const fs::path& deviceResolved) {
    std::error_code ec;
    fs::path target = fs::read_symlink(link, ec);
    if (ec) return false;
    return target == device || (!deviceResolved.empty() && target == deviceResolved);
}

// The number N of a pseudo-terminal device /dev/pts/N; -1 for any other device.
int PseudoTerminalIndex(const fs::path& resolved) {
    if (resolved.parent_path().filename() != "pts") return -1;
    const std::string name = resolved.filename().string();
    return AllDigits(name) ? std::stoi(name) : -1;
}

// Whether the process directory holds the master of pseudo-terminal index: its descriptor
// of the multiplexer says which terminal it serves ("tty-index:" in its fdinfo).
bool HoldsMasterOf(const fs::path& dir, int index) {
    std::error_code ec;
    for (fs::directory_iterator it(dir / "fd", ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code linkError;
        const fs::path target = fs::read_symlink(it->path(), linkError);
        if (linkError || target.filename() != "ptmx") continue;
        std::ifstream info(dir / "fdinfo" / it->path().filename());
        for (std::string line; std::getline(info, line);)
            if (line.rfind("tty-index:", 0) == 0 && std::atoi(line.c_str() + 10) == index) return true;
    }
    return false;
}

std::string ProgramOf(const SystemRoots& roots, int pid) {
    return FirstLine(fs::path(roots.proc) / std::to_string(pid) / "comm");
}

bool ProcessRuns(const SystemRoots& roots, int pid) {
    std::error_code ec;
    return pid > 0 && fs::is_directory(fs::path(roots.proc) / std::to_string(pid), ec);
}

// The processes that hold a flock or a record lock on the device's inode, from /proc/locks,
// which every user may read; lines read "1: FLOCK  ADVISORY  WRITE 1234 00:05:1071 0 EOF"
// (a waiting lock has "->" after the number).
std::vector<int> LockingProcesses(const struct stat& status, const SystemRoots& roots) {
    std::vector<int> pids;
    std::ifstream in(fs::path(roots.proc) / "locks");
    char wanted[64];
    std::snprintf(wanted, sizeof wanted, "%02x:%02x:%llu", major(status.st_dev), minor(status.st_dev),
                  static_cast<unsigned long long>(status.st_ino));
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        std::string number, kind, mode, access, pid, file;
        fields >> number >> kind;
        if (kind == "->") continue;
        fields >> mode >> access >> pid >> file;
        if (file == wanted && AllDigits(pid)) pids.push_back(std::stoi(pid));
    }
    return pids;
}

// The process named by the device's lock file /run/lock/LCK..ttyUSB0, as serial programs
// write it: the pid in ASCII (or, from old programs, as a binary int). 0 when there is no
// lock file or its process has ended (a stale lock locks nothing).
int LockFileProcess(const fs::path& resolved, const SystemRoots& roots) {
    std::ifstream in(fs::path(roots.run) / "lock" / ("LCK.." + resolved.filename().string()), std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    int pid = 0;
    if (text.size() == sizeof pid && !std::isspace(static_cast<unsigned char>(text.back())))
        std::memcpy(&pid, text.data(), sizeof pid);
    else
        pid = std::atoi(text.c_str());
    return ProcessRuns(roots, pid) ? pid : 0;
}

// The group's name from the group database (NSS); its number when it has none.
std::string GroupName(gid_t gid) {
    std::vector<char> buffer(16384);
    group entry{};
    group* found = nullptr;
    if (getgrgid_r(gid, &entry, buffer.data(), buffer.size(), &found) == 0 && found) return found->gr_name;
    return std::to_string(gid);
}

std::optional<gid_t> GroupId(const char* name) {
    std::vector<char> buffer(16384);
    group entry{};
    group* found = nullptr;
    if (getgrnam_r(name, &entry, buffer.data(), buffer.size(), &found) == 0 && found) return found->gr_gid;
    return std::nullopt;
}

// Whether udev gave the device the desktop session's access (the "uaccess" tag): logind then
// grants the active local session's user access to it.
bool TaggedForSession(dev_t rdev, const SystemRoots& roots) {
    if (roots.taggedForSession) return roots.taggedForSession(rdev);
#ifdef RADIOPROG_LIBUDEV
    udev* context = udev_new();
    if (!context) return false;
    udev_device* device = udev_device_new_from_devnum(context, 'c', rdev);
    const bool tagged = device && udev_device_has_tag(device, "uaccess") > 0;
    if (device) udev_device_unref(device);
    udev_unref(context);
    return tagged;
#else
    return false;  // a build without udev (the browser's) has no session access to tell
#endif
}

std::string HexWithoutLeadingZeros(const std::string& hex) {
    std::size_t first = hex.find_first_not_of('0');
    return first == std::string::npos ? "0" : hex.substr(first);
}

std::string UdevMatch(const std::string& vidPid) {
    const std::string vendor = vidPid.substr(0, vidPid.find(':'));
    const std::string product = vidPid.substr(vidPid.find(':') + 1);
    return "ATTRS{idVendor}==\"" + vendor + "\", ATTRS{idProduct}==\"" + product + "\"";
}

std::string UsermodCommand(const PortTrouble& trouble) {
    return "sudo usermod -aG " + trouble.group + " " + (trouble.user.empty() ? "$USER" : trouble.user);
}

const char* const kReloadRules = "sudo udevadm control --reload";
const char* const kCableRules = "/etc/udev/rules.d/61-radioprog-cable.rules";
const char* const kModemRules = "/etc/udev/rules.d/61-radioprog-modem.rules";
// The group serial ports are given to.
const char* const kSerialGroup = "dialout";

// Adds the rule line to the rules file: a second cable's line goes after the first's, which
// stays.
std::string AddRuleCommand(const std::string& rule, const char* file) {
    return "echo '" + rule + "' | sudo tee -a " + file;
}

// Whether the character device is a terminal: sysfs files every device but a pseudo-terminal
// under its class (the devpts ones have no sysfs entry, and are terminals).
bool TerminalDevice(dev_t rdev, const SystemRoots& roots) {
    const fs::path entry =
        fs::path(roots.sys) / "dev" / "char" / (std::to_string(major(rdev)) + ":" + std::to_string(minor(rdev)));
    std::error_code ec;
    if (!fs::exists(entry, ec)) return true;
    return fs::read_symlink(entry / "subsystem", ec).filename() == "tty";
}

void AddBrlttyFix(const std::string& vidPid, const LanguageTable& language, std::vector<std::string>& lines) {
    // A copy in /etc overrides brltty's own rules file; only the lines that name this
    // vendor and product are disabled there, so every other braille display still starts brltty.
    const std::string vendor = HexWithoutLeadingZeros(vidPid.substr(0, vidPid.find(':')));
    const std::string product = HexWithoutLeadingZeros(vidPid.substr(vidPid.find(':') + 1));
    lines.push_back(language.row(lang_row::kBrlttyFreeId));
    lines.push_back("sudo cp /usr/lib/udev/rules.d/85-brltty.rules /etc/udev/rules.d/");
    lines.push_back("sudo sed -i -E '/0*" + vendor + "/{/0*" + product +
                    "/s/^([^#])/#\\1/}' /etc/udev/rules.d/85-brltty.rules");
    lines.push_back(language.row(lang_row::kReloadAndReplug));
    lines.push_back(kReloadRules);
}

}  // namespace

std::vector<PortHolder> FindHolders(const std::string& device, const SystemRoots& roots) {
    std::error_code ec;
    const fs::path resolved = fs::canonical(device, ec);
    const int terminal = PseudoTerminalIndex(resolved);
    std::vector<PortHolder> holders;
    auto add = [&](int pid) {
        if (std::none_of(holders.begin(), holders.end(), [&](const PortHolder& holder) { return holder.pid == pid; }))
            holders.push_back({pid, ProgramOf(roots, pid)});
    };
    ForEachProcess(roots, [&](int pid, const fs::path& dir) {
        std::error_code fdError;
        for (fs::directory_iterator it(dir / "fd", fdError), end; !fdError && it != end; it.increment(fdError)) {
            if (!SameFile(it->path(), device, resolved)) continue;
            if (terminal < 0 || !HoldsMasterOf(dir, terminal)) add(pid);
            break;
        }
    });
    // Locks name holders that /proc does not show this user (another user's programs).
    struct stat status {};
    if (::stat(device.c_str(), &status) == 0)
        for (int pid : LockingProcesses(status, roots)) add(pid);
    if (!resolved.empty())
        if (int pid = LockFileProcess(resolved, roots)) add(pid);
    std::sort(holders.begin(), holders.end(), [](const PortHolder& a, const PortHolder& b) { return a.pid < b.pid; });
    return holders;
}

bool ProgramRuns(const std::string& program, const SystemRoots& roots) {
    bool found = false;
    ForEachProcess(roots, [&](int, const fs::path& dir) { found = found || FirstLine(dir / "comm") == program; });
    return found;
}

UserFacts UserFacts::current() {
    UserFacts facts;
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found) facts.name = found->pw_name;
    int count = getgroups(0, nullptr);
    if (count > 0) {
        facts.groups.resize(static_cast<std::size_t>(count));
        count = getgroups(count, facts.groups.data());
        facts.groups.resize(static_cast<std::size_t>(std::max(count, 0)));
    }
    facts.groups.push_back(getegid());
#ifndef __EMSCRIPTEN__  // the browser's C library has no group database
    if (found) {
        // The account's groups as the group database has them now, through NSS.
        int size = 64;
        for (int attempt = 0; attempt < 4; ++attempt) {
            facts.accountGroups.resize(static_cast<std::size_t>(size));
            int wanted = size;
            if (getgrouplist(found->pw_name, found->pw_gid, facts.accountGroups.data(), &wanted) >= 0) {
                facts.accountGroups.resize(static_cast<std::size_t>(wanted));
                break;
            }
            facts.accountGroups.clear();
            size = std::max(wanted, 2 * size);
        }
    }
#endif
    return facts;
}

PortTrouble DiagnosePort(const PortInfo& info, int openErrno, const std::string& systemText, const UserFacts& user,
                         const SystemRoots& roots) {
    PortTrouble trouble;
    trouble.device = info.device;
    trouble.user = user.name;
    trouble.vidPid = info.vidPid();
    trouble.systemText = systemText;
    trouble.kind = PortTroubleKind::Other;
    if (openErrno == 0) {
        trouble.kind = PortTroubleKind::None;
        return trouble;
    }

    if (openErrno == EBUSY) {
        trouble.holders = FindHolders(info.device, roots);
        auto holds = [&](const char* program) {
            return std::any_of(trouble.holders.begin(), trouble.holders.end(),
                               [&](const PortHolder& holder) { return holder.program == program; });
        };
        trouble.kind = holds("ModemManager") ? PortTroubleKind::ModemManager
                       : holds("brltty")     ? PortTroubleKind::Brltty
                                             : PortTroubleKind::HeldByProgram;
        return trouble;
    }

    if (openErrno != EACCES && openErrno != EPERM) return trouble;
    struct stat status {};
    if (::stat(info.device.c_str(), &status) != 0) return trouble;
    trouble.group = GroupName(status.st_gid);
    // Joining the device's group helps only when the group may read and write it, and the
    // group root is never the answer: a udev rule that gives the device a group is.
    const bool groupMayUse = (status.st_mode & S_IRGRP) && (status.st_mode & S_IWGRP) && status.st_gid != 0;
    if (!groupMayUse) {
        trouble.kind = PortTroubleKind::NoGroupAccess;
        trouble.group = kSerialGroup;
        const std::optional<gid_t> serialGroup = GroupId(kSerialGroup);
        trouble.inGroup = serialGroup && std::find(user.accountGroups.begin(), user.accountGroups.end(),
                                                   *serialGroup) != user.accountGroups.end();
        return trouble;
    }
    auto has = [&](const std::vector<gid_t>& groups) {
        return std::find(groups.begin(), groups.end(), status.st_gid) != groups.end();
    };
    if (has(user.groups)) return trouble;  // the group may use it and the user has it: nothing precise to say
    if (has(user.accountGroups))
        trouble.kind = PortTroubleKind::GroupNotActive;
    else if (info.isUsb() && !TaggedForSession(status.st_rdev, roots))
        trouble.kind = PortTroubleKind::NoSessionAccess;
    else
        trouble.kind = PortTroubleKind::NotInGroup;  // a built-in port, or a session that is not the desktop's
    return trouble;
}

PortTrouble InspectPort(const PortInfo& info, const UserFacts& user, const SystemRoots& roots) {
    auto failed = [&](int error) { return DiagnosePort(info, error, std::strerror(error), user, roots); };
    struct stat status {};
    if (info.device.empty()) return failed(ENOENT);
    if (::stat(info.device.c_str(), &status) != 0) return failed(errno);
    if (!S_ISCHR(status.st_mode) || !TerminalDevice(status.st_rdev, roots))
        return DiagnosePort(info, ENOTTY, "not a serial device", user, roots);
    if (::access(info.device.c_str(), R_OK | W_OK) != 0) return failed(errno);
    // A program that has it open, with or without a lock, would read the radio's bytes too.
    PortTrouble trouble = failed(EBUSY);
    if (trouble.holders.empty()) return DiagnosePort(info, 0, {}, user, roots);
    return trouble;
}

std::vector<std::string> ExplainPortTrouble(const PortTrouble& trouble, const LanguageTable& language) {
    using namespace lang_row;
    std::vector<std::string> lines;
    switch (trouble.kind) {
    case PortTroubleKind::None: lines.push_back(language.row(kPortUsable)); break;
    case PortTroubleKind::HeldByProgram:
        if (trouble.holders.empty()) {
            lines.push_back(language.row(kHeldByHidden));
            lines.push_back("sudo fuser -v " + trouble.device);
            break;
        }
        lines.push_back(language.row(kHeldBy));
        for (const PortHolder& holder : trouble.holders)
            lines.push_back(holder.program + " (pid " + std::to_string(holder.pid) + ")");
        lines.push_back(language.row(kCloseOtherProgram));
        break;
    case PortTroubleKind::ModemManager:
        lines.push_back(language.row(kModemManagerProbes));
        if (trouble.vidPid.empty()) break;
        lines.push_back(language.row(kModemManagerIgnore));
        lines.push_back(AddRuleCommand(UdevMatch(trouble.vidPid) + ", ENV{ID_MM_DEVICE_IGNORE}=\"1\"", kModemRules));
        lines.push_back(language.row(kReloadAndReplug));
        lines.push_back(kReloadRules);
        break;
    case PortTroubleKind::Brltty:
        lines.push_back(language.row(kBrlttyClaimed));
        if (!trouble.vidPid.empty()) AddBrlttyFix(trouble.vidPid, language, lines);
        break;
    case PortTroubleKind::NotInGroup:
        lines.push_back(language.row(kNotInGroup) + " " + trouble.group);
        lines.push_back(language.row(kJoinGroupLogIn));
        lines.push_back(UsermodCommand(trouble));
        break;
    case PortTroubleKind::GroupNotActive:
        lines.push_back(language.row(kGroupNotActive) + " " + trouble.group);
        lines.push_back(language.row(kLogInAgain));
        lines.push_back("newgrp " + trouble.group);
        break;
    case PortTroubleKind::NoSessionAccess:
        lines.push_back(language.row(kNoSessionAccess));
        lines.push_back(language.row(kGiveSessionAccess));
        lines.push_back(
            AddRuleCommand("SUBSYSTEM==\"tty\", " + UdevMatch(trouble.vidPid) + ", TAG+=\"uaccess\"", kCableRules));
        lines.push_back(kReloadRules);
        lines.push_back(language.row(kOrJoinGroup) + " " + trouble.group);
        lines.push_back(UsermodCommand(trouble));
        break;
    case PortTroubleKind::NoGroupAccess: {
        // A cable is matched by its id wherever it is plugged in, and the desktop session gets
        // it too; a built-in port by its name.
        lines.push_back(language.row(kOnlyOwnerMayOpen));
        lines.push_back(language.row(kGroupAccessRule) + " " + trouble.group);
        const std::string access = "GROUP=\"" + trouble.group + "\", MODE=\"0660\"";
        const std::string name = std::filesystem::path(trouble.device).filename().string();
        if (!trouble.vidPid.empty()) {
            lines.push_back(AddRuleCommand(
                "SUBSYSTEM==\"tty\", " + UdevMatch(trouble.vidPid) + ", " + access + ", TAG+=\"uaccess\"",
                kCableRules));
            lines.push_back(language.row(kReloadAndReplug));
            lines.push_back(kReloadRules);
        } else {
            lines.push_back(AddRuleCommand("SUBSYSTEM==\"tty\", KERNEL==\"" + name + "\", " + access, kCableRules));
            lines.push_back(language.row(kReloadAndApply));
            lines.push_back(std::string(kReloadRules) + " && sudo udevadm trigger " + trouble.device);
        }
        if (trouble.inGroup) break;
        lines.push_back(language.row(kJoinThatGroup) + " " + trouble.group);
        lines.push_back(UsermodCommand(trouble));
        break;
    }
    case PortTroubleKind::Other: lines.push_back(trouble.systemText); break;
    }
    return lines;
}

std::vector<std::string> CablesTakenByBrltty(const SystemRoots& roots) {
    std::vector<std::string> cables;
    if (!ProgramRuns("brltty", roots)) return cables;
    std::error_code ec;
    for (fs::directory_iterator it(fs::path(roots.sys) / "bus" / "usb" / "devices", ec), end; !ec && it != end;
         it.increment(ec)) {
        const fs::path dir = it->path();
        const std::string vendor = FirstLine(dir / "idVendor");
        const std::string product = FirstLine(dir / "idProduct");
        const auto& chips = CableChips();
        if (std::none_of(chips.begin(), chips.end(),
                         [&](const CableChip& chip) { return vendor == chip.vendorId && product == chip.productId; }))
            continue;
        // A cable with its serial driver bound has a tty below its interfaces.
        bool hasTty = false;
        std::error_code walkError;
        for (fs::recursive_directory_iterator walk(dir, walkError), end2; !walkError && walk != end2;
             walk.increment(walkError)) {
            if (walk->path().filename().string().rfind("tty", 0) == 0) {
                hasTty = true;
                break;
            }
        }
        if (!hasTty) cables.push_back(vendor + ":" + product);
    }
    std::sort(cables.begin(), cables.end());
    return cables;
}

}  // namespace radioprog
