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
//   Power      "High"/"Low" (flag bit 13); on import numbers of watts are ranked: the
//              highest power in the file is High, every lower one Low
//   TStep, Comment and the digital-voice columns are written with neutral values and ignored.
#include <string>
#include <string_view>
#include <vector>

#include "model/dat_file.h"
#include "model/language_table.h"
#include "model/radio_image.h"

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
};

// The language row of a reason's text.
int CsvReasonRow(CsvReason reason);

// A skipped row of an import.
struct CsvProblem {
    int line;            // 1-based line of the file (the header is line 1)
    std::string column;  // the column as the header names it; empty for the whole row
    CsvReason reason;
    std::string text;    // the offending field
};

struct CsvImportReport {
    bool headerOk = true;       // false: no Frequency column, the image is unchanged
    std::vector<int> channels;  // channels written, in file order
    std::vector<CsvProblem> problems;
};

// Imports CSV text (comma, tab or semicolon separators, guessed from the header line; any
// line ends; quoted fields; a UTF-8 byte-order mark). Columns are found by name, ASCII case
// and surrounding blanks ignored; unknown columns are ignored and missing ones take the
// values of a new channel in the grid. Without a Location column the rows go to channels
// 0, 1, 2, ... in order. Each row replaces its channel as if the user emptied it and typed
// the row's values into the grid; a row with a value the grid could not store is skipped
// and reported (its first problem). Empty lines are ignored; channels not named in the
// file keep their contents.
CsvImportReport ImportChannelsCsv(RadioImage& image, std::string_view text);

// "<Row> <line>: <column>: <reason> (<text>)" in the table's language.
std::string CsvProblemText(const CsvProblem& problem, const LanguageTable& language);

// The whole file as text; false and the reason when it cannot be read.
bool ReadTextFile(const std::string& path, std::string& text, std::string& error);

}  // namespace radioprog
