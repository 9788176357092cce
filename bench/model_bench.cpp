// SPDX-License-Identifier: GPL-3.0-or-later
// Loading a .dat file and building the texts of all 128 channels, as File Open followed by
// the channel table's refresh does (without widgets).
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <cstdio>
#include <string>

#include "model/channel_record.h"
#include "model/dat_file.h"
#include "model/freq_codec.h"
#include "radio/channel_cells.h"

namespace {

using namespace radioprog;

LanguageTable EnglishLikeTable() {
    LanguageTable table;
    for (std::size_t r = 0; r < table.rows.size(); ++r) table.rows[r] = "Text " + std::to_string(r);
    table.rows[12] = "OFF";
    return table;
}

RadioImage FullImage() {
    RadioImage image;
    image.ApplyDefaults();
    for (int n = 0; n < kChannelCount; ++n) {
        ChannelRef channel(image, n);
        channel.setRxFrequency(0x14500000u + static_cast<std::uint32_t>(n) * 0x2500u);
        channel.setTxFrequency(0x14500000u + static_cast<std::uint32_t>(n) * 0x2500u);
        channel.setRxTone(885);
        channel.setTxTone(0x2813);
        channel.setFlags(0xF800);
        channel.setSignalling(static_cast<std::uint8_t>(n % 15));
        for (int i = 0; i < 7; ++i) channel.setNameByte(i, static_cast<std::uint8_t>((n + i) % 36));
    }
    return image;
}

void BM_OpenDatAndBuildChannelTexts(benchmark::State& state) {
    std::string path = "/tmp/radioprog_bench_" + std::to_string(::getpid()) + ".dat";
    SaveDatFile(FullImage(), path);
    LanguageTable language = EnglishLikeTable();
    for (auto _ : state) {
        RadioImage image;
        image.ApplyDefaults();
        if (!OpenDatFile(path, image).ok) state.SkipWithError("open failed");
        for (int n = 0; n < kChannelCount; ++n) benchmark::DoNotOptimize(ChannelToRow(image, language, n));
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_OpenDatAndBuildChannelTexts)->Unit(benchmark::kMicrosecond);

void BM_ChannelTextsOnly(benchmark::State& state) {
    RadioImage image = FullImage();
    LanguageTable language = EnglishLikeTable();
    for (auto _ : state)
        for (int n = 0; n < kChannelCount; ++n) benchmark::DoNotOptimize(ChannelToRow(image, language, n));
}
BENCHMARK(BM_ChannelTextsOnly)->Unit(benchmark::kMicrosecond);

}  // namespace
