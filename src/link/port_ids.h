// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What Windows' device manager says of a serial port, turned into the same description the
// Linux side reads from sysfs. Windows gives strings: a hardware id
// "USB\VID_1A86&PID_7523&REV_0264" carries the vendor:product id, an instance id
// "USB\VID_1A86&PID_7523\A12345" the USB serial number. Kept apart from the system calls so
// every form of them can be tested anywhere.
#include <string>
#include <string_view>
#include <vector>

#include "link/port_info.h"

namespace radioprog {

// One port's properties as Windows gives them (UTF-8).
struct WindowsPortRecord {
    std::string friendlyName;              // "USB-SERIAL CH340 (COM3)"
    std::string description;               // "USB-SERIAL CH340"
    std::string manufacturer;              // "wch.cn"
    std::vector<std::string> hardwareIds;  // "USB\VID_1A86&PID_7523&REV_0264", "USB\VID_1A86&PID_7523"
    std::string instanceId;                // "USB\VID_1A86&PID_7523\5&2C2B6C7C&0&2"
    std::string parentInstanceId;          // the device above it: the USB device of a port that is one of its functions
    std::string service;                   // the driver's service: "CH341SER_A64", "usbser", "Serial"
};

struct UsbIds {
    std::string vendorId;   // four lower-case hex digits; both empty when the id names none
    std::string productId;  // four lower-case hex digits
    bool operator==(const UsbIds&) const = default;
};

// The vendor and product in a hardware or instance id ("VID_1A86&PID_7523", also with "+"
// between them as the FTDI driver writes them).
UsbIds UsbIdsFromDeviceId(std::string_view id);

// The USB serial number an instance id carries. Windows makes up an instance id with "&" in
// it for a device without a serial number: that is none. A port that is one interface of a
// composite device ("...&MI_00\...") has its serial number on the device, parentInstanceId.
std::string SerialNumberFromInstanceId(std::string_view instanceId, std::string_view parentInstanceId = {});

// The description without the " (COM3)" Windows appends to a port's friendly name.
std::string ProductFromFriendlyName(std::string_view friendlyName);

PortInfo PortInfoFromWindows(const std::string& device, const WindowsPortRecord& record);

}  // namespace radioprog
