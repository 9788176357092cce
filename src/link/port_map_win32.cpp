// SPDX-License-Identifier: GPL-3.0-or-later
// The serial ports of Windows: every port driver lists its port's name (COMn) under
// HKLM\HARDWARE\DEVICEMAP\SERIALCOMM, and COMn is entry n of the map, as the user knows it.
#include <windows.h>

#include <cctype>
#include <string>

#include "link/port_map.h"

namespace radioprog {

namespace {

// n for "COMn" (any case), 0 for anything else.
int ComNumber(const std::string& name) {
    if (name.size() < 4 || _strnicmp(name.c_str(), "COM", 3) != 0) return 0;
    int number = 0;
    for (std::size_t i = 3; i < name.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(name[i])) || number > 1000) return 0;
        number = number * 10 + (name[i] - '0');
    }
    return number;
}

}  // namespace

PortMap PortMap::detect(const std::string&, const std::string&) {
    std::vector<std::string> devices;
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) != ERROR_SUCCESS)
        return PortMap();
    for (DWORD index = 0;; ++index) {
        char valueName[256];
        DWORD valueNameSize = sizeof valueName;
        char data[64];
        DWORD dataSize = sizeof data - 1;
        DWORD type = 0;
        const LONG r = ::RegEnumValueA(key, index, valueName, &valueNameSize, nullptr, &type,
                                       reinterpret_cast<BYTE*>(data), &dataSize);
        if (r == ERROR_NO_MORE_ITEMS) break;
        if (r != ERROR_SUCCESS || type != REG_SZ) continue;
        data[dataSize] = '\0';
        const std::string name(data);  // "COM3", with or without its terminating zero
        const int number = ComNumber(name.c_str());
        if (number < kFirstPort || number > kLastPort) continue;
        if (devices.size() < static_cast<std::size_t>(number)) devices.resize(static_cast<std::size_t>(number));
        devices[static_cast<std::size_t>(number - 1)] = "COM" + std::to_string(number);
    }
    ::RegCloseKey(key);
    return PortMap(std::move(devices));
}

}  // namespace radioprog
