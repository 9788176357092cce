// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What importing a repeater directory would do, decided before anything is stored: for every
// entry its distance, the channel it would become and where, or why it is skipped. A preview
// shows the plan; ApplyDirectoryPlan then stores it in one step.
//
// Rules, in the order they are applied:
//   - FM analog entries only (digital-only entries are skipped and counted);
//   - operational entries only, unless includeOffline;
//   - the receive frequency (the repeater's output) and the transmit frequency (its input)
//     must lie in the radio's bands (the image's band limits when they hold a radio's, else
//     the usual 136-174 and 400-520 MHz) and on the channel raster;
//   - tones exactly as the radio's lists hold them (162.2 stays 162.2, DCS with its
//     polarity); a tone the radio has not, or one the directory withholds, skips the entry;
//     a simplex entry gets no tone, a beacon (no input) is stored for receiving only;
//   - with a centre: entries without a position are skipped, the others farther than the
//     radius skipped, the rest nearest first (great-circle distance); without a centre,
//     file order and entries without a position are kept;
//   - at most maxCount entries;
//   - placed into the empty channels from firstChannel on (0 without it), or over channels
//     in use too with overwrite;
//   - the name is the call sign as the radio holds it; a changed name is noted (old -> new).
#include <optional>
#include <string>
#include <vector>

#include "directory/directory_file.h"
#include "model/language_table.h"
#include "model/radio_image.h"

namespace radioprog {

struct DirectoryOptions {
    std::optional<GeoPosition> centre;
    std::optional<double> radiusKm;  // only with a centre
    std::optional<int> maxCount;
    int firstChannel = 0;
    bool overwrite = false;
    bool includeOffline = false;
};

enum class DirectorySkip {
    None,            // stored
    CsvRefused,      // the channel import refused the row (its reason in csvRefusal)
    NoFrequency,     // the output frequency is missing or not a number of MHz
    NotFm,           // only digital modes
    NotOperational,  // off the air, planned or closed
    OutOfBand,       // receive or transmit frequency outside the radio's bands
    OffRaster,       // not on the 5 kHz or 6.25 kHz raster
    UnstorableTone,  // a CTCSS tone or DCS code the radio's lists do not have
    UnreadableTone,  // a tone field that names no tone
    ToneWithheld,    // "Restricted": the directory does not publish the tone
    NoPosition,      // a centre was given and the entry has no position
    OutsideRadius,   // farther from the centre than the radius
    OverMaximum,     // beyond the maximum count
    NoFreeChannel,   // no channel left to place it in
};

enum class DirectoryNote {
    NameChanged,  // text: "old -> new"
    NoPosition,   // kept without a position (no centre given)
    Beacon,       // no input frequency: stored for receiving only
    ColourCode,   // the tone field holds a colour code: stored without a tone
    CsvWarning,   // a warning of the channel import (csvWarning)
};

struct DirectoryNoteItem {
    DirectoryNote note;
    std::string text;
    std::optional<CsvProblem> csvWarning;
};

struct PlannedEntry {
    DirectoryEntry entry;
    std::optional<double> distanceKm;
    DirectorySkip skip = DirectorySkip::None;
    std::string skipText;    // the offending field
    int channel = -1;        // where it would be stored; -1 when skipped
    ChannelCellTexts cells;  // what it would become (when not skipped for its contents)
    std::vector<DirectoryNoteItem> notes;
};

struct DirectoryPlan {
    DirectoryFormat format = DirectoryFormat::Unknown;
    std::string error;                  // the file could not be read at all
    std::vector<PlannedEntry> entries;  // nearest first with a centre, else in file order
    int stored() const;                 // entries with a channel
};

// The plan of importing the file into the image; the image is not changed.
DirectoryPlan PlanDirectoryImport(const RadioImage& image, const DirectoryFile& file, const DirectoryOptions& options);
// Stores every planned entry that has a channel; returns the channels written, in plan order.
std::vector<int> ApplyDirectoryPlan(RadioImage& image, const DirectoryPlan& plan);

// Texts of the report, in the table's language.
std::string DirectoryFormatText(DirectoryFormat format, const LanguageTable& language);
std::string DirectorySkipText(const PlannedEntry& planned, const LanguageTable& language);
// One line per entry: "Row 12 GB3WH (3.4 km): stored in channel 5" or "...: skipped: <why>
// (<text>)", then one line per note: "Row 12 GB3WH: Warning (stored): <note> (<text>)".
std::vector<std::string> DirectoryReportLines(const PlannedEntry& planned, const LanguageTable& language);
// "Entries read: 12, stored: 5, skipped: 7".
std::string DirectorySummaryText(const DirectoryPlan& plan, const LanguageTable& language);

}  // namespace radioprog
