// SPDX-License-Identifier: GPL-3.0-or-later
// What a serial port is, as Windows' device manager lists it: every device with a COM port
// interface or of the ports class, matched to the port by the "PortName" of its registry key.
// Only the gathering of strings is here; link/port_ids.h reads them.
#include <windows.h>
// after windows.h, which they need
#include <cfgmgr32.h>
#include <devguid.h>
#include <initguid.h>
#include <setupapi.h>

#include <filesystem>
#include <string>
#include <vector>

#include "link/port_ids.h"
#include "model/file_path.h"

namespace radioprog {

namespace {

// GUID_DEVINTERFACE_COMPORT, whose header needs the driver kit's types.
constexpr GUID kComPortInterface = {0x86E0D1E0, 0x8089, 0x11D0, {0x9C, 0xE4, 0x08, 0x00, 0x3E, 0x30, 0x1F, 0x73}};

std::string Utf8(const wchar_t* text, std::size_t length) {
    return PathText(std::filesystem::path(std::wstring(text, length)));
}

// A string property; a list (REG_MULTI_SZ) comes back as its entries.
std::vector<std::string> Property(HDEVINFO set, SP_DEVINFO_DATA& device, DWORD property) {
    DWORD type = 0;
    DWORD size = 0;
    ::SetupDiGetDeviceRegistryPropertyW(set, &device, property, &type, nullptr, 0, &size);
    if (size == 0 || (type != REG_SZ && type != REG_MULTI_SZ)) return {};
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 2, L'\0');
    if (!::SetupDiGetDeviceRegistryPropertyW(set, &device, property, &type, reinterpret_cast<BYTE*>(buffer.data()),
                                             size, nullptr))
        return {};
    std::vector<std::string> values;
    for (const wchar_t* entry = buffer.data(); *entry; entry += wcslen(entry) + 1) {
        values.push_back(Utf8(entry, wcslen(entry)));
        if (type == REG_SZ) break;
    }
    return values;
}

std::string FirstProperty(HDEVINFO set, SP_DEVINFO_DATA& device, DWORD property) {
    std::vector<std::string> values = Property(set, device, property);
    return values.empty() ? std::string() : values.front();
}

std::string PortName(HDEVINFO set, SP_DEVINFO_DATA& device) {
    HKEY key = ::SetupDiOpenDevRegKey(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
    if (key == INVALID_HANDLE_VALUE) return {};
    wchar_t name[64] = {};
    DWORD size = sizeof name - sizeof(wchar_t);
    DWORD type = 0;
    const bool read =
        ::RegQueryValueExW(key, L"PortName", nullptr, &type, reinterpret_cast<BYTE*>(name), &size) == ERROR_SUCCESS &&
        type == REG_SZ;
    ::RegCloseKey(key);
    return read ? Utf8(name, wcsnlen(name, 63)) : std::string();
}

std::string InstanceId(DEVINST instance) {
    wchar_t id[MAX_DEVICE_ID_LEN + 1] = {};
    if (::CM_Get_Device_IDW(instance, id, MAX_DEVICE_ID_LEN, 0) != CR_SUCCESS) return {};
    return Utf8(id, wcsnlen(id, MAX_DEVICE_ID_LEN));
}

WindowsPortRecord Record(HDEVINFO set, SP_DEVINFO_DATA& device) {
    WindowsPortRecord record;
    record.friendlyName = FirstProperty(set, device, SPDRP_FRIENDLYNAME);
    record.description = FirstProperty(set, device, SPDRP_DEVICEDESC);
    record.manufacturer = FirstProperty(set, device, SPDRP_MFG);
    record.hardwareIds = Property(set, device, SPDRP_HARDWAREID);
    record.service = FirstProperty(set, device, SPDRP_SERVICE);
    record.instanceId = InstanceId(device.DevInst);
    DEVINST parent = 0;
    if (::CM_Get_Parent(&parent, device.DevInst, 0) == CR_SUCCESS) record.parentInstanceId = InstanceId(parent);
    return record;
}

// The record of the device whose port name is device, from the devices of one set.
bool FindIn(HDEVINFO set, const std::string& device, WindowsPortRecord& record) {
    if (set == INVALID_HANDLE_VALUE) return false;
    bool found = false;
    SP_DEVINFO_DATA data{};
    data.cbSize = sizeof data;
    for (DWORD index = 0; !found && ::SetupDiEnumDeviceInfo(set, index, &data); ++index) {
        if (_stricmp(PortName(set, data).c_str(), device.c_str()) != 0) continue;
        record = Record(set, data);
        found = true;
    }
    ::SetupDiDestroyDeviceInfoList(set);
    return found;
}

}  // namespace

PortInfo ReadPortInfo(const std::string& device, const SystemRoots&) {
    // "\\.\COM12", as --device may name it, is the port COM12.
    const std::string portName = device.rfind("\\\\.\\", 0) == 0 ? device.substr(4) : device;
    WindowsPortRecord record;
    const bool found =
        FindIn(::SetupDiGetClassDevsW(&kComPortInterface, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE),
               portName, record) ||
        FindIn(::SetupDiGetClassDevsW(&GUID_DEVCLASS_PORTS, nullptr, nullptr, DIGCF_PRESENT), portName, record);
    if (!found) {
        PortInfo info;
        info.device = device;
        return info;
    }
    return PortInfoFromWindows(device, record);
}

}  // namespace radioprog
