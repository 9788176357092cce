// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The language table: every text the user sees comes from one column of a comma-separated
// file ("lang.csv", else "language.csv"). Line 1 names the languages; line k + 2 is row k.
#include <array>
#include <cstddef>
#include <initializer_list>
#include <istream>
#include <string>
#include <vector>

#include "model/extra_rows.h"

namespace radioprog {

// Rows 0..193 are the program's classic rows; the rows after them (model/extra_rows.h)
// have a built-in English text that is used whenever the file does not supply one.
inline constexpr int kBaseLanguageRowCount = lang_row::kFirstExtra;
inline constexpr int kLanguageRowCount = lang_row::kEnd;  // rows the loader reads
inline constexpr int kLanguageNameCount = 32;
inline constexpr std::size_t kLanguageFieldLimit = 60;  // counted as the code page counts
inline constexpr std::size_t kLanguageNameLineLimit = 256;

// The built-in English text of an extra row; empty for rows 0..193.
const std::string& BuiltInRowText(int row);
// The shipped English text of any row, rows 0..193 included.
std::string ShippedEnglishRowText(int row);

// A table before any file: rows 0..193 empty, the extra rows in built-in English.
std::vector<std::string> InitialLanguageRows();

struct LanguageTable {
    std::vector<std::string> rows = InitialLanguageRows();
    std::array<std::string, kLanguageNameCount> names{};
    int index = 2;  // the column in use

    // Row r's text; an empty text for a row the table does not have.
    const std::string& row(int r) const;
    int nameCount() const;  // names up to the first empty one
};

int DefaultLanguageIndex();

// A row's text with "%1", "%2", ... replaced by the values in order (each mark once; a
// language that leaves a mark out leaves the value out).
std::string FillArguments(std::string text, std::initializer_list<std::string> values);

// Reads the field that starts at byte position start of line: up to the next "," or the
// line end, at most limit code-page bytes (never inside a character); the rest of a longer
// field is skipped. Returns the position after the character that ended the field. A start
// past the line end gives an empty field.
std::size_t ReadCsvField(const std::string& line, std::size_t start, std::string& field,
                         std::size_t limit = kLanguageFieldLimit);

// Loads names and rows from a stream into the table at the table's index; names the stream
// does not supply keep their texts, a row past the stream's last line gets its shipped
// English text, and so does an extra row the stream supplies empty. False when the stream has no
// first line.
bool LoadLanguageStream(std::istream& in, LanguageTable& table);

// The first language file: "lang.csv", else "language.csv", looked for in the data
// directories. Empty when there is none.
std::string FindLanguageFile();

// (Re)loads the table from the first usable language file; with resetToDefault the index is
// first set to DefaultLanguageIndex(). A file that cannot be read (not a regular file, over
// 16 MB) or has no text in any line for rows 0..193 (empty, header only, CR only) is
// skipped, added to *skipped (as an absolute path), and the search goes on. With no usable file the table
// stays as it was. Returns the path read, or an empty text when no file was used.
// A language file that was used although it is not whole: its rows end before the layout's
// 194 (the rows after it show the built-in English), or its first line names no language.
struct LanguageFileFlaws {
    std::string path;
    int firstMissingLine = 0;  // the file's line number of the first missing row; 0: none missing
    bool namesNoLanguage = false;
    bool any() const { return firstMissingLine != 0 || namesNoLanguage; }
};
std::string LoadLanguageFile(LanguageTable& table, bool resetToDefault, std::vector<std::string>* skipped = nullptr,
                             LanguageFileFlaws* flaws = nullptr);
// The flaws in the table's words, one sentence each.
std::vector<std::string> LanguageFileFlawTexts(const LanguageFileFlaws& flaws, const LanguageTable& language);

// The table in use and a table for every other language of the language file, for
// recognising texts whatever the language they were written in.
std::vector<LanguageTable> LoadEveryLanguage(const LanguageTable& current);

}  // namespace radioprog
