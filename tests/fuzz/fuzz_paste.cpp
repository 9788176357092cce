// SPDX-License-Identifier: GPL-3.0-or-later
// Paste of tab-separated text at any channel, and the report lines it gives.
#include <cstddef>
#include <cstdint>
#include <string>

#include "editors/channel_clipboard.h"
#include "fuzz_support.h"
#include "radio/channel_cells.h"

using namespace radioprog;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const LanguageTable& language = fuzz::ShippedLanguage();
    RadioImage image;
    image.ApplyDefaults();
    int first = data[0] % (kChannelCount + 2) - 1;
    std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    PasteReport report = PasteChannels(image, language, first, text);
    for (const PasteProblem& problem : report.problems) {
        fuzz::Require(problem.channel >= 0 && problem.channel < kChannelCount, "problems name channels 0-127");
        PasteProblemText(problem, language);
    }
    fuzz::Require(report.lastChannel < kChannelCount, "nothing is pasted past channel 127");
    for (int n = 0; n < kChannelCount; ++n) ChannelToRow(image, language, n);
    // What the grid shows pastes back to the same channels.
    std::vector<int> all;
    for (int n = 0; n < kChannelCount; ++n) all.push_back(n);
    std::string copied = CopyChannels(image, language, all);
    RadioImage again = image;
    PasteChannels(again, language, 0, copied);
    fuzz::Require(CopyChannels(again, language, all) == copied, "copy then paste reproduces the grid");
    return 0;
}
