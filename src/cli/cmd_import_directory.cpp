// SPDX-License-Identifier: GPL-3.0-or-later
// radioprog-cli import-directory IMAGE FILE [--near ...] [--radius KM] ...: repeaters from a
// directory file into the channels.
#include <optional>

#include "cli/cli_print.h"
#include "cli/command.h"
#include "cli/image_file.h"
#include "cli/whole_file.h"
#include "cmdline/integer_argument.h"
#include "directory/directory_plan.h"
#include "model/channel_record.h"
#include "model/extra_rows.h"
#include "model/language_table.h"

namespace radioprog::cli {
namespace {

constexpr const char* kName = "import-directory";

std::optional<double> PositiveKm(const std::string& text) {
    // Blanks are no part of a number typed as an argument.
    if (text.find_first_of(" \t") != std::string::npos) return std::nullopt;
    const std::optional<double> value = ParseDecimal(text);
    if (!value || *value <= 0) return std::nullopt;
    return value;
}

int RunImportDirectory(const cmdline::Arguments& args) {
    int status = kExitOk;
    if (!CheckArgumentCount(kName, args, 2, 2, "IMAGE and FILE", status)) return status;
    const std::string& datFile = args.positional()[0];
    const std::string& directoryFile = args.positional()[1];
    const std::string out = args.isSet("out") ? args.value("out") : datFile;
    if (out.empty()) return CommandUsageError(kName, "--out needs a file name");
    if (datFile == kStandardStream && directoryFile == kStandardStream)
        return CommandUsageError(kName, "only one of IMAGE and FILE can be standard input");

    DirectoryOptions options;
    options.overwrite = args.isSet("overwrite");
    options.includeOffline = args.isSet("include-offline");
    if (args.isSet("near")) {
        const std::string near = args.value("near");
        options.centre = LocatorCentre(near);
        if (!options.centre) options.centre = ParseLatLon(near);
        if (!options.centre)
            return CommandUsageError(kName, "--near wants a locator (IO91 or IO91wm) or LAT,LON, not '" + near + "'");
    }
    if (args.isSet("radius")) {
        const std::string radius = args.value("radius");
        options.radiusKm = PositiveKm(radius);
        if (!options.radiusKm)
            return CommandUsageError(kName, "--radius wants a distance in km above 0, not '" + radius + "'");
        if (!options.centre) return CommandUsageError(kName, "--radius needs --near");
    }
    if (args.isSet("max")) {
        const std::string max = args.value("max");
        const std::optional<int> count = cmdline::IntegerArgument(max, 1, kChannelCount);
        if (!count) return CommandUsageError(kName, cmdline::IntegerArgumentError("--max", max, 1, kChannelCount));
        options.maxCount = *count;
    }
    if (args.isSet("from")) {
        const std::string from = args.value("from");
        const std::optional<int> channel = cmdline::IntegerArgument(from, 0, kChannelCount - 1);
        if (!channel)
            return CommandUsageError(kName,
                                     cmdline::IntegerArgumentError("--from", from, 0, kChannelCount - 1, "channel"));
        options.firstChannel = *channel;
    }

    RadioImage image;
    if (status = LoadImageFile(datFile, image); status != kExitOk) return status;
    std::string text;
    if (status = ReadWholeInput(directoryFile, text); status != kExitOk) return status;

    // Report lines in the built-in English, whatever language file lies around.
    const LanguageTable english;
    const std::string source = InputName(directoryFile);
    const DirectoryFile file = ReadDirectory(text);
    if (file.format == DirectoryFormat::Unknown)
        return UsageError(source + ": " + english.row(lang_row::kDirectoryUnknownFormat));
    if (!file.error.empty())
        return UsageError(source + ": " + english.row(lang_row::kDirectoryUnknownFormat) + " (" + file.error + ")");
    const DirectoryPlan plan = PlanDirectoryImport(image, file, options);
    PrintErr(source + ": " +
             FillArguments(english.row(lang_row::kDirectoryFileFormat), {DirectoryFormatText(plan.format, english)}) +
             "\n");
    for (const PlannedEntry& planned : plan.entries)
        for (const std::string& line : DirectoryReportLines(planned, english)) PrintErr(source + ": " + line + "\n");
    const std::vector<int> written = ApplyDirectoryPlan(image, plan);
    // Nothing stored: the file stays as it was, and a script learns it from the exit status.
    if (!written.empty())
        if (status = SaveImageFile(image, out); status != kExitOk) return status;
    PrintErr(DirectorySummaryText(plan, english) + "\n");
    return written.empty() ? kExitNothingImported : kExitOk;
}

const CommandRegistration kRegistration{{
    kName,
    "import-directory IMAGE FILE [--near LOCATOR|LAT,LON] [--radius KM] [--max N] [--from CH] [--overwrite] "
    "[--include-offline] [--out NEW.dat]",
    "store the repeaters of a directory file into a .dat file",
    "Reads the repeaters of FILE, a repeater directory downloaded by the user\n"
    "(the UK repeater lists in either CSV layout, the Australian list, a\n"
    "directory's JSON export or the CSV layout of import-csv; recognised by its\n"
    "header, not its name), and stores them into empty channels of IMAGE, from\n"
    "channel 0 or --from CH on, writing the result to NEW.dat or back to IMAGE.\n"
    "Only operational FM analog repeaters whose output and input lie in the\n"
    "radio's bands are stored; tones exactly as the directory gives them (a tone\n"
    "the radio cannot hold skips the entry), the offset from output and input,\n"
    "simplex entries without tone, beacons for receiving only. The name is the\n"
    "call sign as the radio holds it. With --near the entries are taken nearest\n"
    "first (great-circle distance on a 6371 km sphere) from their latitude and\n"
    "longitude, else their locator (its centre), else their UK grid reference;\n"
    "entries without a position are skipped. Every entry is reported on stderr:\n"
    "the channel it went to, or why it was skipped, and each changed name (old ->\n"
    "new). When nothing can be stored, nothing is written. \"-\" as IMAGE or FILE\n"
    "reads standard input, --out - writes to standard output.\n",
    {
        {{"near"},
         "LOCATOR|LAT,LON",
         "the centre: a Maidenhead locator (IO91 or IO91wm)\nor latitude,longitude in degrees"},
        {{"radius"}, "KM", "only entries within KM kilometres of the centre"},
        {{"max"}, "N", "store at most N entries (1-128)"},
        {{"from"}, "CH", "place entries from channel CH (0-127) on"},
        {{"overwrite"}, "", "place entries over channels in use too"},
        {{"include-offline"}, "", "take entries that are not operational too"},
        {{"o", "out"}, "NEW.dat", "write the result to NEW.dat instead of IMAGE"},
    },
    {kExitNothingImported},
    RunImportDirectory,
}};

}  // namespace
}  // namespace radioprog::cli
