// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which device is COM1 ... COM20. RADIOPROG_PORTS, when set, lists device paths separated by
// commas, entry k being COMk (an empty or blank entry, or one past the list, is a port that
// does not exist). Otherwise, on Linux, the serial devices present are numbered: USB adapters first
// (/dev/ttyUSB*, /dev/ttyACM*), then the built-in ports; on Windows COMn is the port Windows
// calls COMn.
#include <string>
#include <vector>

namespace radioprog {

inline constexpr int kFirstPort = 1;
inline constexpr int kLastPort = 20;

class PortMap {
public:
    PortMap() = default;
    // devices[0] is COM1; entries past COM20 are ignored (and counted), blank ones are empty.
    explicit PortMap(std::vector<std::string> devices);

    static PortMap fromEnvironment();
    // "a,,b": COM1 = a, COM2 does not exist, COM3 = b.
    static PortMap fromList(const std::string& commaList);
    // The serial devices under devDir ("/dev"); sysClassTty ("/sys/class/tty") tells
    // placeholder built-in ports (type 0) from real ones, when it can be read.
    static PortMap detect(const std::string& devDir = "/dev", const std::string& sysClassTty = "/sys/class/tty");

    // The device path of COMport; empty when there is no such port.
    std::string device(int port) const;
    // "COM7"
    static std::string name(int port);
    // How many devices were named past COM20 and are not used, for a warning.
    int ignoredDevices() const { return ignoredDevices_; }

    bool operator==(const PortMap&) const = default;

private:
    std::vector<std::string> devices_;
    int ignoredDevices_ = 0;
};

}  // namespace radioprog
