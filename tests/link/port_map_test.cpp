// SPDX-License-Identifier: GPL-3.0-or-later
// Which device each COM number is, and the order in which the scan tries the ports.
#include <gtest/gtest.h>

#include <filesystem>
#include <numeric>

#include "link/comm_task.h"
#include "link/port_map.h"
#include "support/temp_dir.h"

namespace radioprog {
namespace {

TEST(PortMap, ListEntryKIsComKAndEmptyEntriesDoNotExist) {
    PortMap map = PortMap::fromList("/dev/ttyUSB0,,/tmp/radio");
    EXPECT_EQ(map.device(1), "/dev/ttyUSB0");
    EXPECT_EQ(map.device(2), "");
    EXPECT_EQ(map.device(3), "/tmp/radio");
    EXPECT_EQ(map.device(4), "");
    EXPECT_EQ(map.device(0), "");
    EXPECT_EQ(map.device(-1), "");
    EXPECT_EQ(PortMap::fromList("").device(1), "") << "set but empty: no ports at all";
    EXPECT_EQ(PortMap::fromList(std::string(30, ',') + "x").device(20), "") << "beyond COM20";
    EXPECT_EQ(PortMap::fromList(std::string(30, ',') + "x,,y").ignoredDevices(), 2);
    EXPECT_EQ(PortMap::fromList(std::string(19, ',') + "x,").ignoredDevices(), 0) << "a trailing comma names none";
    EXPECT_EQ(PortMap::fromList("a, ,\tb").device(2), "") << "blank";
    EXPECT_EQ(PortMap::fromList("a, ,\tb").device(3), "\tb");
    EXPECT_EQ(PortMap::name(7), "COM7");
}

TEST(PortMap, DetectsUsbAdaptersFirstThenBuiltInPortsThatExist) {
    test::TempDir dev;
    test::TempDir sys;
    for (const char* name : {"ttyS10", "ttyS2", "ttyS1", "ttyUSB10", "ttyUSB2", "ttyACM0", "ttyS", "ttySX", "tty5"})
        dev.write(name, "");
    // ttyS1 is registered but has no UART behind it; ttyS2 and ttyS10 are real ones.
    for (auto [name, type] : {std::pair{"ttyS1", "0\n"}, {"ttyS2", "4\n"}, {"ttyS10", "4\n"}}) {
        std::filesystem::create_directory(sys.path() / name);
        sys.write(std::string(name) + "/type", type);
    }
    PortMap map = PortMap::detect(dev.path().string(), sys.path().string());
    std::vector<std::string> expected = {"ttyUSB2", "ttyUSB10", "ttyACM0", "ttyS2", "ttyS10"};
    for (int port = 1; port <= 5; ++port)
        EXPECT_EQ(map.device(port), dev.file(expected[static_cast<std::size_t>(port - 1)])) << port;
    EXPECT_EQ(map.device(6), "");
}

TEST(PortScanOrder, ConfiguredPortFirstThenAscendingWithoutIt) {
    auto ports = [](std::int32_t configured) {
        std::vector<int> order;
        for (const ScanStep& step : PortScanOrder(configured)) order.push_back(step.port);
        return order;
    };
    std::vector<int> ascending(20);
    std::iota(ascending.begin(), ascending.end(), 1);
    std::vector<int> from5 = {5, 1, 2, 3, 4};
    for (int p = 6; p <= 20; ++p) from5.push_back(p);
    EXPECT_EQ(ports(5), from5);
    EXPECT_EQ(ports(1), ascending) << "configured 1: the ascending part starts at 2";
    // Outside 1..20 the whole ascending scan runs.
    for (std::int32_t outside : {0, -4, 21, 99}) EXPECT_EQ(ports(outside), ascending) << outside;

    // The configured port gets four mode-entry sends, every other port two.
    std::vector<ScanStep> steps = PortScanOrder(5);
    EXPECT_EQ(steps[0], (ScanStep{5, 3}));
    for (std::size_t i = 1; i < steps.size(); ++i) EXPECT_EQ(steps[i].retries, 1);
    for (const ScanStep& step : PortScanOrder(0)) EXPECT_EQ(step.retries, 1);
}

}  // namespace
}  // namespace radioprog
