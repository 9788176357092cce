// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/port_ids.h"

#include <cctype>

namespace radioprog {

namespace {

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

std::string UpperText(std::string_view text) {
    std::string upper;
    for (char c : text) upper += Upper(c);
    return upper;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

// The four hex digits after key ("VID_") where key starts a field of the id; empty if none.
std::string HexField(std::string_view id, std::string_view key) {
    const std::string upper = UpperText(id);
    for (std::size_t at = upper.find(key); at != std::string::npos; at = upper.find(key, at + 1)) {
        const bool fieldStart = at == 0 || upper[at - 1] == '\\' || upper[at - 1] == '&' || upper[at - 1] == '+';
        const std::size_t digits = at + key.size();
        if (!fieldStart || digits + 4 > upper.size()) continue;
        std::string value;
        for (std::size_t i = digits; i < digits + 4 && std::isxdigit(static_cast<unsigned char>(upper[i])); ++i)
            value += static_cast<char>(std::tolower(static_cast<unsigned char>(upper[i])));
        const bool ends = digits + 4 == upper.size() || !std::isalnum(static_cast<unsigned char>(upper[digits + 4]));
        if (value.size() == 4 && ends) return value;
    }
    return {};
}

}  // namespace

UsbIds UsbIdsFromDeviceId(std::string_view id) {
    UsbIds ids{HexField(id, "VID_"), HexField(id, "PID_")};
    if (ids.vendorId.empty() || ids.productId.empty()) return {};
    return ids;
}

std::string SerialNumberFromInstanceId(std::string_view instanceId, std::string_view parentInstanceId) {
    const std::vector<std::string_view> parts = Split(instanceId, '\\');
    if (parts.size() != 3 || parts[2].empty()) return {};
    const std::string bus = UpperText(parts[0]);
    if (bus == "FTDIBUS") {
        // "VID_0403+PID_6001+A50285BIA": the serial number, then the letter of the chip's port.
        const std::vector<std::string_view> fields = Split(parts[1], '+');
        if (fields.size() != 3 || fields[2].size() < 2) return {};
        return std::string(fields[2].substr(0, fields[2].size() - 1));
    }
    if (bus != "USB") return {};
    if (UpperText(parts[1]).find("&MI_") != std::string::npos)
        return parentInstanceId.empty() ? std::string() : SerialNumberFromInstanceId(parentInstanceId);
    if (parts[2].find('&') != std::string_view::npos) return {};
    return std::string(parts[2]);
}

std::string ProductFromFriendlyName(std::string_view friendlyName) {
    const std::size_t open = friendlyName.rfind(" (");
    if (open != std::string_view::npos && friendlyName.back() == ')') {
        const std::string_view inside = friendlyName.substr(open + 2, friendlyName.size() - open - 3);
        const std::string upper = UpperText(inside);
        const bool portName = (upper.rfind("COM", 0) == 0 || upper.rfind("LPT", 0) == 0) && upper.size() > 3 &&
                              upper.find_first_not_of("0123456789", 3) == std::string::npos;
        if (portName) return std::string(friendlyName.substr(0, open));
    }
    return std::string(friendlyName);
}

PortInfo PortInfoFromWindows(const std::string& device, const WindowsPortRecord& record) {
    PortInfo info;
    info.device = device;
    info.manufacturer = record.manufacturer;
    info.product = record.description.empty() ? ProductFromFriendlyName(record.friendlyName) : record.description;
    info.driver = record.service;
    UsbIds ids;
    for (const std::string& id : record.hardwareIds)
        if (ids = UsbIdsFromDeviceId(id); !ids.vendorId.empty()) break;
    if (ids.vendorId.empty()) ids = UsbIdsFromDeviceId(record.instanceId);
    if (ids.vendorId.empty()) ids = UsbIdsFromDeviceId(record.parentInstanceId);
    info.vendorId = ids.vendorId;
    info.productId = ids.productId;
    if (info.isUsb()) info.serialNumber = SerialNumberFromInstanceId(record.instanceId, record.parentInstanceId);
    return info;
}

}  // namespace radioprog
