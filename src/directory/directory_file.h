// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Repeater directory files as their publishers export them, read into one list of entries.
// The format is recognised by the file's header or content, never by its name:
//   UkList       the UK repeater list's first CSV layout ("CALL","BAND","CHAN","txMHz",
//                "rxMHz","CTCSS","QTHR","NGR","WHERE","ANALOG","DMR","DSTAR","FUSION",)
//   UkListModes  its second layout ("callsign",...,"TX","RX","modes",...,"ctcss/cc",...,
//                "lat","lon",)
//   Australian   the Australian national list (Output,Input,Call,...,Latitude,Longitude,S,
//                ...,Tone,Notes) with section rows such as {{2M;FM;VK2}}
//   Json         a directory's JSON export: an array of objects (or an object holding one
//                under "results") with keys Frequency, Input Freq, PL, TSQ, Callsign, ...
//   ChannelCsv   the channel CSV layout of channel_csv.h, which directories export too
// In the UK lists the repeater's output (txMHz, TX) is what the radio receives; its input
// (rxMHz, RX) what the radio transmits on, 0 for a beacon.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "directory/geo.h"
#include "editors/channel_csv.h"

namespace radioprog {

enum class DirectoryFormat { Unknown, UkList, UkListModes, Australian, Json, ChannelCsv };

// What a tone field of a directory says.
struct DirectoryTone {
    enum Kind {
        None,        // no tone (empty, "-", "CSQ": carrier squelch)
        Ctcss,       // value: the frequency as written ("162.2")
        Dcs,         // value: the code's digits ("023"); inverted: polarity I (or R)
        Withheld,    // "Restricted": the directory does not publish it
        ColourCode,  // a DMR colour code in a field shared with CTCSS tones
        Unreadable,  // anything else: value as written
    } kind = None;
    std::string value;
    bool inverted = false;
};

// Reads a tone field: "", "-", "CSQ", "88.5", "162.2", "D023", "D023N", "D754I", "023R",
// "Restricted", "CC1". A bare number up to 15 is a colour code only where the field mixes
// them with tones (colourCodes).
DirectoryTone ReadDirectoryTone(std::string_view text, bool colourCodes = false);

struct DirectoryEntry {
    int line = 0;            // 1-based line of the file (JSON: the entry's number, from 1)
    std::string callsign;    // as written
    std::string where;       // the place, as written
    std::string output;      // the repeater's output in MHz as written: what the radio receives
    std::string input;       // its input: what the radio transmits; empty or 0: none (beacon)
    DirectoryTone uplink;    // the tone the radio sends
    DirectoryTone downlink;  // the tone the repeater sends (tone squelch); None: open squelch
    bool fmAnalog = true;    // false: only digital modes (DMR, D-STAR, Fusion, ...)
    bool operational = true;
    std::optional<GeoPosition> position;  // from lat/lon, else the locator, else the NGR
    // ChannelCsv: the channel the existing import made of the row, and its warnings.
    std::optional<ChannelCellTexts> cells;
    std::vector<CsvProblem> csvWarnings;
    std::optional<CsvProblem> csvRefusal;  // the row the existing import refused
};

struct DirectoryFile {
    DirectoryFormat format = DirectoryFormat::Unknown;
    std::vector<DirectoryEntry> entries;  // in file order
    std::string error;                    // why nothing could be read (JSON syntax, ...)
};

// The format of a directory text, by its header line or, for JSON, its first character.
DirectoryFormat DetectDirectoryFormat(std::string_view text);
// Reads every entry of the text in the detected format. Unknown: no entries.
DirectoryFile ReadDirectory(std::string_view text);
// The JSON export (directory_json.cpp).
DirectoryFile ReadDirectoryJson(std::string_view text);

}  // namespace radioprog
