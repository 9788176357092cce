// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Tab- and comma-separated text as spreadsheets write it: fields separated by one character,
// lines ended by LF, CR LF or CR, a field in double quotes may hold separators, line ends
// and doubled quotes.
#include <string>
#include <string_view>
#include <vector>

namespace radioprog {

struct DelimitedRecord {
    int line;  // 1-based line of the text where the record starts
    std::vector<std::string> fields;
};

// More lines than any channel list could need: such a text is refused, so a text of line
// ends alone cannot make the parser hold millions of records.
inline constexpr int kMaxDelimitedLines = 100000;

// No spreadsheet line a channel list or directory needs has more fields than this: later
// fields of a record are skipped, so a line of millions of separators holds no more memory
// than this many fields.
inline constexpr std::size_t kMaxDelimitedFields = 1024;

// Reads the text record by record, so a long text holds only one record at a time; the rules
// are those of ParseDelimitedText.
class DelimitedReader {
public:
    DelimitedReader(std::string_view text, char separator);
    // The next record, false at the end of the text.
    bool next(DelimitedRecord& record);

private:
    std::string_view text_;
    char separator_;
    std::size_t at_ = 0;
    int line_ = 1;
};

// The lines of the text, line ends inside quotes included (CR LF counts once; a final line
// end begins no line).
std::size_t DelimitedLineCount(std::string_view text);

// Splits the text into records, in one pass. A UTF-8 byte-order mark at the start is
// skipped; the line end after the last record does not make an empty record; empty lines
// inside the text are records with one empty field. Quotes count only at the start of a
// field; text after a closing quote is kept as it is. Nothing (and tooManyLines set, when
// given) for a text of more than maxLines lines, line ends inside quotes included.
std::vector<DelimitedRecord> ParseDelimitedText(std::string_view text, char separator, bool* tooManyLines = nullptr,
                                                int maxLines = kMaxDelimitedLines);

// The separator a header line uses: the one of tab, comma and semicolon that occurs most
// often outside quotes (comma when none does).
char GuessSeparator(std::string_view text);

// The field as written in a record: in double quotes (quotes doubled) when it holds the
// separator, a quote, a line end, or leading or trailing blanks.
std::string QuoteField(std::string_view field, char separator);

// The record's fields quoted as needed and joined, without a line end.
std::string JoinFields(const std::vector<std::string>& fields, char separator);

}  // namespace radioprog
