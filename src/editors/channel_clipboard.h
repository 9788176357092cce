// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Copy, cut and paste of whole channels as tab-separated text, the form spreadsheets put on
// the clipboard. A copied line holds the 12 texts the grid shows for the channel, column 0
// (the channel number) included, so the block reads like the grid in a spreadsheet and
// pastes back unchanged. Paste reads every line the same way: field k is grid column k,
// and the first field (the channel number) and the second (the band text) are never stored.
// A first line that is a header (the table's own, in any language, or the CSV header) is
// skipped, and a single column of values pastes into one column.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "editors/channel_csv.h"
#include "model/language_table.h"
#include "model/radio_image.h"
#include "radio/channel_cells.h"

namespace radioprog {

// The channels of the set (sorted, each once, 0..127) as one line each: the 12 grid texts
// joined by tabs, every line ended by LF.
std::string CopyChannels(const RadioImage& image, const LanguageTable& language, const std::vector<int>& channels);

// CopyChannels, then the channels are deleted as DeleteChannels does (erased to 0xFF).
std::string CutChannels(RadioImage& image, const LanguageTable& language, const std::vector<int>& channels);

// A pasted cell that was not stored, or a warning about a stored one.
struct PasteProblem {
    int channel;  // 0..127
    int column;   // grid column 2..11
    std::string text;
    CsvReason reason = CsvReason::UnsupportedValue;  // why, as the CSV import says it
    bool stored = false;                             // a warning: the cell was stored
    bool operator==(const PasteProblem&) const = default;
};

struct PasteReport {
    int firstChannel = 0;       // the channels the lines went to: firstChannel .. lastChannel
    int lastChannel = -1;       // (lastChannel < firstChannel: no line was pasted)
    int linesPastEnd = 0;       // lines that would have gone past channel 127; not pasted
    bool tooLarge = false;      // text over 16 MB (or beyond the memory left): nothing pasted
    bool tooManyLines = false;  // text of more than kMaxDelimitedLines lines: nothing pasted
    bool headerSkipped = false;
    std::vector<PasteProblem> problems;
};

struct PasteTarget {
    int firstChannel = 0;
    // The current column: a block of single values (one field a line) pastes into it; in
    // columns 0 and 1, which hold nothing to paste, into the receive frequency.
    int column = 0;
    // Header lines to recognise: the grid's column headers in every language there is.
    std::vector<ChannelRow> headers;
    // The other languages whose list texts ("Wide", "Yes", the tone list's "Off") a pasted
    // cell may hold: rows copied before the language was switched paste as they were.
    std::vector<LanguageTable> otherLanguages;
};

// The grid's header row in each of the tables.
std::vector<ChannelRow> ChannelHeaders(const std::vector<LanguageTable>& languages);

// Pastes tab-separated text (LF, CR LF or CR line ends; empty lines at the end ignored;
// quoted fields accepted) line by line into the channels from `firstChannel` on; nothing
// past channel 127 is touched. Each line goes through the cell rules as if the user typed
// its cells into the grid, receive frequency first:
// - Column 2: a frequency creates the channel with the new-channel values when it is empty
//   (then the line's other cells replace those values), or changes it; an empty field
//   empties (deletes) a channel in use and skips the rest of the line, because the cells of
//   an empty channel cannot be edited.
// - Columns 3..11 in order (receive tone before transmit tone): column 3 empty clears the
//   transmit frequency; an empty field in columns 4..10 leaves the value as it is; an empty
//   name empties the name.
// A cell is stored only when its editor could have produced it: a frequency 136..520 MHz on
// the 5 or 6.25 kHz raster; a tone, power, bandwidth, bit-14, lockout or signalling text of
// the column's list (ASCII case ignored; a CTCSS tone may lose its ".0"); a name of at most
// 7 digits and letters. Any other cell is skipped and reported; an invalid frequency for an
// empty channel skips its whole line (only that cell is reported). A line with fewer fields
// leaves the columns it lacks as they are. A frequency between the usual bands is stored with
// a warning. Text over kMaxInputBytes (no channel list is near that) is refused whole, and so
// is text that cannot be parsed in the memory left.
// A first line whose fields are all header texts of target.headers, or that has a field
// "Frequency" (the CSV header), is skipped. When every line has a single field, line i
// goes to column target.column of channel firstChannel + i by the same rules; a cell of an
// empty channel other than its receive frequency is reported.
PasteReport PasteChannels(RadioImage& image, const LanguageTable& language, const PasteTarget& target,
                          const std::string& text);
PasteReport PasteChannels(RadioImage& image, const LanguageTable& language, int firstChannel, const std::string& text);

// "<row 1> <channel> <column header>: <reason> (<text>)", a line of the paste report; a
// warning has "<Warning>: " before the reason.
// The text a column's editor stores for a typed or pasted cell text: a list's entry as the
// language in use names it (named in that language or one of the others, ignoring the case
// of ASCII letters), a frequency on the grid's raster, a name as typed; nullopt with the
// reason when the column cannot hold it. A frequency between the usual bands is stored and
// marked inBandGap.
struct CellTextCheck {
    std::optional<std::string> text;
    CsvReason reason = CsvReason::UnsupportedValue;
    bool inBandGap = false;
};
CellTextCheck CheckCellText(int column, const std::string& text, const LanguageTable& language,
                            const std::vector<LanguageTable>& others = {});

std::string PasteProblemText(const PasteProblem& problem, const LanguageTable& language);

}  // namespace radioprog
