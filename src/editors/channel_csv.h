// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CSV export and import of the channels in the column layout that open-source radio
// programming software reads and writes: a header line of named columns (Location, Name,
// Frequency, Duplex, Offset, Tone, rToneFreq, cToneFreq, DtcsCode, DtcsPolarity,
// RxDtcsCode, CrossMode, Mode, TStep, Skip, Power, Comment, URCALL, RPT1CALL, RPT2CALL,
// DVCODE), then one line per channel. Two columns of our own carry what that layout has no
// column for: BusyLock (busy-channel lockout, "Yes"/"No") and Signal (the optional
// signalling number 1..15 as the grid shows it); other programs ignore them.
//
// Field mapping:
//   Location   channel number 0..127 as the grid shows it
//   Name       up to 7 characters 0-9 A-Z (import: upper-cased, other characters dropped)
//   Frequency  receive frequency in MHz
//   Duplex     "" transmit = receive; "+"/"-" transmit = receive +/- Offset; "split"
//              Offset is the transmit frequency; "off" no transmit frequency
//   Tone ...   receive and transmit tone: "" none; "Tone" transmit CTCSS rToneFreq;
//              "TSQL" CTCSS cToneFreq both ways; "DTCS" DCS DtcsCode both ways;
//              "Cross" with CrossMode "<transmit>-><receive>", each side "", "Tone" or
//              "DTCS" (transmit: rToneFreq or DtcsCode, receive: cToneFreq or RxDtcsCode);
//              DtcsPolarity: transmit then receive, N normal, R inverted
//   Mode       "FM" wide, "NFM" narrow (flag bit 12)
//   Skip       "" or "P" scan add on, "S" off (flag bit 14)
//   Power      watts (flag bit 13): High "5.0W", Low "1.0W" (power_levels.h); import also
//              takes "High"/"Low" and maps any number of watts to the nearer level
//   TStep, Comment and the digital-voice columns are written with neutral values and ignored.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/dat_file.h"
#include "model/language_table.h"
#include "model/radio_image.h"
#include "radio/channel_values.h"

namespace radioprog {

// Every column the export writes, in order.
const std::vector<std::string>& CsvColumns();

// The channels in use, one line each in channel order, after the header line; LF line
// ends, comma separators, fields quoted when they need it.
std::string ExportChannelsCsv(const RadioImage& image);

enum class CsvReason {
    NoFrequencyColumn,  // the header has no Frequency column: nothing is imported
    BadLocation,        // not a channel number 0..127
    DuplicateLocation,  // an earlier row already imported this channel
    NoFrequency,        // empty Frequency
    NotAFrequency,      // Frequency or Offset is not a number of MHz
    OutOfBand,          // receive or transmit frequency outside 136..520 MHz
    OffRaster,          // not on the 5 kHz or 6.25 kHz raster
    UnsupportedValue,   // Duplex, Tone, CrossMode, DtcsPolarity, Mode, Skip, Power, ...
    UnstorableTone,     // a CTCSS tone or DCS code the radio's lists do not have
    BandGap,            // between the usual bands (usual_bands.h): stored with a warning,
                        // or refused with strictBands
    PastLastChannel,    // placed in file order, the row would go beyond channel 127
    EmptyChannel,       // paste: a cell of a channel that has no receive frequency
    TooManyLines,       // more lines than any channel list needs: nothing is imported
    NameChanged,        // stored with a warning: the name as the radio holds it ("old -> new")
};

// The language row of a reason's text.
int CsvReasonRow(CsvReason reason);

// A skipped row of an import, or a warning about a stored one.
struct CsvProblem {
    int line;            // 1-based line of the file (the header is line 1)
    std::string column;  // the column as the header names it; empty for the whole row
    CsvReason reason;
    std::string text;     // the offending field
    bool stored = false;  // a warning: the row was imported
};

struct CsvImportOptions {
    bool strictBands = false;         // refuse rows with a frequency in the band gap
    std::optional<int> firstChannel;  // place rows in file order from here, ignoring Location
};

struct CsvImportReport {
    bool headerOk = true;              // false: no Frequency column (or far too many lines), the image is unchanged
    std::vector<int> channels;         // channels written, in file order
    std::vector<int> channelLines;     // the file line of each channel written
    std::vector<CsvProblem> problems;  // skipped rows and warnings, in file order
};

// Imports CSV text (comma, tab or semicolon separators, guessed from the header line; any
// line ends; quoted fields; a UTF-8 byte-order mark). Columns are found by name, ASCII case
// and surrounding blanks ignored; unknown columns are ignored and missing ones take the
// values of a new channel in the grid. Rows go to the channel their Location names; with
// options.firstChannel, or without a Location column (from channel 0), the n-th row goes to
// channel firstChannel + n - 1 whatever its Location, and rows beyond channel 127 are
// reported. Each row replaces its channel as if the user emptied it and typed the row's
// values into the grid; a row with a value the grid could not store is skipped and reported
// (its first problem). A frequency between the usual bands is stored with a warning, or
// the row skipped with options.strictBands. Empty lines are ignored; channels not named in
// the file keep their contents.
CsvImportReport ImportChannelsCsv(RadioImage& image, std::string_view text, const CsvImportOptions& options = {});

// A channel's cells as the grid's editors hand them over (frequencies "MMM.FFFFF", tone
// list entries, the cell texts of CsvCellLanguage()); an empty tx means no transmit.
struct ChannelCellTexts {
    std::string rx, tx, rxTone, txTone, power, bandwidth, bit14, busyLockout, signalling, name;
};
// The fixed cell texts the import hands to the cell rules ("High", "Wide", "Off", ...):
// they only select bits, so they are independent of the user's language file.
const LanguageTable& CsvCellLanguage();
// Replaces channel n by the cells, as if the user emptied it and typed them into the grid.
void StoreChannelCells(RadioImage& image, int n, const ChannelCellTexts& cells);
// A name as the radio holds it: characters it has no code for dropped, upper case, at most
// kChannelNameLength characters.
std::string RadioChannelName(const std::string& text);

// True when the CSV text's header line names the column (as the import finds columns).
bool CsvHasColumn(std::string_view text, std::string_view column);

// The reason a frequency text is refused for.
CsvReason FrequencyReason(FrequencyProblem problem);
// The text of a reason in the table's language.
std::string CsvReasonText(CsvReason reason, const LanguageTable& language);
// "<Row> <line>: <column>: <reason> (<text>)" in the table's language; a warning reads
// "<Row> <line>: <Warning>: <column>: ...".
std::string CsvProblemText(const CsvProblem& problem, const LanguageTable& language);

}  // namespace radioprog
