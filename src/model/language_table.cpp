// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/language_table.h"

#include <filesystem>
#include <new>
#include <sstream>
#include <system_error>

#include "model/ansi_text.h"
#include "model/data_paths.h"
#include "model/file_read.h"

namespace radioprog {

namespace {

// The extra rows' texts for a language file that lacks them, in row order from row 194.
// Menu captions follow the file's form: "&" before the accelerator, a tab before the key.
const std::array<std::string, lang_row::kEnd - lang_row::kFirstExtra>& BuiltInTexts() {
    static const std::array<std::string, lang_row::kEnd - lang_row::kFirstExtra> texts = {
        "&Undo\tCtrl+Z",
        "&Redo\tCtrl+Y",
        "Cu&t\tCtrl+X",
        "&Copy\tCtrl+C",
        "&Paste\tCtrl+V",
        "&Delete Channels\tDel",
        "&Insert Channel\tIns",
        "Mo&ve Up\tCtrl+Up",
        "Move Do&wn\tCtrl+Down",
        "&Import CSV...",
        "&Export CSV...",
        "Skipped Entries",
        "Row",
        "Channels imported:",
        "Backup saved to",
        "Backup not saved:",
        "Channel 127 is in use and will be lost. Insert anyway?",
        "Lines past channel 127 were not pasted",
        "The file has no Frequency column",
        "not a channel number 0-127",
        "channel already imported from an earlier row",
        "no frequency",
        "not a frequency",
        "outside 136-520 MHz",
        "not on the 5 or 6.25 kHz raster",
        "value not supported",
        "tone the radio cannot store",
        "Cannot read the file",
        "Cannot write the file",
        "Language file skipped (it has no usable rows):",
        "Byte",
        "(empty)",
        "Band limits",
        "Write failed at",
        "Read failed at",
        "Readings disagree at",
        "The radio did not store what was written:",
        "Written and verified",
        "Refused by the band check; nothing written",
        "Write to &Several Radios...",
        "Compare &With...",
        "&Verify Transfers",
        "Start",
        "Result",
        "Radios written:",
        "No differences",
        "File...",
        "Radio",
        "Differences",
        "Progress",
        "Cancelled",
        "outside the radio's usual bands 136-174 / 400-520 MHz",
        "the radio refuses the write if its bands exclude it",
        "beyond channel 127",
        "empty channel: enter its receive frequency first",
        "Warning (stored)",
        "Place the rows by their Location or in file order?",
        "By Location",
        "From channel",
        "Print Pre&view...",
        "The file already exists. Replace it?",
        "The file is not a radio image",
        "A transfer is running; the program closes when it ends.",
        "could not be opened: permission denied.",
        "Add your user to the device's group (usually dialout)",
        "then log out and in again:",
        "Please enter an unsigned integer.",
        "Please enter an integer between %1 and %2.",
        "Radio data files (*.dat)",
        "CSV files (*.csv)",
        "All files (*)",
        "No language file (lang.csv) was found. Looked in:",
        "C&hannels",
        "&Optional Functions",
        "&Batch Channels...",
        "DT&MF",
        "Cannot load the picture",
        "is busy: another program is using it.",
        "Close that program then try again.",
        "The text is larger than 16 MB and was not pasted",
        "Untitled",
        "Save &As...\tCtrl+Shift+S",
        "Save the changes to %1?",
        "&Save",
        "&Discard",
        "Recent &Files",
        "Unsaved changes from last time were found. Restore them?",
        "&Restore",
        "&Cancel Transfer\tEsc",
        " cancelled",
        "Nothing was changed.",
        "The radio may now hold a mix of old and new memory.",
        "Writing again fixes it.",
        "Nothing was written to the radio.",
        "Cancel the transfer and quit?",
        "Please check:",
        "the cable is plugged in",
        "the radio is switched on",
        "the right port is chosen",
        "Ports tried:",
        "no answer",
        "No serial port found",
        "channel table number",
        "This is not a regular file and is not read:",
        "This file is larger than 16 MB and is not read:",
        "There is not enough memory to read this file:",
        "Channels: from %1 to %2 and the first not above the last.",
        "Name changed to what the radio can hold",
        "Outside 136-520 MHz: %1 was stored as %2",
    };
    return texts;
}

}  // namespace

const std::string& BuiltInRowText(int row) {
    static const std::string kEmpty;
    if (row < lang_row::kFirstExtra || row >= lang_row::kEnd) return kEmpty;
    return BuiltInTexts()[static_cast<std::size_t>(row - lang_row::kFirstExtra)];
}

std::vector<std::string> InitialLanguageRows() {
    std::vector<std::string> rows(kLanguageRowCount);
    for (int r = lang_row::kFirstExtra; r < kLanguageRowCount; ++r)
        rows[static_cast<std::size_t>(r)] = BuiltInRowText(r);
    return rows;
}

const std::string& LanguageTable::row(int r) const {
    static const std::string kEmpty;
    return r >= 0 && static_cast<std::size_t>(r) < rows.size() ? rows[static_cast<std::size_t>(r)] : kEmpty;
}

int LanguageTable::nameCount() const {
    int n = 0;
    while (n < kLanguageNameCount && !names[static_cast<std::size_t>(n)].empty()) ++n;
    return n;
}

int DefaultLanguageIndex() { return 2; }

std::size_t ReadCsvField(const std::string& line, std::size_t start, std::string& field, std::size_t limit) {
    field.clear();
    if (start > line.size()) return start;
    std::size_t end = line.find(',', start);
    if (end == std::string::npos) end = line.size();
    field = AnsiPrefix(std::string_view(line).substr(start, end - start), limit);
    return end + 1;
}

namespace {

bool ReadLine(std::istream& in, std::string& line, bool first) {
    if (!std::getline(in, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (first && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
    return true;
}

}  // namespace

namespace {

// LoadLanguageStream's work; returns -1 without a first line, else the number of lines for
// rows 0..193 that hold a text in any column.
int LoadLanguageRows(std::istream& in, LanguageTable& table) {
    std::string line;
    if (!ReadLine(in, line, true)) return -1;

    std::size_t position = 0;
    std::string field;
    for (int n = 0; n < kLanguageNameCount && AnsiLength(std::string_view(line).substr(
                                                  0, std::min(position, line.size()))) < kLanguageNameLineLimit;
         ++n) {
        position = ReadCsvField(line, position, field);
        if (field.empty()) break;
        table.names[static_cast<std::size_t>(n)] = field;
        if (position > line.size()) break;
    }

    std::size_t row = 0;
    int supplied = 0;
    for (; row < table.rows.size() && ReadLine(in, line, false); ++row) {
        position = 0;
        for (int skip = 0; skip < table.index; ++skip) position = ReadCsvField(line, position, field);
        ReadCsvField(line, position, field);
        if (row < kBaseLanguageRowCount && line.find_first_not_of(",") != std::string::npos) ++supplied;
        table.rows[row] = field;
    }
    // A file written before the extra rows existed (or a language that lacks them) must
    // not leave a menu caption empty or in the previous language.
    for (std::size_t r = kBaseLanguageRowCount; r < table.rows.size(); ++r)
        if (r >= row || table.rows[r].empty()) table.rows[r] = BuiltInRowText(static_cast<int>(r));
    return supplied;
}

std::vector<std::string> LanguageFileCandidates() { return FindDataFiles({"lang.csv", "language.csv"}); }

}  // namespace

bool LoadLanguageStream(std::istream& in, LanguageTable& table) { return LoadLanguageRows(in, table) >= 0; }

std::string FindLanguageFile() {
    std::vector<std::string> found = LanguageFileCandidates();
    return found.empty() ? std::string() : found.front();
}

std::string LoadLanguageFile(LanguageTable& table, bool resetToDefault, std::vector<std::string>* skipped) {
    if (resetToDefault) table.index = DefaultLanguageIndex();
    for (const std::string& path : LanguageFileCandidates()) {
        FileContent content = ReadWholeFile(path);
        if (content.ok) {
            try {
                // Loaded into a copy: a file without usable rows must not blank the table.
                LanguageTable loaded = table;
                std::istringstream in(std::move(content.bytes));
                if (LoadLanguageRows(in, loaded) > 0) {
                    table = std::move(loaded);
                    return path;
                }
            } catch (const std::bad_alloc&) {
            }
        }
        if (skipped) {
            std::error_code ec;
            std::filesystem::path absolute = std::filesystem::absolute(path, ec);
            skipped->push_back(ec ? path : absolute.lexically_normal().string());
        }
    }
    return {};
}

std::vector<LanguageTable> LoadEveryLanguage(const LanguageTable& current) {
    std::vector<LanguageTable> tables{current};
    for (int index = 0; index < kLanguageNameCount; ++index) {
        if (index == current.index) continue;
        LanguageTable table;
        table.index = index;
        if (!LoadLanguageFile(table, false).empty() && index < table.nameCount()) tables.push_back(std::move(table));
    }
    return tables;
}

}  // namespace radioprog
