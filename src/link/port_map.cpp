// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/port_map.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace radioprog {

#ifndef _WIN32
namespace {

namespace fs = std::filesystem;

// The devices named prefix<number> in dir, in numeric order (ttyUSB2 before ttyUSB10).
std::vector<std::string> NumberedDevices(const std::string& dir, const std::string& prefix) {
    std::vector<std::pair<long, std::string>> found;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
        std::string digits = name.substr(prefix.size());
        if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) continue;
        found.emplace_back(std::strtol(digits.c_str(), nullptr, 10), it->path().string());
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> paths;
    for (auto& entry : found) paths.push_back(std::move(entry.second));
    return paths;
}

// Built-in UARTs are registered whether or not the hardware exists; the kernel reports the
// missing ones with UART type 0. Without the information the port is kept.
bool BuiltInPortPresent(const std::string& device, const std::string& sysClassTty) {
    std::ifstream type(sysClassTty + "/" + fs::path(device).filename().string() + "/type");
    int value = -1;
    if (!(type >> value)) return true;
    return value != 0;
}

}  // namespace
#endif

PortMap::PortMap(std::vector<std::string> devices) : devices_(std::move(devices)) {
    // " " is no device path but a slip in a list; it would only fail to open.
    for (std::string& device : devices_)
        if (device.find_first_not_of(" \t\r\n") == std::string::npos) device.clear();
    if (devices_.size() > static_cast<std::size_t>(kLastPort)) {
        ignoredDevices_ = static_cast<int>(std::count_if(devices_.begin() + kLastPort, devices_.end(),
                                                         [](const std::string& device) { return !device.empty(); }));
        devices_.resize(kLastPort);
    }
}

PortMap PortMap::fromList(const std::string& commaList) {
    std::vector<std::string> devices;
    std::size_t start = 0;
    while (start <= commaList.size()) {
        std::size_t end = commaList.find(',', start);
        if (end == std::string::npos) end = commaList.size();
        devices.push_back(commaList.substr(start, end - start));
        start = end + 1;
    }
    return PortMap(std::move(devices));
}

#ifndef _WIN32
PortMap PortMap::detect(const std::string& devDir, const std::string& sysClassTty) {
    std::vector<std::string> devices;
    for (const char* prefix : {"ttyUSB", "ttyACM"})
        for (auto& path : NumberedDevices(devDir, prefix)) devices.push_back(std::move(path));
    for (const char* prefix : {"ttyS", "ttyAMA"})
        for (auto& path : NumberedDevices(devDir, prefix))
            if (BuiltInPortPresent(path, sysClassTty)) devices.push_back(std::move(path));
    return PortMap(std::move(devices));
}
#endif

PortMap PortMap::fromEnvironment() {
    if (const char* list = std::getenv("RADIOPROG_PORTS")) return fromList(list);
    return detect();
}

std::string PortMap::device(int port) const {
    if (port < kFirstPort || port > static_cast<int>(devices_.size())) return {};
    return devices_[static_cast<std::size_t>(port - 1)];
}

std::string PortMap::name(int port) { return "COM" + std::to_string(port); }

}  // namespace radioprog
