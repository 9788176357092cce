// SPDX-License-Identifier: GPL-3.0-or-later
// radioprog-cli ports: the serial ports, what each one is and whether it can be used.

#include "cli/cli_print.h"
#include "cli/command.h"
#include "cli/transfer_cli.h"
#include "link/port_survey.h"

namespace radioprog::cli {
namespace {

int RunPorts(const cmdline::Arguments& args) {
    if (int status = kExitOk; !CheckArgumentCount("ports", args, 0, 0, "no arguments", status)) return status;
    const LanguageTable english;
    for (const std::string& line : PortReportLines(SurveyPorts(EnvironmentPorts()), CablesTakenByBrltty(), english))
        PrintOut(line + "\n");
    return kExitOk;
}

const CommandRegistration kRegistration{{
    "ports",
    "ports",
    "list the serial ports, what each one is and whether it can be used",
#ifdef _WIN32
    std::string("Lists the serial ports that exist as COM1-COM20, whether each can be used now,\n"
                "and what it is, as the device manager lists it: for a USB cable the manufacturer\n"
                "and product, the vendor:product id, the serial number and the driver. Each port\n"
                "is opened and closed once; nothing is sent. A port another program has open is\n"
                "busy (Windows does not say which program).\n\n") +
#else
    std::string("Lists the serial ports that exist as COM1-COM20 with the device behind each,\n"
                "whether it can be used now, and what it is: for a USB cable the manufacturer and\n"
                "product, the vendor:product id, the serial number, the driver and its stable\n"
                "/dev/serial/by-id name. No port is opened (that would raise DTR and RTS on\n"
                "whatever is attached): all this comes from sysfs, the device files, /proc and\n"
                "the lock files.\n\n"
                "A port that cannot be used says why and what to do: every program that has it\n"
                "open, with or without a lock (name and process id), ModemManager probing it,\n"
                "brltty having taken the cable, the group or the desktop session's access that\n"
                "the user lacks, or a device only its owner may open, with the command that\n"
                "helps. A cable that brltty took has no port at all; it is listed after the\n"
                "ports.\n\n"
                "The package installs /usr/lib/udev/rules.d/60-radioprog.rules for the usual\n"
                "cable chips (CH340, CH341, PL2303, CP210x, FT232R, FT231X): the user of the\n"
                "active desktop session may open the cable without joining a group (uaccess), and\n"
                "ModemManager leaves it alone (ID_MM_DEVICE_IGNORE). Plug the cable in again\n"
                "after installing.\n\n") +
#endif
        kPortNumberingHelp,
    {},
    {},
    RunPorts,
}};

}  // namespace
}  // namespace radioprog::cli
