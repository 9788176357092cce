// SPDX-License-Identifier: GPL-3.0-or-later
// What a port is and why it cannot be used, read from fake /dev, /sys, /proc, /run and /etc
// trees laid out as the kernel, udev and the system lay them out.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "link/port_info.h"
#include "link/port_map.h"
#include "link/port_survey.h"
#include "link/port_trouble.h"
#include "support/temp_dir.h"

namespace radioprog {
namespace {

namespace fs = std::filesystem;

// A machine with a CH340 cable on ttyUSB0 (with a by-id link), a bare FTDI cable on
// ttyUSB1 (no serial number, no by-id link) and a built-in port ttyS0.
class FakeSystem {
public:
    FakeSystem() {
        roots.dev = (root_.path() / "dev").string();
        roots.sys = (root_.path() / "sys").string();
        roots.proc = (root_.path() / "proc").string();
        roots.run = (root_.path() / "run").string();
        roots.etc = (root_.path() / "etc").string();
        for (const std::string& dir : {roots.dev, roots.proc, roots.etc, roots.run + "/udev/data"})
            fs::create_directories(dir);
        AddUsbCable("1-1", "ttyUSB0", "ch341", {"1a86", "7523", "QinHeng Electronics", "USB Serial", "A12345"});
        AddUsbCable("1-2", "ttyUSB1", "ftdi_sio", {"0403", "6001", "FTDI", "FT232R USB UART", ""});
        Write(roots.dev + "/ttyS0", "");
        fs::create_directories(Sys("devices/platform/serial8250/tty/ttyS0"));
        fs::create_directories(Sys("bus/platform/drivers/serial8250"));
        fs::create_directories(Sys("class/tty"));
        fs::create_directory_symlink(Sys("devices/platform/serial8250/tty/ttyS0"), Sys("class/tty/ttyS0"));
        fs::create_directory_symlink(Sys("devices/platform/serial8250"),
                                     Sys("devices/platform/serial8250/tty/ttyS0/device"));
        fs::create_directory_symlink(Sys("bus/platform/drivers/serial8250"), Sys("devices/platform/serial8250/driver"));
        fs::create_directories(roots.dev + "/serial/by-id");
        fs::create_symlink("../../ttyUSB0", roots.dev + "/serial/by-id/usb-1a86_USB_Serial_A12345-if00-port0");
    }

    struct Usb {
        std::string vendor, product, manufacturer, productName, serial;
    };

    // The layout of a USB serial adapter: the USB device with its descriptors, its
    // interface bound to the serial driver, the tty below the interface.
    void AddUsbCable(const std::string& usbName, const std::string& tty, const std::string& driver, const Usb& usb) {
        const std::string usbDir = Sys("devices/pci0000:00/usb1/" + usbName);
        const std::string interface = usbDir + "/" + usbName + ":1.0";
        fs::create_directories(interface + "/" + tty + "/tty/" + tty);
        for (auto [file, value] : {std::pair{"idVendor", usb.vendor},
                                   {"idProduct", usb.product},
                                   {"manufacturer", usb.manufacturer},
                                   {"product", usb.productName}})
            Write(usbDir + "/" + file, value + "\n");
        if (!usb.serial.empty()) Write(usbDir + "/serial", usb.serial + "\n");
        fs::create_directories(Sys("bus/usb-serial/drivers/" + driver));
        fs::create_directory_symlink(Sys("bus/usb-serial/drivers/" + driver), interface + "/" + tty + "/driver");
        fs::create_directories(Sys("class/tty"));
        fs::create_directory_symlink(interface + "/" + tty + "/tty/" + tty, Sys("class/tty/" + tty));
        fs::create_directory_symlink(interface + "/" + tty, interface + "/" + tty + "/tty/" + tty + "/device");
        fs::create_directories(Sys("bus/usb/devices"));
        fs::create_directory_symlink(usbDir, Sys("bus/usb/devices/" + usbName));
        Write(roots.dev + "/" + tty, "");
    }

    // A process with the device open as file descriptor 3 (or no device: just running).
    void AddProcess(int pid, const std::string& program, const std::string& device = "") {
        const std::string dir = roots.proc + "/" + std::to_string(pid);
        fs::create_directories(dir + "/fd");
        Write(dir + "/comm", program + "\n");
        fs::create_symlink("/dev/null", dir + "/fd/0");
        if (!device.empty()) fs::create_symlink(device, dir + "/fd/3");
    }

    std::string Dev(const std::string& name) const { return roots.dev + "/" + name; }
    std::string Sys(const std::string& path) const { return roots.sys + "/" + path; }
    static void Write(const std::string& path, const std::string& text) { std::ofstream(path) << text; }

    SystemRoots roots;

private:
    test::TempDir root_;
};

TEST(PortInfo, UsbCablesAreNamedAndBuiltInPortsOnlyByDriver) {
    FakeSystem system;
    const LanguageTable english;
    PortInfo ch340 = ReadPortInfo(system.Dev("ttyUSB0"), system.roots);
    EXPECT_EQ(ch340.manufacturer, "QinHeng Electronics");
    EXPECT_EQ(ch340.product, "USB Serial");
    EXPECT_EQ(ch340.vidPid(), "1a86:7523");
    EXPECT_EQ(ch340.serialNumber, "A12345");
    EXPECT_EQ(ch340.driver, "ch341");
    EXPECT_EQ(ch340.byIdPath, system.Dev("serial/by-id/usb-1a86_USB_Serial_A12345-if00-port0"));
    EXPECT_EQ(ch340.describe(english),
              "QinHeng Electronics USB Serial, 1a86:7523, serial number A12345, ch341 " + ch340.byIdPath);

    PortInfo ftdi = ReadPortInfo(system.Dev("ttyUSB1"), system.roots);
    EXPECT_EQ(ftdi.describe(english), "FTDI FT232R USB UART, 0403:6001, ftdi_sio");
    EXPECT_EQ(ftdi.byIdPath, "");

    PortInfo builtIn = ReadPortInfo(system.Dev("ttyS0"), system.roots);
    EXPECT_FALSE(builtIn.isUsb());
    EXPECT_EQ(builtIn.describe(english), "serial8250");

    // Since Linux 6.5 the tty's device is a serial-base port below a serial-base controller;
    // the hardware's driver is named, not theirs.
    const std::string pnp = system.Sys("devices/pnp0/00:01");
    fs::create_directories(pnp + "/00:01:0/00:01:0.0/tty/ttyS1");
    for (auto [device, driver] : {std::pair{pnp + "/00:01:0/00:01:0.0", "bus/serial-base/drivers/port"},
                                  {pnp + "/00:01:0", "bus/serial-base/drivers/ctrl"},
                                  {pnp, "bus/pnp/drivers/serial"}}) {
        fs::create_directories(system.Sys(driver));
        fs::create_directory_symlink(system.Sys(driver), device + "/driver");
    }
    fs::create_directory_symlink(pnp + "/00:01:0/00:01:0.0/tty/ttyS1", system.Sys("class/tty/ttyS1"));
    fs::create_directory_symlink(pnp + "/00:01:0/00:01:0.0", pnp + "/00:01:0/00:01:0.0/tty/ttyS1/device");
    EXPECT_EQ(ReadPortInfo(system.Dev("ttyS1"), system.roots).describe(english), "serial");

    // A device the system knows nothing about (a pseudo-terminal, a path that is gone).
    EXPECT_EQ(ReadPortInfo(system.Dev("pts/7"), system.roots).describe(english), "");
    // Reached through its by-id name, the cable is the same one.
    EXPECT_EQ(ReadPortInfo(ch340.byIdPath, system.roots).vidPid(), "1a86:7523");
}

TEST(PortInfo, TheCableIsFoundByItsIdentityUnderWhateverNumberItHasNow) {
    FakeSystem system;
    const std::string ch340 = ReadPortInfo(system.Dev("ttyUSB0"), system.roots).identity();
    const std::string ftdi = ReadPortInfo(system.Dev("ttyUSB1"), system.roots).identity();
    EXPECT_EQ(ch340, system.Dev("serial/by-id/usb-1a86_USB_Serial_A12345-if00-port0"));
    EXPECT_EQ(ftdi, "0403:6001/") << "no by-id name: vendor:product and the (empty) serial number";
    EXPECT_EQ(ReadPortInfo(system.Dev("ttyS0"), system.roots).identity(), "") << "a built-in port has none";

    // Another adapter was plugged in before them: both moved up one COM number.
    PortMap now({system.Dev("ttyS0"), system.Dev("ttyUSB1"), system.Dev("ttyUSB0")});
    EXPECT_EQ(FindCable(now, ch340, system.roots), 3);
    EXPECT_EQ(FindCable(now, ftdi, system.roots), 2);
    EXPECT_EQ(FindCable(now, "0403:6001/OTHER", system.roots), 0);
    EXPECT_EQ(FindCable(now, "", system.roots), 0);
}

TEST(PortTrouble, TheProgramHoldingAPortIsNamedAndModemManagerAndBrlttyGetTheirFix) {
    FakeSystem system;
    const LanguageTable english;
    const std::string device = system.Dev("ttyUSB0");
    const PortInfo info = ReadPortInfo(device, system.roots);
    const UserFacts user{"alice", {1000}};
    system.AddProcess(1, "systemd");

    PortTrouble hidden = DiagnosePort(info, EBUSY, "busy", user, system.roots);
    EXPECT_EQ(hidden.kind, PortTroubleKind::HeldByProgram);
    EXPECT_EQ(ExplainPortTrouble(hidden, english).back(), "sudo fuser -v " + device) << "not visible to this user";

    system.AddProcess(4242, "minicom", device);
    PortTrouble held = DiagnosePort(info, EBUSY, "busy", user, system.roots);
    EXPECT_EQ(held.holders, (std::vector<PortHolder>{{4242, "minicom"}}));
    EXPECT_EQ(ExplainPortTrouble(held, english),
              (std::vector<std::string>{"It is held by another program:", "minicom (pid 4242)",
                                        "Close that program then try again."}));

    system.AddProcess(700, "ModemManager", device);
    PortTrouble modem = DiagnosePort(info, EBUSY, "busy", user, system.roots);
    EXPECT_EQ(modem.kind, PortTroubleKind::ModemManager);
    EXPECT_EQ(ExplainPortTrouble(modem, english)[2],
              "echo 'ATTRS{idVendor}==\"1a86\", ATTRS{idProduct}==\"7523\", ENV{ID_MM_DEVICE_IGNORE}=\"1\"' | "
              "sudo tee /etc/udev/rules.d/61-radioprog-modem.rules");

    FakeSystem other;
    other.AddProcess(612, "brltty", other.Dev("ttyUSB0"));
    PortTrouble braille =
        DiagnosePort(ReadPortInfo(other.Dev("ttyUSB0"), other.roots), EBUSY, "busy", user, other.roots);
    EXPECT_EQ(braille.kind, PortTroubleKind::Brltty);
    std::vector<std::string> fix = ExplainPortTrouble(braille, english);
    ASSERT_GE(fix.size(), 4u);
    EXPECT_EQ(fix[2], "sudo cp /usr/lib/udev/rules.d/85-brltty.rules /etc/udev/rules.d/");
    EXPECT_EQ(fix[3], "sudo sed -i -E '/0*1a86/{/0*7523/s/^([^#])/#\\1/}' /etc/udev/rules.d/85-brltty.rules");
    for (const std::string& line : fix) EXPECT_EQ(line.find("remove"), std::string::npos) << line;
}

// The sed command of the brltty fix, run on a rules file: only the cable's line is disabled.
TEST(PortTrouble, TheBrlttyFixDisablesOnlyTheCablesId) {
    if (::system("command -v sed >/dev/null") != 0) GTEST_SKIP() << "sed is not installed";
    test::TempDir dir;
    const std::string rules = dir.write("85-brltty.rules",
                                        "ENV{PRODUCT}==\"1a86/7523/*\", ENV{BRLTTY_BRAILLE_DRIVER}=\"sk\"\n"
                                        "ENV{PRODUCT}==\"403/6001/*\", ENV{BRLTTY_BRAILLE_DRIVER}=\"at\"\n"
                                        "# 1a86 7523 already a comment\n");
    PortTrouble trouble;
    trouble.kind = PortTroubleKind::Brltty;
    const LanguageTable english;
    for (const char* vidPid : {"1a86:7523", "0403:6001"}) {
        trouble.vidPid = vidPid;
        std::string command = ExplainPortTrouble(trouble, english)[3];
        command.replace(0, 5, "");  // without sudo
        command.replace(command.find("/etc/udev/rules.d/85-brltty.rules"), std::string::npos, rules);
        ASSERT_EQ(::system(command.c_str()), 0) << command;
    }
    std::ifstream in(rules);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text,
              "#ENV{PRODUCT}==\"1a86/7523/*\", ENV{BRLTTY_BRAILLE_DRIVER}=\"sk\"\n"
              "#ENV{PRODUCT}==\"403/6001/*\", ENV{BRLTTY_BRAILLE_DRIVER}=\"at\"\n"
              "# 1a86 7523 already a comment\n");
}

TEST(PortTrouble, APermissionRefusalSaysWhichAccessIsMissing) {
    FakeSystem system;
    const LanguageTable english;
    // The fake devices belong to this process's group; the user's groups decide.
    const gid_t deviceGroup = getegid();
    FakeSystem::Write(system.roots.etc + "/group",
                      "dialout:x:" + std::to_string(deviceGroup) + ":bob,alice\nplugdev:x:46:alice\n");
    const PortInfo usb = ReadPortInfo(system.Dev("ttyUSB0"), system.roots);
    const PortInfo builtIn = ReadPortInfo(system.Dev("ttyS0"), system.roots);
    const UserFacts alice{"alice", {46}};
    const UserFacts carol{"carol", {46}};
    struct Case {
        const char* what;
        const PortInfo& info;
        const UserFacts& user;
        bool tagged;
        PortTroubleKind kind;
        std::string command;
    } cases[] = {
        {"listed in the group, not in this session", builtIn, alice, false, PortTroubleKind::GroupNotActive,
         "newgrp dialout"},
        {"not in the group, built-in port", builtIn, carol, false, PortTroubleKind::NotInGroup,
         "sudo usermod -aG dialout carol"},
        {"not in the group, USB cable without session access", usb, carol, false, PortTroubleKind::NoSessionAccess,
         "sudo usermod -aG dialout carol"},
        {"not in the group, cable given to a desktop session that is not this one", usb, carol, true,
         PortTroubleKind::NotInGroup, "sudo usermod -aG dialout carol"},
    };
    for (const Case& c : cases) {
        struct stat status {};
        ASSERT_EQ(::stat(c.info.device.c_str(), &status), 0);
        const std::string udevData = system.roots.run + "/udev/data/c" + std::to_string(major(status.st_rdev)) + ":" +
                                     std::to_string(minor(status.st_rdev));
        FakeSystem::Write(udevData, c.tagged ? "E:ID_VENDOR=1a86\nG:uaccess\nQ:uaccess\n" : "E:ID_VENDOR=1a86\n");
        PortTrouble trouble = DiagnosePort(c.info, EACCES, "Permission denied", c.user, system.roots);
        EXPECT_EQ(trouble.kind, c.kind) << c.what;
        EXPECT_EQ(trouble.group, "dialout") << c.what;
        EXPECT_EQ(ExplainPortTrouble(trouble, english).back(), c.command) << c.what;
    }

    FakeSystem::Write(system.roots.run + "/udev/data/c0:0", "");
    PortTrouble session = DiagnosePort(usb, EACCES, "Permission denied", carol, system.roots);
    EXPECT_EQ(ExplainPortTrouble(session, english)[2],
              "echo 'SUBSYSTEM==\"tty\", ATTRS{idVendor}==\"1a86\", ATTRS{idProduct}==\"7523\", TAG+=\"uaccess\"' | "
              "sudo tee /etc/udev/rules.d/61-radioprog-cable.rules");
    // Any other failure is said in the system's words.
    EXPECT_EQ(ExplainPortTrouble(DiagnosePort(usb, EIO, "Input/output error", carol, system.roots), english),
              std::vector<std::string>{"Input/output error"});
}

TEST(PortTrouble, ACableThatBrlttyTookHasNoPortAndIsFoundOnlyWhileBrlttyRuns) {
    FakeSystem system;
    // A CH340 cable whose serial driver brltty unbound: a USB device without a tty.
    const std::string usbDir = system.Sys("devices/pci0000:00/usb1/1-3");
    fs::create_directories(usbDir + "/1-3:1.0");
    FakeSystem::Write(usbDir + "/idVendor", "1a86\n");
    FakeSystem::Write(usbDir + "/idProduct", "7523\n");
    fs::create_directory_symlink(usbDir, system.Sys("bus/usb/devices/1-3"));
    // A keyboard: not a programming cable.
    fs::create_directories(system.Sys("devices/pci0000:00/usb1/1-4"));
    FakeSystem::Write(system.Sys("devices/pci0000:00/usb1/1-4/idVendor"), "046d\n");
    fs::create_directory_symlink(system.Sys("devices/pci0000:00/usb1/1-4"), system.Sys("bus/usb/devices/1-4"));

    EXPECT_TRUE(CablesTakenByBrltty(system.roots).empty());
    system.AddProcess(612, "brltty");
    EXPECT_EQ(CablesTakenByBrltty(system.roots), std::vector<std::string>{"1a86:7523"});
}

// The packaged udev rule covers exactly the cable chips the program knows.
TEST(PortInfo, TheUdevRuleCoversEveryCableChip) {
    std::ifstream in(std::string(RADIOPROG_SOURCE_DIR) + "/packaging/60-radioprog.rules");
    ASSERT_TRUE(in) << "packaging/60-radioprog.rules";
    int rules = 0;
    std::string text;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        ++rules;
        EXPECT_NE(line.find("TAG+=\"uaccess\""), std::string::npos) << line;
        EXPECT_NE(line.find("ENV{ID_MM_DEVICE_IGNORE}=\"1\""), std::string::npos) << line;
        text += line + "\n";
    }
    for (const CableChip& chip : CableChips())
        EXPECT_NE(text.find(std::string("ATTRS{idVendor}==\"") + chip.vendorId + "\", ATTRS{idProduct}==\"" +
                            chip.productId + "\""),
                  std::string::npos)
            << chip.name;
    EXPECT_EQ(rules, static_cast<int>(CableChips().size()));
}

}  // namespace
}  // namespace radioprog
