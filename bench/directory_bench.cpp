// SPDX-License-Identifier: GPL-3.0-or-later
// Importing a large repeater directory: a generated JSON export of 20,000 entries read, planned
// around a centre (nearest first within a radius, at most 128) and stored, as
// radioprog-cli import-directory does after reading the file.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "directory/directory_plan.h"

namespace {

using namespace radioprog;

// Entries spread over the United States and Europe; a mix of tones, offline and digital
// entries as a real export has.
std::string GeneratedExport(int count) {
    static const char* const tones[] = {"100.0", "162.2", "D023", "CSQ", "Restricted", "67.0", "D754I", "69.4"};
    std::string text = "{\"count\": " + std::to_string(count) + ", \"results\": [\n";
    char entry[640];
    for (int i = 0; i < count; ++i) {
        const bool uhf = i % 3 == 0;
        const double output = uhf ? 440.0 + (i % 400) * 0.0125 : 145.0 + (i % 160) * 0.0125;
        const double input = uhf ? output + 5.0 : output - 0.6;
        std::snprintf(
            entry, sizeof entry,
            "%s {\"Callsign\": \"W%dABC\", \"Frequency\": \"%.5f\", \"Input Freq\": \"%.5f\", \"PL\": \"%s\", "
            "\"TSQ\": \"\", \"Nearest City\": \"Town %d\", \"Lat\": \"%.4f\", \"Long\": \"%.4f\", \"Use\": "
            "\"OPEN\", \"Operational Status\": \"%s\", \"FM Analog\": \"%s\", \"DMR\": \"%s\"}\n",
            i ? "," : "", i % 10, output, input, tones[i % 8], i, 25.0 + (i % 2500) * 0.01, -125.0 + (i % 6000) * 0.01,
            i % 17 == 0 ? "Off-air" : "On-air", i % 11 == 0 ? "No" : "Yes", i % 11 == 0 ? "Yes" : "No");
        text += entry;
    }
    return text + "]}\n";
}

void BM_ImportJsonDirectory(benchmark::State& state) {
    const std::string text = GeneratedExport(static_cast<int>(state.range(0)));
    DirectoryOptions options;
    options.centre = GeoPosition{40.0, -100.0};
    options.radiusKm = 500;
    int stored = 0;
    for (auto _ : state) {
        RadioImage image;
        image.ApplyDefaults();
        const DirectoryFile file = ReadDirectory(text);
        const DirectoryPlan plan = PlanDirectoryImport(image, file, options);
        stored = static_cast<int>(ApplyDirectoryPlan(image, plan).size());
        benchmark::DoNotOptimize(image);
    }
    state.counters["stored"] = stored;
    state.counters["bytes"] = static_cast<double>(text.size());
}
BENCHMARK(BM_ImportJsonDirectory)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace
