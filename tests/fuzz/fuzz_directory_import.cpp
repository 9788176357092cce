// SPDX-License-Identifier: GPL-3.0-or-later
// Repeater directory files of every format (JSON included): reading, the plan with and
// without a centre, storing it, and the report lines.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "directory/directory_plan.h"
#include "fuzz_support.h"
#include "model/channel_record.h"
#include "radio/channel_cells.h"

using namespace radioprog;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const DirectoryFile file = ReadDirectory(text);
    RadioImage image;
    image.ApplyDefaults();
    DirectoryOptions options;
    // The first byte picks a centre, a radius and a maximum, so the sorting and the limits
    // run too.
    if (size > 0 && (data[0] & 1)) {
        options.centre = GeoPosition{51.5, -0.1};
        options.radiusKm = (data[0] & 2) ? 50.0 : 20000.0;
        options.maxCount = 1 + data[0] % 64;
        options.firstChannel = data[0] % kChannelCount;
    }
    const DirectoryPlan plan = PlanDirectoryImport(image, file, options);
    for (const PlannedEntry& planned : plan.entries) {
        DirectoryReportLines(planned, fuzz::ShippedLanguage());
        fuzz::Require(planned.channel >= -1 && planned.channel < kChannelCount, "planned channels are 0-127");
        fuzz::Require(planned.channel < 0 || planned.skip == DirectorySkip::None, "a stored entry has no skip");
        if (planned.distanceKm)
            fuzz::Require(*planned.distanceKm >= 0 && *planned.distanceKm <= 20016, "distances lie on the earth");
    }
    DirectorySummaryText(plan, fuzz::ShippedLanguage());
    const std::vector<int> written = ApplyDirectoryPlan(image, plan);
    fuzz::Require(static_cast<int>(written.size()) == plan.stored(), "every planned channel is stored");
    for (int n : written) fuzz::Require(ChannelInUse(image, n), "a stored channel is in use");
    for (int n = 0; n < kChannelCount; ++n) ChannelToRow(image, fuzz::ShippedLanguage(), n);
    return 0;
}
