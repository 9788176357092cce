// SPDX-License-Identifier: GPL-3.0-or-later
// A Windows port's description from the strings its device manager gives, in the forms the
// usual cable drivers and the system's own ports give them.
#include <gtest/gtest.h>

#include "link/port_ids.h"
#include "model/language_table.h"

namespace radioprog {
namespace {

TEST(PortIds, VendorAndProductFromDeviceIds) {
    const struct {
        const char* id;
        UsbIds ids;
    } cases[] = {
        {R"(USB\VID_1A86&PID_7523&REV_0264)", {"1a86", "7523"}},
        {R"(usb\vid_067b&pid_2303)", {"067b", "2303"}},
        {R"(FTDIBUS\COMPORT&VID_0403&PID_6001)", {"0403", "6001"}},
        {R"(FTDIBUS\VID_0403+PID_6015+DK0AHAJZA\0000)", {"0403", "6015"}},
        {R"(USB\VID_2341&PID_0043&MI_00\6&1A2B3C4D&0&0000)", {"2341", "0043"}},
        // Not USB ids: a built-in port, a Bluetooth link, a field that only ends in VID_.
        {R"(ACPI\PNP0501)", {}},
        {R"(BTHENUM\{00001101-0000-1000-8000-00805f9b34fb}_VID&0001005d_PID&223b)", {}},
        {R"(USB\XVID_1A86&PID_7523)", {}},
        // Too short or not hex, or only one of the two.
        {R"(USB\VID_1A8&PID_7523)", {}},
        {R"(USB\VID_1A86X&PID_7523)", {}},
        {R"(USB\VID_GGGG&PID_7523)", {}},
        {R"(USB\VID_1A86)", {}},
        {"", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(UsbIdsFromDeviceId(c.id), c.ids) << c.id;
}

TEST(PortIds, SerialNumberFromInstanceIds) {
    const struct {
        const char* instance;
        const char* parent;
        const char* serial;
    } cases[] = {
        {R"(USB\VID_067B&PID_2303\A12345)", "", "A12345"},
        // Windows made the id up: the device has no serial number.
        {R"(USB\VID_1A86&PID_7523\5&2C2B6C7C&0&2)", "", ""},
        // The FTDI driver's: serial number and the chip's port letter.
        {R"(FTDIBUS\VID_0403+PID_6001+A50285BIA\0000)", "", "A50285BI"},
        {R"(FTDIBUS\VID_0403+PID_6001+A\0000)", "", ""},
        // One interface of a composite device: the device above it has the serial number.
        {R"(USB\VID_2341&PID_0043&MI_00\6&1A2B3C4D&0&0000)", R"(USB\VID_2341&PID_0043\95530343)", "95530343"},
        {R"(USB\VID_2341&PID_0043&MI_00\6&1A2B3C4D&0&0000)", "", ""},
        {R"(USB\VID_2341&PID_0043&MI_00\6&1A2B3C4D&0&0000)", R"(USB\ROOT_HUB30\4&1C2D&0&0)", ""},
        {R"(ACPI\PNP0501\1)", "", ""},
        {R"(USB\VID_067B&PID_2303)", "", ""},
        {R"(USB\VID_067B&PID_2303\)", "", ""},
        {"", "", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(SerialNumberFromInstanceId(c.instance, c.parent), c.serial) << c.instance;
}

TEST(PortIds, ProductFromFriendlyNames) {
    const struct {
        const char* friendly;
        const char* product;
    } cases[] = {
        {"USB-SERIAL CH340 (COM3)", "USB-SERIAL CH340"},
        {"Prolific USB-to-Serial Comm Port (COM12)", "Prolific USB-to-Serial Comm Port"},
        {"Communications Port (COM1)", "Communications Port"},
        {"Cable (for radio) (com4)", "Cable (for radio)"},
        // Only a port name in the last brackets goes.
        {"Cable (for radio)", "Cable (for radio)"},
        {"Cable (COM)", "Cable (COM)"},
        {"Cable (COM3x)", "Cable (COM3x)"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(ProductFromFriendlyName(c.friendly), c.product) << c.friendly;
}

// What `ports` shows: the same description the Linux side builds from sysfs.
TEST(PortIds, PortInfoAsTheLinuxSideDescribesIt) {
    WindowsPortRecord ch340;
    ch340.friendlyName = "USB-SERIAL CH340 (COM3)";
    ch340.manufacturer = "wch.cn";
    ch340.hardwareIds = {R"(USB\VID_1A86&PID_7523&REV_0264)", R"(USB\VID_1A86&PID_7523)"};
    ch340.instanceId = R"(USB\VID_1A86&PID_7523\A12345)";
    ch340.service = "CH341SER_A64";
    const PortInfo info = PortInfoFromWindows("COM3", ch340);
    EXPECT_EQ(info.device, "COM3");
    EXPECT_EQ(info.product, "USB-SERIAL CH340");
    EXPECT_EQ(info.vidPid(), "1a86:7523");
    EXPECT_EQ(info.identity(), "1a86:7523/A12345");
    EXPECT_EQ(info.describe(LanguageTable()), "wch.cn USB-SERIAL CH340, 1a86:7523, serial number A12345, CH341SER_A64");

    // A built-in port: no USB id, so no serial number from its instance id either.
    WindowsPortRecord builtIn;
    builtIn.friendlyName = "Communications Port (COM1)";
    builtIn.description = "Communications Port";
    builtIn.manufacturer = "(Standard port types)";
    builtIn.hardwareIds = {R"(ACPI\PNP0501)", "*PNP0501"};
    builtIn.instanceId = R"(ACPI\PNP0501\1)";
    builtIn.service = "Serial";
    const PortInfo port = PortInfoFromWindows("COM1", builtIn);
    EXPECT_FALSE(port.isUsb());
    EXPECT_EQ(port.identity(), "");
    EXPECT_EQ(port.describe(LanguageTable()), "(Standard port types) Communications Port, Serial");

    // A CDC-ACM cable: its ids only on the USB device above the interface.
    WindowsPortRecord acm;
    acm.description = "USB Serial Device";
    acm.instanceId = R"(USB\VID_2341&PID_0043&MI_00\6&1A2B3C4D&0&0000)";
    acm.parentInstanceId = R"(USB\VID_2341&PID_0043\95530343)";
    acm.service = "usbser";
    EXPECT_EQ(PortInfoFromWindows("COM5", acm).identity(), "2341:0043/95530343");

    // Nothing known (Wine lists its ports without any of it): the port alone.
    EXPECT_EQ(PortInfoFromWindows("COM2", {}).describe(LanguageTable()), "");
}

}  // namespace
}  // namespace radioprog
