// SPDX-License-Identifier: GPL-3.0-or-later
// CSV import into an image, and the report lines it gives.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "editors/channel_csv.h"
#include "fuzz_support.h"
#include "radio/channel_cells.h"

using namespace radioprog;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    RadioImage image;
    image.ApplyDefaults();
    CsvImportReport report = ImportChannelsCsv(image, std::string_view(reinterpret_cast<const char*>(data), size));
    for (const CsvProblem& problem : report.problems) CsvProblemText(problem, fuzz::ShippedLanguage());
    for (int n : report.channels) fuzz::Require(n >= 0 && n < kChannelCount, "imported channels are 0-127");
    for (int n = 0; n < kChannelCount; ++n) ChannelToRow(image, fuzz::ShippedLanguage(), n);
    ExportChannelsCsv(image);
    return 0;
}
