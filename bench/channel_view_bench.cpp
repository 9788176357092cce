// SPDX-License-Identifier: GPL-3.0-or-later
// Reloading the channel table with 128 channels in use: the whole refresh of the grid and
// its editors, and the same followed by the repaint the user waits for.
#ifdef RADIOPROG_BENCH_WITH_GUI

#include <QApplication>

#include <benchmark/benchmark.h>

#include "editors/batch_channels.h"
#include "editors/gui/chn_msg_view.h"

namespace radioprog {
namespace {

void StartApplication() {
    static int argc = 1;
    static char name[] = "radioprog_bench";
    static char* argv[] = {name, nullptr};
    if (QApplication::instance()) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Kept to the end of the process: destroying it among the static objects is unsafe.
    new QApplication(argc, argv);
}

void UseAllChannels(Workspace& workspace) {
    for (int r = 0; r < kLanguageRowCount; ++r)
        workspace.language.rows[static_cast<std::size_t>(r)] = "Text " + std::to_string(r);
    workspace.document.editChannels(
        [&](RadioImage& image) { ApplyBatch(image, workspace.language, InitialBatchSettings(workspace.language)); });
}

void RunReload(benchmark::State& state, bool load, bool paint) {
    StartApplication();
    Workspace workspace;
    UseAllChannels(workspace);
    CChnMsgView view(workspace);
    view.resize(1100, 800);
    view.show();
    view.LoadFromImage();
    QApplication::processEvents();
    for (auto _ : state) {
        if (load) view.LoadFromImage();
        if (paint) {
            view.repaint();
            QApplication::processEvents();
        }
    }
}

void BM_ChannelViewLoadFromImage(benchmark::State& state) { RunReload(state, true, false); }
void BM_ChannelViewLoadAndRepaint(benchmark::State& state) { RunReload(state, true, true); }
void BM_ChannelViewRepaint(benchmark::State& state) { RunReload(state, false, true); }

BENCHMARK(BM_ChannelViewLoadFromImage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChannelViewLoadAndRepaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChannelViewRepaint)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace radioprog

#endif  // RADIOPROG_BENCH_WITH_GUI
