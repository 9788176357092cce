// SPDX-License-Identifier: GPL-3.0-or-later
// Several radios written at once, each simulated radio paced at 9600 baud. Every iteration
// writes one radio alone and then N radios in parallel, so the "ratio" counter (N radios'
// time over one radio's time) is a pairing within one run: paced serial I/O waits on the wire,
// so the ratio stays near 1 even on a machine with fewer cores than radios.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

#include "fleet/fleet_write.h"
#include "sim/radio_sim.h"

namespace {

using namespace radioprog;

struct PacedRadios {
    explicit PacedRadios(int count) {
        std::vector<std::string> devices;
        for (int i = 0; i < count; ++i) {
            radios.push_back(std::make_unique<sim::RadioSimulator>());
            radios.back()->setPaced(true);
            if (!radios.back()->start(error)) return;
            devices.push_back(radios.back()->devicePath());
        }
        ports = PortMap(devices);
    }
    std::vector<std::unique_ptr<sim::RadioSimulator>> radios;
    PortMap ports;
    std::string error;
};

// Seconds to write image to the first `count` radios at once; negative when one failed.
double WriteSeconds(const PacedRadios& paced, int count, const RadioImage& image) {
    std::vector<int> ports;
    for (int port = 1; port <= count; ++port) ports.push_back(port);
    FleetWrite fleet(paced.ports, ports, image, LanguageTable{}, false);
    auto start = std::chrono::steady_clock::now();
    fleet.start(nullptr);
    fleet.wait();
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return fleet.worstStatus() == RadioStatus::Done ? seconds : -1;
}

void BM_PacedFleetWrite(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    PacedRadios paced(count);
    if (!paced.error.empty()) {
        state.SkipWithError(paced.error.c_str());
        return;
    }
    RadioImage image;
    image.ApplyDefaults();
    double one = 0, all = 0;
    for (auto _ : state) {
        double single = WriteSeconds(paced, 1, image);
        double several = WriteSeconds(paced, count, image);
        if (single < 0 || several < 0) {
            state.SkipWithError("a write failed");
            return;
        }
        state.SetIterationTime(several);
        one += single;
        all += several;
    }
    state.counters["radios"] = count;
    state.counters["one_radio_s"] = one / static_cast<double>(state.iterations());
    state.counters["ratio"] = all / one;
}

BENCHMARK(BM_PacedFleetWrite)->Arg(1)->Arg(3)->Arg(8)->Iterations(2)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
