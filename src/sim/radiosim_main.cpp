// SPDX-License-Identifier: GPL-3.0-or-later
// radiosim: the dual-band handheld radio on a pseudo-terminal, for trying the programming
// software without a radio and for demonstrations of its failure handling.
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "cmdline/command_line.h"
#include "cmdline/standard_output.h"
#include "model/dat_file.h"
#include "sim/radio_sim.h"
#include "sim/sim_options.h"

namespace {

volatile std::sig_atomic_t g_stop = 0;

void OnSignal(int) { g_stop = 1; }

int Fail(const std::string& message) {
    std::cerr << "radiosim: " << message << "\n";
    return 2;
}

bool Save(const radioprog::sim::RadioSimulator& sim, const std::string& path) {
    radioprog::FileResult saved = radioprog::SaveDatFile(sim.image(), path);
    if (!saved.ok) std::cerr << "radiosim: " << saved.error << "\n";
    return saved.ok;
}

// Removes the link only while it still leads to this simulator's device: another simulator
// started since may have taken the name over.
void RemoveOwnLink(const std::string& link, const std::string& device) {
    if (link.empty()) return;
    char target[4096];
    ssize_t n = ::readlink(link.c_str(), target, sizeof target - 1);
    if (n >= 0 && std::string(target, static_cast<std::size_t>(n)) == device) ::unlink(link.c_str());
}

// Replaces an old link, but never a file that is not a link.
bool MakeLink(const std::string& link, const std::string& device) {
    struct stat st {};
    if (::lstat(link.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) ::unlink(link.c_str());
    return ::symlink(device.c_str(), link.c_str()) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace radioprog;
    using namespace radioprog::sim;
    SimConfig config;
    std::string error;
    if (!ParseSimArgs(cmdline::ArgumentList(argc, argv), config, error)) return Fail(error + " (see radiosim --help)");
    if (config.help) {
        // The answer must have arrived, or the status says so. The device lines printed while
        // running are not checked: a script may read the first one and go.
        std::cout << SimUsage();
        return cmdline::CloseStandardOutput("radiosim", 0);
    }
    if (config.version) {
        std::cout << cmdline::VersionText("radiosim");
        return cmdline::CloseStandardOutput("radiosim", 0);
    }

    RadioSimulator sim;
    if (!config.loadFile.empty()) {
        RadioImage image;
        image.ApplyDefaults();
        FileResult opened = OpenDatFile(config.loadFile, image);
        if (!opened.ok) return Fail(opened.error);
        sim.loadImage(image);
    }
    sim.setBandLimits(ApplyBandOptions(config, DecodeBandLimits(sim.image())));
    sim.setFaults(config.faults);
    sim.setPaced(config.paced);
    sim.setLatencyMs(config.latencyMs);

    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    if (!sim.start(error)) return Fail(error);
    if (!config.linkPath.empty() && !MakeLink(config.linkPath, sim.devicePath()))
        return Fail("cannot create the link " + config.linkPath);
    std::cout << sim.devicePath() << std::endl;

    // More radios, one per further --link, each a copy of the first as it started.
    std::vector<std::unique_ptr<RadioSimulator>> others;
    std::vector<std::string> otherDevices;
    for (const std::string& link : config.moreLinks) {
        auto other = std::make_unique<RadioSimulator>();
        other->loadImage(sim.image());
        other->setFaults(config.faults);
        other->setPaced(config.paced);
        other->setLatencyMs(config.latencyMs);
        if (!other->start(error)) return Fail(error);
        if (!MakeLink(link, other->devicePath())) return Fail("cannot create the link " + link);
        std::cout << other->devicePath() << std::endl;
        otherDevices.push_back(other->devicePath());
        others.push_back(std::move(other));
    }

    // Save once the writes have stopped for a while, so a finished transfer is on disk.
    std::uint64_t saved = sim.memoryVersion();
    std::uint64_t seen = saved;
    while (!g_stop) {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        std::uint64_t now = sim.memoryVersion();
        if (!config.saveFile.empty() && now == seen && now != saved && Save(sim, config.saveFile)) saved = now;
        seen = now;
    }
    std::string device = sim.devicePath();
    sim.stop();
    RemoveOwnLink(config.linkPath, device);
    for (std::size_t i = 0; i < others.size(); ++i) {
        others[i]->stop();
        RemoveOwnLink(config.moreLinks[i], otherDevices[i]);
    }
    if (!config.saveFile.empty() && sim.memoryVersion() != saved) Save(sim, config.saveFile);
    return 0;
}
