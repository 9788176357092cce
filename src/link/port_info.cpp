// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/port_info.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "model/extra_rows.h"

namespace radioprog {

#ifndef _WIN32
namespace {

namespace fs = std::filesystem;

fs::path Resolved(const fs::path& path) {
    std::error_code ec;
    fs::path resolved = fs::canonical(path, ec);
    return ec ? fs::path() : resolved;
}

// The first line of a sysfs attribute, without trailing white space.
std::string Attribute(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\r' || line.back() == '\n' || line.back() == '\t'))
        line.pop_back();
    return line;
}

// The driver of a tty's device. Since Linux 6.5 a serial controller and port of the
// "serial-base" bus sit between the tty and the hardware; their drivers ("ctrl", "port") tell
// the user nothing, so the hardware's driver below them is named ("serial", "serial8250").
std::string DriverOf(fs::path node) {
    for (int step = 0; step < 3 && !node.empty(); ++step, node = node.parent_path()) {
        const fs::path driver = Resolved(node / "driver");
        if (driver.empty() || driver.parent_path().parent_path().filename() != "serial-base")
            return driver.filename().string();
    }
    return {};
}

bool Within(const fs::path& path, const fs::path& root) {
    auto [rootEnd, pathIt] = std::mismatch(root.begin(), root.end(), path.begin(), path.end());
    return rootEnd == root.end();
}

std::string ByIdPath(const fs::path& target, const SystemRoots& roots) {
    std::vector<std::string> names;
    std::error_code ec;
    const fs::path dir = fs::path(roots.dev) / "serial" / "by-id";
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
        if (Resolved(it->path()) == target) names.push_back(it->path().string());
    std::sort(names.begin(), names.end());
    return names.empty() ? std::string() : names.front();
}

}  // namespace
#endif

std::string PortInfo::identity() const {
    if (!byIdPath.empty()) return byIdPath;
    if (!isUsb()) return {};
    return vidPid() + "/" + serialNumber;
}

std::string PortInfo::label() const {
    if (!product.empty()) return product;
    if (isUsb()) return vidPid();
    return driver;
}

std::string PortInfo::describe(const LanguageTable& language) const {
    std::vector<std::string> parts;
    std::string name = manufacturer;
    if (!product.empty()) name += (name.empty() ? "" : " ") + product;
    if (!name.empty()) parts.push_back(name);
    if (isUsb()) parts.push_back(vidPid());
    if (!serialNumber.empty()) parts.push_back(language.row(lang_row::kSerialNumber) + " " + serialNumber);
    if (!driver.empty()) parts.push_back(driver);
    std::string text;
    for (const std::string& part : parts) text += (text.empty() ? "" : ", ") + part;
    if (!byIdPath.empty()) text += (text.empty() ? "" : " ") + byIdPath;
    return text;
}

#ifndef _WIN32
PortInfo ReadPortInfo(const std::string& device, const SystemRoots& roots) {
    PortInfo info;
    info.device = device;
    const fs::path target = Resolved(device);
    const std::string name = (target.empty() ? fs::path(device) : target).filename().string();
    const fs::path classDir = fs::path(roots.sys) / "class" / "tty" / name;
    info.driver = DriverOf(Resolved(classDir / "device"));
    const fs::path sysRoot = Resolved(roots.sys);
    // The USB device is the nearest parent of the tty's device that has a vendor id.
    fs::path node = Resolved(classDir / "device");
    for (; !node.empty() && !sysRoot.empty() && Within(node, sysRoot) && node != sysRoot; node = node.parent_path()) {
        std::error_code ec;
        if (!fs::exists(node / "idVendor", ec)) continue;
        info.vendorId = Attribute(node / "idVendor");
        info.productId = Attribute(node / "idProduct");
        info.manufacturer = Attribute(node / "manufacturer");
        info.product = Attribute(node / "product");
        info.serialNumber = Attribute(node / "serial");
        break;
    }
    if (!target.empty()) info.byIdPath = ByIdPath(target, roots);
    return info;
}
#endif

const std::vector<CableChip>& CableChips() {
    static const std::vector<CableChip> chips = {
        {"1a86", "7523", "CH340"},    {"1a86", "5523", "CH341"},  {"067b", "2303", "PL2303"},
        {"067b", "23a3", "PL2303GC"}, {"10c4", "ea60", "CP210x"}, {"0403", "6001", "FT232R"},
        {"0403", "6015", "FT231X"},
    };
    return chips;
}

}  // namespace radioprog
