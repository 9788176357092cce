// A whole read and a whole write against the simulated radio paced at 9600 baud, measured as
// a user would wait for them. The "ratio" counter compares that time with the least the wire
// allows: every byte in both directions at 960 bytes per second, plus the 200 ms quiet time
// before mode entry.
#include <benchmark/benchmark.h>

#include <chrono>

#include "link/comm_task.h"
#include "sim/radio_sim.h"

namespace {

using namespace radioprog;

// Bytes on the wire, both directions.
constexpr double kHandshakeBytes = (9 + 1) + (1 + 8) + (1 + 1);  // mode entry, identify, confirm
constexpr double kBlockReadBytes = 4 + 68 + 1 + 1;                 // request, reply, confirm, ACK
constexpr double kUnitWriteBytes = 4 + 16 + 1;                     // header, data, ACK
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

void BM_PacedTransfer(benchmark::State& state, TransferMode mode) {
    sim::RadioSimulator radio;
    radio.SetPaced(true);
    std::string error;
    if (!radio.Start(error)) {
        state.SkipWithError(error.c_str());
        return;
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
    state.counters["wire_s"] = WireSeconds(mode);
    state.counters["ratio"] = total / (static_cast<double>(state.iterations()) * WireSeconds(mode));
}

BENCHMARK_CAPTURE(BM_PacedTransfer, read, TransferMode::Read)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PacedTransfer, write, TransferMode::Write)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
