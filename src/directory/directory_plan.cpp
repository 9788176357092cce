// SPDX-License-Identifier: GPL-3.0-or-later
#include "directory/directory_plan.h"

#include <algorithm>
#include <cstdio>

#include "model/band_limits.h"
#include "model/channel_record.h"
#include "model/extra_rows.h"
#include "model/freq_codec.h"
#include "radio/channel_values.h"
#include "radio/usual_bands.h"

namespace radioprog {

namespace {

// The bands to check against: the image's band limits when they are a radio's (read from
// it), else the bands a radio of this kind covers as delivered. A new image holds
// placeholder limits that would let anything through.
struct RadioBands {
    int rxLower[2], rxUpper[2], txLower[2], txUpper[2];
};

RadioBands BandsOf(const RadioImage& image) {
    const BandLimits limits = DecodeBandLimits(image);
    bool real = true;
    for (int b = 0; b < 2; ++b)
        real = real && limits.rxLower[b] < limits.rxUpper[b] && limits.rxUpper[b] < 1000 &&
               limits.txLower[b] < limits.txUpper[b] && limits.txUpper[b] < 1000 && limits.rxLower[b] > 0 &&
               limits.txLower[b] > 0;
    RadioBands bands{};
    for (int b = 0; b < 2; ++b) {
        bands.rxLower[b] = real ? limits.rxLower[b] : kUsualBandLower[b];
        bands.rxUpper[b] = real ? limits.rxUpper[b] : kUsualBandUpper[b];
        bands.txLower[b] = real ? limits.txLower[b] : kUsualBandLower[b];
        bands.txUpper[b] = real ? limits.txUpper[b] : kUsualBandUpper[b];
    }
    return bands;
}

const std::string& CellText(int row) { return CsvCellLanguage().row(row); }

bool NoInput(const std::string& input) {
    if (input.empty() || input == "-") return true;
    std::optional<FrequencyUnits> units = ParseMhz(input);
    return units && *units == 0;
}

// The frequency's problem as the plan reports it, or None.
DirectorySkip FrequencySkip(FrequencyUnits units, bool transmit, const RadioBands& bands) {
    switch (CheckStorableFrequency(units)) {
    case FrequencyProblem::None: break;
    case FrequencyProblem::OffRaster: return DirectorySkip::OffRaster;
    default: return DirectorySkip::OutOfBand;
    }
    const std::uint32_t code = UnitsToBcd(units);
    const bool in =
        transmit ? InBands(code, bands.txLower, bands.txUpper) : InBands(code, bands.rxLower, bands.rxUpper);
    return in ? DirectorySkip::None : DirectorySkip::OutOfBand;
}

// The tone list entry of a directory tone, or the reason it has none.
DirectorySkip ToneEntry(const DirectoryTone& tone, std::string& entry, PlannedEntry& planned) {
    switch (tone.kind) {
    case DirectoryTone::None: entry = CellText(lang_row::kToneOff); return DirectorySkip::None;
    case DirectoryTone::ColourCode:
        entry = CellText(lang_row::kToneOff);
        planned.notes.push_back({DirectoryNote::ColourCode, tone.value, std::nullopt});
        return DirectorySkip::None;
    case DirectoryTone::Ctcss:
        if (std::optional<std::string> ctcss = CtcssEntry(tone.value)) {
            entry = *ctcss;
            return DirectorySkip::None;
        }
        planned.skipText = tone.value;
        return DirectorySkip::UnstorableTone;
    case DirectoryTone::Dcs:
        if (std::optional<std::string> code = DcsNumber(tone.value)) {
            entry = "D" + *code + (tone.inverted ? "I" : "N");
            return DirectorySkip::None;
        }
        planned.skipText = "D" + tone.value + (tone.inverted ? "I" : "N");
        return DirectorySkip::UnstorableTone;
    case DirectoryTone::Withheld: planned.skipText = tone.value; return DirectorySkip::ToneWithheld;
    case DirectoryTone::Unreadable: planned.skipText = tone.value; return DirectorySkip::UnreadableTone;
    }
    return DirectorySkip::UnreadableTone;
}

// What the entry becomes, or why it is skipped for its contents.
void PlanContents(PlannedEntry& planned, const RadioBands& bands, const DirectoryOptions& options) {
    const DirectoryEntry& entry = planned.entry;
    if (entry.csvRefusal) {
        planned.skip = DirectorySkip::CsvRefused;
        planned.skipText = entry.csvRefusal->text;
        return;
    }
    if (!entry.fmAnalog) {
        planned.skip = DirectorySkip::NotFm;
        return;
    }
    if (!entry.operational && !options.includeOffline) {
        planned.skip = DirectorySkip::NotOperational;
        return;
    }
    if (entry.cells) {
        // A channel the channel import made: only the radio's bands are left to check.
        planned.cells = *entry.cells;
        for (const CsvProblem& warning : entry.csvWarnings)
            planned.notes.push_back({DirectoryNote::CsvWarning, warning.text, warning});
        const std::optional<FrequencyUnits> rx = ParseMhz(planned.cells.rx);
        const std::optional<FrequencyUnits> tx = ParseMhz(planned.cells.tx);
        DirectorySkip skip = rx ? FrequencySkip(*rx, false, bands) : DirectorySkip::NoFrequency;
        if (skip != DirectorySkip::None) planned.skipText = planned.cells.rx;
        if (skip == DirectorySkip::None && tx) {
            skip = FrequencySkip(*tx, true, bands);
            if (skip != DirectorySkip::None) planned.skipText = planned.cells.tx;
        }
        planned.skip = skip;
        return;
    }
    const std::optional<FrequencyUnits> rx = ParseMhz(entry.output);
    if (!rx || *rx == 0) {
        planned.skip = DirectorySkip::NoFrequency;
        planned.skipText = entry.output;
        return;
    }
    if (DirectorySkip skip = FrequencySkip(*rx, false, bands); skip != DirectorySkip::None) {
        planned.skip = skip;
        planned.skipText = entry.output;
        return;
    }
    const bool beacon = NoInput(entry.input);
    std::optional<FrequencyUnits> tx;
    if (!beacon) {
        tx = ParseMhz(entry.input);
        if (!tx) {
            planned.skip = DirectorySkip::NoFrequency;
            planned.skipText = entry.input;
            return;
        }
        if (DirectorySkip skip = FrequencySkip(*tx, true, bands); skip != DirectorySkip::None) {
            planned.skip = skip;
            planned.skipText = entry.input;
            return;
        }
    }
    ChannelCellTexts& cells = planned.cells;
    cells.rx = GridFrequencyText(*rx);
    cells.tx = tx ? GridFrequencyText(*tx) : std::string();
    cells.rxTone = cells.txTone = CellText(lang_row::kToneOff);
    // A simplex channel or a beacon needs no tone: the directory's tone belongs to a repeater.
    if (!beacon && *tx != *rx) {
        if (DirectorySkip skip = ToneEntry(entry.uplink, cells.txTone, planned); skip != DirectorySkip::None) {
            planned.skip = skip;
            return;
        }
        if (DirectorySkip skip = ToneEntry(entry.downlink, cells.rxTone, planned); skip != DirectorySkip::None) {
            planned.skip = skip;
            return;
        }
    }
    if (beacon) planned.notes.push_back({DirectoryNote::Beacon, "", std::nullopt});
    cells.power = CellText(lang_row::kHigh);
    cells.bandwidth = CellText(lang_row::kWide);
    cells.bit14 = CellText(lang_row::kYes);
    cells.busyLockout = CellText(lang_row::kToneOff);
    cells.signalling = "1";
    cells.name = RadioChannelName(entry.callsign);
    if (cells.name != entry.callsign)
        planned.notes.push_back({DirectoryNote::NameChanged, entry.callsign + " -> " + cells.name, std::nullopt});
}

std::string DistanceText(double km, const LanguageTable& language) {
    char number[32];
    std::snprintf(number, sizeof number, "%.1f", km);
    return FillArguments(language.row(lang_row::kDirectoryKm), {number});
}

// "Row 12 GB3WH (3.4 km)"
std::string EntryHead(const PlannedEntry& planned, const LanguageTable& language) {
    std::string head = language.row(lang_row::kReportRow) + " " + std::to_string(planned.entry.line);
    if (!planned.entry.callsign.empty()) head += " " + planned.entry.callsign;
    if (planned.distanceKm) head += " (" + DistanceText(*planned.distanceKm, language) + ")";
    return head;
}

}  // namespace

int DirectoryPlan::stored() const {
    return static_cast<int>(
        std::count_if(entries.begin(), entries.end(), [](const PlannedEntry& e) { return e.channel >= 0; }));
}

DirectoryPlan PlanDirectoryImport(const RadioImage& image, const DirectoryFile& file, const DirectoryOptions& options) {
    DirectoryPlan plan;
    plan.format = file.format;
    plan.error = file.error;
    const RadioBands bands = BandsOf(image);
    plan.entries.reserve(file.entries.size());
    for (const DirectoryEntry& entry : file.entries) {
        PlannedEntry planned;
        planned.entry = entry;
        PlanContents(planned, bands, options);
        if (options.centre && entry.position) planned.distanceKm = GreatCircleKm(*options.centre, *entry.position);
        if (planned.skip == DirectorySkip::None) {
            if (options.centre && !entry.position) {
                planned.skip = DirectorySkip::NoPosition;
            } else if (options.centre && options.radiusKm && *planned.distanceKm > *options.radiusKm) {
                planned.skip = DirectorySkip::OutsideRadius;
            } else if (!options.centre && !entry.position && file.format != DirectoryFormat::ChannelCsv) {
                planned.notes.push_back({DirectoryNote::NoPosition, "", std::nullopt});
            }
        }
        plan.entries.push_back(std::move(planned));
    }
    // Nearest first; entries without a distance keep their file order after them.
    if (options.centre)
        std::stable_sort(plan.entries.begin(), plan.entries.end(), [](const PlannedEntry& a, const PlannedEntry& b) {
            if (a.distanceKm.has_value() != b.distanceKm.has_value()) return a.distanceKm.has_value();
            return a.distanceKm && *a.distanceKm < *b.distanceKm;
        });
    int taken = 0;
    int next = std::clamp(options.firstChannel, 0, kChannelCount);
    for (PlannedEntry& planned : plan.entries) {
        if (planned.skip != DirectorySkip::None) continue;
        if (options.maxCount && taken >= *options.maxCount) {
            planned.skip = DirectorySkip::OverMaximum;
            continue;
        }
        while (next < kChannelCount && !options.overwrite && ChannelInUse(image, next)) ++next;
        if (next >= kChannelCount) {
            planned.skip = DirectorySkip::NoFreeChannel;
            continue;
        }
        planned.channel = next++;
        ++taken;
    }
    return plan;
}

std::vector<int> ApplyDirectoryPlan(RadioImage& image, const DirectoryPlan& plan) {
    std::vector<int> written;
    for (const PlannedEntry& planned : plan.entries) {
        if (planned.channel < 0 || planned.channel >= kChannelCount) continue;
        StoreChannelCells(image, planned.channel, planned.cells);
        written.push_back(planned.channel);
    }
    return written;
}

std::string DirectoryFormatText(DirectoryFormat format, const LanguageTable& language) {
    switch (format) {
    case DirectoryFormat::UkList: return language.row(lang_row::kDirectoryFormatUk);
    case DirectoryFormat::UkListModes: return language.row(lang_row::kDirectoryFormatUkModes);
    case DirectoryFormat::Australian: return language.row(lang_row::kDirectoryFormatAustralian);
    case DirectoryFormat::Json: return language.row(lang_row::kDirectoryFormatJson);
    case DirectoryFormat::ChannelCsv: return language.row(lang_row::kDirectoryFormatChannelCsv);
    case DirectoryFormat::Unknown: break;
    }
    return language.row(lang_row::kDirectoryUnknownFormat);
}

std::string DirectorySkipText(const PlannedEntry& planned, const LanguageTable& language) {
    switch (planned.skip) {
    case DirectorySkip::None: return {};
    case DirectorySkip::CsvRefused: {
        const CsvProblem& problem = *planned.entry.csvRefusal;
        return (problem.column.empty() ? "" : problem.column + ": ") + CsvReasonText(problem.reason, language);
    }
    case DirectorySkip::NoFrequency: return language.row(lang_row::kDirectoryNoFrequency);
    case DirectorySkip::NotFm: return language.row(lang_row::kDirectoryNotFm);
    case DirectorySkip::NotOperational: return language.row(lang_row::kDirectoryNotOperational);
    case DirectorySkip::OutOfBand: return language.row(lang_row::kDirectoryOutOfBand);
    case DirectorySkip::OffRaster: return language.row(lang_row::kOffRaster);
    case DirectorySkip::UnstorableTone: return language.row(lang_row::kUnstorableTone);
    case DirectorySkip::UnreadableTone: return language.row(lang_row::kDirectoryUnreadableTone);
    case DirectorySkip::ToneWithheld: return language.row(lang_row::kDirectoryToneWithheld);
    case DirectorySkip::NoPosition: return language.row(lang_row::kDirectoryNoPosition);
    case DirectorySkip::OutsideRadius: return language.row(lang_row::kDirectoryOutsideRadius);
    case DirectorySkip::OverMaximum: return language.row(lang_row::kDirectoryOverMaximum);
    case DirectorySkip::NoFreeChannel: return language.row(lang_row::kDirectoryNoFreeChannel);
    }
    return {};
}

std::vector<std::string> DirectoryReportLines(const PlannedEntry& planned, const LanguageTable& language) {
    const std::string head = EntryHead(planned, language);
    std::vector<std::string> lines;
    if (planned.channel >= 0) {
        lines.push_back(head + ": " +
                        FillArguments(language.row(lang_row::kDirectoryStoredIn), {std::to_string(planned.channel)}));
    } else {
        std::string line =
            head + ": " + language.row(lang_row::kDirectorySkipped) + ": " + DirectorySkipText(planned, language);
        if (!planned.skipText.empty()) line += " (" + planned.skipText + ")";
        lines.push_back(line);
    }
    for (const DirectoryNoteItem& note : planned.notes) {
        if (planned.channel < 0) break;  // notes tell how an entry was stored
        std::string text;
        switch (note.note) {
        case DirectoryNote::NameChanged: text = language.row(lang_row::kNameChanged); break;
        case DirectoryNote::NoPosition: text = language.row(lang_row::kDirectoryKeptWithoutPosition); break;
        case DirectoryNote::Beacon: text = language.row(lang_row::kDirectoryBeacon); break;
        case DirectoryNote::ColourCode: text = language.row(lang_row::kDirectoryColourCode); break;
        case DirectoryNote::CsvWarning:
            text = (note.csvWarning->column.empty() ? "" : note.csvWarning->column + ": ") +
                   CsvReasonText(note.csvWarning->reason, language);
            break;
        }
        if (!note.text.empty()) text += " (" + note.text + ")";
        lines.push_back(head + ": " + language.row(lang_row::kWarning) + ": " + text);
    }
    return lines;
}

std::string DirectorySummaryText(const DirectoryPlan& plan, const LanguageTable& language) {
    const int stored = plan.stored();
    return FillArguments(language.row(lang_row::kDirectorySummary),
                         {std::to_string(plan.entries.size()), std::to_string(stored),
                          std::to_string(static_cast<int>(plan.entries.size()) - stored)});
}

}  // namespace radioprog
