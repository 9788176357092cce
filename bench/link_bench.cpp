// SPDX-License-Identifier: GPL-3.0-or-later
// A whole read and a whole write against the simulated radio paced at 9600 baud, measured as
// a user would wait for them. The "ratio" counter compares that time with the least the wire
// allows: every byte in both directions at 960 bytes per second, plus the 200 ms quiet time
// before mode entry.
//
// The latency variants put a USB serial adapter with a 16 ms latency timer between radio and
// program (the simulator holds the radio's bytes until the timer's next tick). "refused" is a
// port that does not grant low latency; "granted" simulates the adapter's driver, which on the
// program's request for low latency sets its timer to 1 ms, as common USB serial drivers do,
// and back to 16 ms when the port is closed. The request itself goes through the real serial
// code; only the kernel driver is simulated.
#include <benchmark/benchmark.h>

#include <linux/serial.h>

#include <chrono>
#include <optional>

#include "link/comm_task.h"
#include "link/low_latency.h"
#include "sim/radio_sim.h"

namespace {

using namespace radioprog;

// Bytes on the wire, both directions.
constexpr double kHandshakeBytes = (9 + 1) + (1 + 8) + (1 + 1);  // mode entry, identify, confirm
constexpr double kBlockReadBytes = 4 + 68 + 1 + 1;               // request, reply, confirm, ACK
constexpr double kUnitWriteBytes = 4 + 16 + 1;                   // header, data, ACK
constexpr double kReadBlocks = 71;
constexpr double kWriteUnits = 32 * 4 + 32 * 4 + 16 + 2 + 4 + 2;
constexpr double kBytesPerSecond = 960;
constexpr double kModeEntryWait = 0.2;

double WireSeconds(TransferMode mode) {
    double bytes = kHandshakeBytes + (mode == TransferMode::Read ? kReadBlocks * kBlockReadBytes
                                                                 : kBlockReadBytes + kWriteUnits * kUnitWriteBytes);
    return bytes / kBytesPerSecond + kModeEntryWait;
}

class Reports : public TransferReports {
public:
    TransferResult result = TransferResult::NoRadio;
    void progress(int) override {}
    void dataReady(const RadioImage&) override {}
    bool checkBandLimits(const RadioImage&) override { return true; }
    void finished(const TransferOutcome& outcome) override { result = outcome.result; }
};

// A USB serial adapter's driver: low latency sets its latency timer to 1 ms.
class SimulatedAdapterDriver : public SerialFlagsAccess {
public:
    SimulatedAdapterDriver(sim::RadioSimulator& radio, int timerMs) : radio_(radio), timerMs_(timerMs) {
        radio_.setLatencyMs(timerMs_);
    }
    bool get(int, int& flags) override {
        flags = flags_;
        return true;
    }
    bool set(int, int flags) override {
        flags_ = flags;
        radio_.setLatencyMs(flags & ASYNC_LOW_LATENCY ? 1 : timerMs_);
        return true;
    }

private:
    sim::RadioSimulator& radio_;
    int timerMs_;
    int flags_ = 0;
};

enum class Adapter { None, LowLatencyRefused, LowLatencyGranted };

void BM_PacedTransfer(benchmark::State& state, TransferMode mode, Adapter adapter = Adapter::None) {
    constexpr int kTimerMs = 16;
    sim::RadioSimulator radio;
    radio.setPaced(true);
    if (adapter == Adapter::LowLatencyRefused) radio.setLatencyMs(kTimerMs);
    std::string error;
    if (!radio.start(error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    std::optional<SimulatedAdapterDriver> driver;
    if (adapter == Adapter::LowLatencyGranted) {
        driver.emplace(radio, kTimerMs);
        SetSerialFlagsAccess(&*driver);
    }
    RadioImage image;
    image.ApplyDefaults();
    const TransferResult done = mode == TransferMode::Read ? TransferResult::ReadDone : TransferResult::WriteDone;
    double total = 0;
    for (auto _ : state) {
        CCommTask task(PortMap({radio.devicePath()}));
        Reports reports;
        task.Setup(&reports, image);
        task.SetMode(mode);
        auto start = std::chrono::steady_clock::now();
        task.Run();
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(seconds);
        total += seconds;
        if (reports.result != done) state.SkipWithError("the transfer failed");
    }
    SetSerialFlagsAccess(nullptr);
    state.counters["wire_s"] = WireSeconds(mode);
    state.counters["ratio"] = total / (static_cast<double>(state.iterations()) * WireSeconds(mode));
}

BENCHMARK_CAPTURE(BM_PacedTransfer, read, TransferMode::Read)
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PacedTransfer, write, TransferMode::Write)
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PacedTransfer, read_latency16_lowlatency_refused, TransferMode::Read, Adapter::LowLatencyRefused)
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PacedTransfer, read_latency16_lowlatency_granted, TransferMode::Read, Adapter::LowLatencyGranted)
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PacedTransfer, write_latency16_lowlatency_refused, TransferMode::Write, Adapter::LowLatencyRefused)
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PacedTransfer, write_latency16_lowlatency_granted, TransferMode::Write, Adapter::LowLatencyGranted)
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
