// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a serial device is, as the system describes it: for a USB adapter its manufacturer,
// product, vendor:product id, serial number and driver, and its stable /dev/serial/by-id
// name. On Linux read from sysfs and /dev directly, so every field can be tested with a fake
// tree; on Windows from its device manager (link/port_ids.h).
#include <functional>
#include <string>
#include <vector>

#include "model/language_table.h"

namespace radioprog {

// Where the system's trees are; tests point them at fake ones.
struct SystemRoots {
    std::string dev = "/dev";
    std::string sys = "/sys";
    std::string proc = "/proc";
    std::string run = "/run";  // its lock/ holds the lock files of programs that use serial ports
    // Whether udev gave the character device rdev the desktop session's access (the "uaccess"
    // tag); empty asks udev itself. Tests answer for it.
    std::function<bool(unsigned long long rdev)> taggedForSession;
};

struct PortInfo {
    std::string device;  // "/dev/ttyUSB0", "COM3"
    std::string manufacturer;
    std::string product;
    std::string serialNumber;
    std::string vendorId;   // four hex digits; empty when the device is not on USB
    std::string productId;  // four hex digits
    std::string driver;     // "ch341", "pl2303", "cdc_acm", "serial8250"; on Windows its service
    std::string byIdPath;   // "/dev/serial/by-id/usb-..."; empty when there is none

    bool isUsb() const { return !vendorId.empty(); }
    std::string vidPid() const { return isUsb() ? vendorId + ":" + productId : std::string(); }
    // What stays the same when the cable is plugged in elsewhere: the by-id path, else
    // "vendor:product/serial" (the serial number may be empty); empty for a built-in port.
    std::string identity() const;
    // A few words a user recognises the port by: the product, else vendor:product, else the
    // driver.
    std::string label() const;
    // "Prolific Technology Inc. USB-Serial Controller, 067b:2303, serial number X, pl2303",
    // then the by-id name; only what is known.
    std::string describe(const LanguageTable& language) const;
};

PortInfo ReadPortInfo(const std::string& device, const SystemRoots& roots = {});

// A USB serial chip used in programming cables.
struct CableChip {
    const char* vendorId;
    const char* productId;
    const char* name;
};
// The chips the packaged udev rule gives the desktop session access to.
const std::vector<CableChip>& CableChips();

}  // namespace radioprog
