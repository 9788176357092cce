// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/language_table.h"

#include <filesystem>
#include <new>
#include <sstream>
#include <system_error>

#include "model/ansi_text.h"
#include "model/built_in_english.h"
#include "model/data_paths.h"
#include "model/file_path.h"
#include "model/file_read.h"

namespace radioprog {

namespace {

// The extra rows' texts for a language file that lacks them, in row order from row 194,
// written at build time from the English column of data/lang.csv.
// Menu captions follow the file's form: "&" before the accelerator, a tab before the key.
const std::array<std::string, lang_row::kEnd - lang_row::kFirstExtra>& BuiltInTexts() {
    static_assert(lang_row::kBuiltInEnglish.size() == std::size_t{lang_row::kEnd - lang_row::kFirstExtra},
                  "data/lang.csv and the names of model/extra_rows.h differ in number");
    static const auto texts = [] {
        std::array<std::string, lang_row::kEnd - lang_row::kFirstExtra> strings;
        for (std::size_t i = 0; i < strings.size(); ++i) strings[i] = lang_row::kBuiltInEnglish[i];
        return strings;
    }();
    return texts;
}

}  // namespace

const std::string& BuiltInRowText(int row) {
    static const std::string kEmpty;
    if (row < lang_row::kFirstExtra || row >= lang_row::kEnd) return kEmpty;
    return BuiltInTexts()[static_cast<std::size_t>(row - lang_row::kFirstExtra)];
}

// The shipped English of any row, the base rows included.
std::string ShippedEnglishRowText(int row) {
    if (row >= 0 && row < lang_row::kFirstExtra) return lang_row::kBuiltInBaseEnglish[static_cast<std::size_t>(row)];
    return BuiltInRowText(row);
}

std::vector<std::string> InitialLanguageRows() {
    std::vector<std::string> rows(kLanguageRowCount);
    for (int r = lang_row::kFirstExtra; r < kLanguageRowCount; ++r)
        rows[static_cast<std::size_t>(r)] = BuiltInRowText(r);
    return rows;
}

std::string FillArguments(std::string text, std::initializer_list<std::string> values) {
    int number = 1;
    for (const std::string& value : values) {
        const std::string mark = "%" + std::to_string(number++);
        if (std::size_t at = text.find(mark); at != std::string::npos) text.replace(at, mark.size(), value);
    }
    return text;
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

struct LoadedRows {
    int supplied = -1;     // lines for rows 0..193 that hold a text in any column; -1: no first line
    std::size_t read = 0;  // rows the file has a line for
};

// LoadLanguageStream's work.
LoadedRows LoadLanguageRows(std::istream& in, LanguageTable& table) {
    std::string line;
    if (!ReadLine(in, line, true)) return {};

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
    // not leave a menu caption empty or in the previous language; nor may a file that ends
    // early leave the rows after it blank.
    for (std::size_t r = 0; r < table.rows.size(); ++r)
        if (r >= row || (r >= kBaseLanguageRowCount && table.rows[r].empty()))
            table.rows[r] = ShippedEnglishRowText(static_cast<int>(r));
    return {supplied, row};
}

std::vector<std::string> LanguageFileCandidates() { return FindDataFiles({"lang.csv", "language.csv"}); }

}  // namespace

bool LoadLanguageStream(std::istream& in, LanguageTable& table) { return LoadLanguageRows(in, table).supplied >= 0; }

std::string FindLanguageFile() {
    std::vector<std::string> found = LanguageFileCandidates();
    return found.empty() ? std::string() : found.front();
}

std::string LoadLanguageFile(LanguageTable& table, bool resetToDefault, std::vector<std::string>* skipped,
                             LanguageFileFlaws* flaws) {
    if (resetToDefault) table.index = DefaultLanguageIndex();
    for (const std::string& path : LanguageFileCandidates()) {
        FileContent content = ReadWholeFile(path);
        if (content.ok) {
            try {
                // Loaded into a copy: a file without usable rows must not blank the table.
                LanguageTable loaded = table;
                std::istringstream in(std::move(content.bytes));
                if (const LoadedRows rows = LoadLanguageRows(in, loaded); rows.supplied > 0) {
                    if (flaws) {
                        *flaws = {path, 0, loaded.nameCount() == 0};
                        if (rows.read < static_cast<std::size_t>(kBaseLanguageRowCount))
                            flaws->firstMissingLine = static_cast<int>(rows.read) + 2;
                    }
                    table = std::move(loaded);
                    return path;
                }
            } catch (const std::bad_alloc&) {
            }
        }
        if (skipped) {
            std::error_code ec;
            std::filesystem::path absolute = std::filesystem::absolute(FilePath(path), ec);
            skipped->push_back(ec ? path : PathText(absolute.lexically_normal()));
        }
    }
    return {};
}

std::vector<std::string> LanguageFileFlawTexts(const LanguageFileFlaws& flaws, const LanguageTable& language) {
    std::vector<std::string> texts;
    if (flaws.firstMissingLine)
        texts.push_back(FillArguments(language.row(lang_row::kLanguageFileEndsEarly),
                                      {flaws.path, std::to_string(flaws.firstMissingLine)}));
    if (flaws.namesNoLanguage)
        texts.push_back(FillArguments(language.row(lang_row::kLanguageFileNoNames), {flaws.path}));
    return texts;
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
