// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/port_trouble.h"

#include <pwd.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
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

struct GroupEntry {
    std::string name;
    gid_t gid = 0;
    std::vector<std::string> members;
};

std::vector<GroupEntry> ReadGroups(const SystemRoots& roots) {
    std::vector<GroupEntry> groups;
    std::ifstream in(fs::path(roots.etc) / "group");
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> fields;
        std::stringstream split(line);
        for (std::string field; std::getline(split, field, ':');) fields.push_back(field);
        if (fields.size() < 3 || !AllDigits(fields[2])) continue;
        GroupEntry entry{fields[0], static_cast<gid_t>(std::stoul(fields[2])), {}};
        if (fields.size() > 3) {
            std::stringstream members(fields[3]);
            for (std::string member; std::getline(members, member, ',');) entry.members.push_back(member);
        }
        groups.push_back(std::move(entry));
    }
    return groups;
}

// Whether udev gave the device the desktop session's access (the "uaccess" tag).
bool TaggedForSession(dev_t rdev, const SystemRoots& roots) {
    std::ifstream in(fs::path(roots.run) / "udev" / "data" /
                     ("c" + std::to_string(major(rdev)) + ":" + std::to_string(minor(rdev))));
    for (std::string line; std::getline(in, line);)
        if (line == "G:uaccess" || line == "Q:uaccess") return true;
    return false;
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
    std::vector<PortHolder> holders;
    ForEachProcess(roots, [&](int pid, const fs::path& dir) {
        std::error_code fdError;
        for (fs::directory_iterator it(dir / "fd", fdError), end; !fdError && it != end; it.increment(fdError)) {
            if (!SameFile(it->path(), device, resolved)) continue;
            holders.push_back({pid, FirstLine(dir / "comm")});
            break;
        }
    });
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
    const std::vector<GroupEntry> groups = ReadGroups(roots);
    auto group =
        std::find_if(groups.begin(), groups.end(), [&](const GroupEntry& entry) { return entry.gid == status.st_gid; });
    trouble.group = group != groups.end() ? group->name : std::to_string(status.st_gid);
    const bool hasGroupNow = std::find(user.groups.begin(), user.groups.end(), status.st_gid) != user.groups.end();
    const bool listedInGroup = group != groups.end() && std::find(group->members.begin(), group->members.end(),
                                                                  user.name) != group->members.end();
    if (hasGroupNow) return trouble;  // the group may not use the device either: nothing precise to say
    if (listedInGroup)
        trouble.kind = PortTroubleKind::GroupNotActive;
    else if (info.isUsb() && !TaggedForSession(status.st_rdev, roots))
        trouble.kind = PortTroubleKind::NoSessionAccess;
    else
        trouble.kind = PortTroubleKind::NotInGroup;  // a built-in port, or a session that is not the desktop's
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
        lines.push_back("echo '" + UdevMatch(trouble.vidPid) +
                        ", ENV{ID_MM_DEVICE_IGNORE}=\"1\"' | sudo tee /etc/udev/rules.d/61-radioprog-modem.rules");
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
        lines.push_back("echo 'SUBSYSTEM==\"tty\", " + UdevMatch(trouble.vidPid) +
                        ", TAG+=\"uaccess\"' | sudo tee /etc/udev/rules.d/61-radioprog-cable.rules");
        lines.push_back(kReloadRules);
        lines.push_back(language.row(kOrJoinGroup) + " " + trouble.group);
        lines.push_back(UsermodCommand(trouble));
        break;
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
