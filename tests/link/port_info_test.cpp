// SPDX-License-Identifier: GPL-3.0-or-later
// What a port is and why it cannot be used, read from fake /dev, /sys, /proc and /run trees
// laid out as the kernel, udev and the system lay them out, and from pseudo-terminals held by
// real processes.
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <optional>
#include <sstream>

#include "link/port_info.h"
#include "link/port_map.h"
#include "link/port_survey.h"
#include "link/port_trouble.h"
#include "sim/pseudo_terminal.h"
#include "support/open_counter.h"
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
        for (const std::string& dir : {roots.dev, roots.proc, roots.run + "/lock"}) fs::create_directories(dir);
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
    const UserFacts user{"alice", {1000}, {1000}};
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
              "sudo tee -a /etc/udev/rules.d/61-radioprog-modem.rules");

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

std::optional<gid_t> GroupNamed(const char* name) {
    const group* entry = ::getgrnam(name);
    return entry ? std::optional<gid_t>(entry->gr_gid) : std::nullopt;
}

TEST(PortTrouble, APermissionRefusalSaysWhichAccessIsMissing) {
    FakeSystem system;
    const LanguageTable english;
    // The fake devices get the group dialout as a system gives it; the user's groups decide.
    const std::optional<gid_t> dialout = GroupNamed("dialout");
    if (!dialout || ::chown(system.Dev("ttyUSB0").c_str(), static_cast<uid_t>(-1), *dialout) != 0 ||
        ::chown(system.Dev("ttyS0").c_str(), static_cast<uid_t>(-1), *dialout) != 0)
        GTEST_SKIP() << "giving a file the group dialout needs a dialout group and root";
    for (const char* name : {"ttyUSB0", "ttyS0"}) fs::permissions(system.Dev(name), fs::perms(0660));
    const PortInfo usb = ReadPortInfo(system.Dev("ttyUSB0"), system.roots);
    const PortInfo builtIn = ReadPortInfo(system.Dev("ttyS0"), system.roots);
    // alice joined dialout in the group database (as LDAP or sssd would say) after logging in.
    const UserFacts alice{"alice", {46}, {46, *dialout}};
    const UserFacts carol{"carol", {46}, {46}};
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
        system.roots.taggedForSession = [&c](unsigned long long) { return c.tagged; };
        PortTrouble trouble = DiagnosePort(c.info, EACCES, "Permission denied", c.user, system.roots);
        EXPECT_EQ(trouble.kind, c.kind) << c.what;
        EXPECT_EQ(trouble.group, "dialout") << c.what;
        EXPECT_EQ(ExplainPortTrouble(trouble, english).back(), c.command) << c.what;
    }

    system.roots.taggedForSession = [](unsigned long long) { return false; };
    PortTrouble session = DiagnosePort(usb, EACCES, "Permission denied", carol, system.roots);
    EXPECT_EQ(ExplainPortTrouble(session, english)[2],
              "echo 'SUBSYSTEM==\"tty\", ATTRS{idVendor}==\"1a86\", ATTRS{idProduct}==\"7523\", TAG+=\"uaccess\"' | "
              "sudo tee -a /etc/udev/rules.d/61-radioprog-cable.rules");
    // Any other failure is said in the system's words.
    EXPECT_EQ(ExplainPortTrouble(DiagnosePort(usb, EIO, "Input/output error", carol, system.roots), english),
              std::vector<std::string>{"Input/output error"});
}

// A device only its owner may open: joining its group would not help, and joining root is
// never advised. A udev rule that gives it the group dialout is the fix.
TEST(PortTrouble, ADeviceOnlyItsOwnerMayOpenGetsAGroupByUdevNotRootMembership) {
    FakeSystem system;
    const LanguageTable english;
    system.roots.taggedForSession = [](unsigned long long) { return false; };
    const std::optional<gid_t> dialout = GroupNamed("dialout");
    if (!dialout || ::chown(system.Dev("ttyUSB0").c_str(), 0, 0) != 0 ||
        ::chown(system.Dev("ttyS0").c_str(), 0, 0) != 0)
        GTEST_SKIP() << "giving a file to root:root needs root and a dialout group";
    const UserFacts carol{"carol", {1000}, {1000}};
    const UserFacts member{"dave", {1000}, {1000, *dialout}};
    const std::string cableRule =
        "echo 'SUBSYSTEM==\"tty\", ATTRS{idVendor}==\"1a86\", ATTRS{idProduct}==\"7523\", GROUP=\"dialout\", "
        "MODE=\"0660\", TAG+=\"uaccess\"' | sudo tee -a /etc/udev/rules.d/61-radioprog-cable.rules";
    const std::string builtInRule =
        "echo 'SUBSYSTEM==\"tty\", KERNEL==\"ttyS0\", GROUP=\"dialout\", MODE=\"0660\"' | "
        "sudo tee -a /etc/udev/rules.d/61-radioprog-cable.rules";
    const struct {
        const char* what;
        const char* device;
        unsigned mode;
        const UserFacts& user;
        std::vector<std::string> lines;
    } cases[] = {
        {"root:root 0600 cable",
         "ttyUSB0",
         0600,
         carol,
         {"Only its owner may open it: no group may use it.", "A udev rule gives it to the group: dialout", cableRule,
          "Then reload the rules and plug the cable in again:", "sudo udevadm control --reload",
          "Then join the group and log out and in again: dialout", "sudo usermod -aG dialout carol"}},
        {"root:root 0660 cable, the user in dialout already",
         "ttyUSB0",
         0660,
         member,
         {"Only its owner may open it: no group may use it.", "A udev rule gives it to the group: dialout", cableRule,
          "Then reload the rules and plug the cable in again:", "sudo udevadm control --reload"}},
        {"root:root 0600 built-in port",
         "ttyS0",
         0600,
         carol,
         {"Only its owner may open it: no group may use it.", "A udev rule gives it to the group: dialout", builtInRule,
          "Then reload the rules and apply them to the port:",
          "sudo udevadm control --reload && sudo udevadm trigger " + system.Dev("ttyS0"),
          "Then join the group and log out and in again: dialout", "sudo usermod -aG dialout carol"}},
    };
    for (const auto& c : cases) {
        fs::permissions(system.Dev(c.device), fs::perms(c.mode));
        const PortTrouble trouble = DiagnosePort(ReadPortInfo(system.Dev(c.device), system.roots), EACCES,
                                                 "Permission denied", c.user, system.roots);
        EXPECT_EQ(trouble.kind, PortTroubleKind::NoGroupAccess) << c.what;
        const std::vector<std::string> lines = ExplainPortTrouble(trouble, english);
        EXPECT_EQ(lines, c.lines) << c.what;
        for (const std::string& line : lines) EXPECT_EQ(line.find("-aG root"), std::string::npos) << c.what;
    }
    // A group that may not write it is no answer either, whatever group it is.
    ASSERT_EQ(::chown(system.Dev("ttyS0").c_str(), 0, *dialout), 0);
    fs::permissions(system.Dev("ttyS0"), fs::perms(0640));
    EXPECT_EQ(DiagnosePort(ReadPortInfo(system.Dev("ttyS0"), system.roots), EACCES, "", carol, system.roots).kind,
              PortTroubleKind::NoGroupAccess);
}

// The one-line fixes add to their rules file: the fix for a second cable keeps the first's.
TEST(PortTrouble, ASecondCablesUdevFixKeepsTheFirsts) {
    if (::system("command -v tee >/dev/null") != 0) GTEST_SKIP() << "tee is not installed";
    test::TempDir dir;
    const LanguageTable english;
    const std::string rules = dir.file("61-radioprog.rules");
    std::string expected;
    for (const char* vidPid : {"1a86:7523", "067b:2303"}) {
        for (PortTroubleKind kind : {PortTroubleKind::NoSessionAccess, PortTroubleKind::ModemManager}) {
            PortTrouble trouble;
            trouble.kind = kind;
            trouble.vidPid = vidPid;
            trouble.group = "dialout";
            std::string command = ExplainPortTrouble(trouble, english)[2];
            const std::size_t file = command.rfind(" /etc/udev/rules.d/");
            ASSERT_NE(file, std::string::npos) << command;
            command.replace(file + 1, std::string::npos, rules + " >/dev/null");
            command.replace(command.find("sudo "), 5, "");
            ASSERT_EQ(::system(command.c_str()), 0) << command;
            expected += command.substr(6, command.find("' | ") - 6) + "\n";
        }
    }
    std::ifstream in(rules);
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()), expected);
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

// A program started with the device as its standard input, as a terminal program holds a port
// (without any lock); ended and reaped when it goes.
class HoldingProgram {
public:
    explicit HoldingProgram(const std::string& device) {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        if (!device.empty()) posix_spawn_file_actions_addopen(&actions, 0, device.c_str(), O_RDWR | O_NOCTTY, 0);
        char sleep[] = "sleep", seconds[] = "300";
        char* argv[] = {sleep, seconds, nullptr};
        // The holder's file actions run before the program starts: once spawned it holds the device.
        if (posix_spawnp(&pid_, "sleep", &actions, nullptr, argv, environ) != 0) pid_ = 0;
        posix_spawn_file_actions_destroy(&actions);
    }
    ~HoldingProgram() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
    pid_t pid() const { return pid_; }

private:
    pid_t pid_ = 0;
};

// Inspecting a port never opens it, and names every program that has it open, lock or not.
TEST(InspectPort, NamesEveryProgramThatHoldsAPortWithoutOpeningIt) {
    sim::PseudoTerminal terminal;  // the far end holds the master and the device: the line itself
    std::string error;
    ASSERT_TRUE(terminal.create(error)) << error;
    const std::string device = terminal.devicePath();
    test::OpenCounter counter(device);
    ASSERT_TRUE(counter.watching());
    const UserFacts user = UserFacts::current();
    const PortInfo info = ReadPortInfo(device);
    EXPECT_EQ(InspectPort(info, user).kind, PortTroubleKind::None);

    {
        HoldingProgram terminalProgram(device);
        ASSERT_GT(terminalProgram.pid(), 0);
        const PortTrouble held = InspectPort(info, user);
        EXPECT_EQ(held.kind, PortTroubleKind::HeldByProgram);
        EXPECT_EQ(held.holders, (std::vector<PortHolder>{{terminalProgram.pid(), "sleep"}}));
        EXPECT_EQ(ExplainPortTrouble(held, LanguageTable{})[1],
                  "sleep (pid " + std::to_string(terminalProgram.pid()) + ")");
        // The port dialog and `radioprog-cli ports` say the same.
        const std::vector<PortReport> reports = SurveyPorts(PortMap({device}), {}, user);
        ASSERT_EQ(reports.size(), 1u);
        EXPECT_FALSE(reports[0].usable());
    }
    EXPECT_EQ(InspectPort(info, user).kind, PortTroubleKind::None) << "the program ended";

    // A lock file names its process while that runs; a stale one locks nothing.
    test::TempDir run;
    std::filesystem::create_directory(run.file("lock"));
    SystemRoots roots;
    roots.run = run.path().string();
    const std::string lockFile = run.file("lock/LCK.." + fs::path(device).filename().string());
    {
        HoldingProgram locker("");
        ASSERT_GT(locker.pid(), 0);
        std::ofstream(lockFile) << std::string(10 - std::to_string(locker.pid()).size(), ' ') << locker.pid() << "\n";
        EXPECT_EQ(InspectPort(info, user, roots).holders, (std::vector<PortHolder>{{locker.pid(), "sleep"}}));
    }
    EXPECT_EQ(InspectPort(info, user, roots).kind, PortTroubleKind::None) << "a stale lock file";

    // A flock shows in /proc/locks with the device's inode, for any user's program.
    test::TempDir proc;
    roots = {};
    roots.proc = proc.path().string();
    struct stat status {};
    ASSERT_EQ(::stat(device.c_str(), &status), 0);
    std::ostringstream locks;
    locks << "1: FLOCK  ADVISORY  WRITE 4321 " << std::hex << std::setfill('0') << std::setw(2) << major(status.st_dev)
          << ":" << std::setw(2) << minor(status.st_dev) << ":" << std::dec << status.st_ino << " 0 EOF\n"
          << "1: -> FLOCK  ADVISORY  WRITE 4400 " << std::hex << std::setw(2) << major(status.st_dev) << ":"
          << std::setw(2) << minor(status.st_dev) << ":" << std::dec << status.st_ino << " 0 EOF\n";
    proc.write("locks", locks.str());
    std::filesystem::create_directory(proc.file("4321"));
    proc.write("4321/comm", "minicom\n");
    EXPECT_EQ(FindHolders(device, roots), (std::vector<PortHolder>{{4321, "minicom"}}));

    // What is not a terminal, or not there, is said so.
    EXPECT_EQ(InspectPort(ReadPortInfo("/dev/null"), user).systemText, "not a serial device");
    EXPECT_EQ(InspectPort(ReadPortInfo("/dev/radioprog-no-such-device"), user).kind, PortTroubleKind::Other);
    EXPECT_EQ(counter.opens(), 1) << "the terminal program opened it; nothing else did";
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
