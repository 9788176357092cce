#include "model/language_table.h"

#include <fstream>

#include "model/ansi_text.h"
#include "model/data_paths.h"

namespace radioprog {

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

bool LoadLanguageStream(std::istream& in, LanguageTable& table) {
    std::string line;
    if (!ReadLine(in, line, true)) return false;

    std::size_t position = 0;
    std::string field;
    for (int n = 0; n < kLanguageNameCount && AnsiLength(std::string_view(line).substr(0, std::min(position, line.size()))) < kLanguageNameLineLimit; ++n) {
        position = ReadCsvField(line, position, field);
        if (field.empty()) break;
        table.names[static_cast<std::size_t>(n)] = field;
        if (position > line.size()) break;
    }

    for (std::size_t row = 0; row < table.rows.size() && ReadLine(in, line, false); ++row) {
        position = 0;
        for (int skip = 0; skip < table.index; ++skip) position = ReadCsvField(line, position, field);
        ReadCsvField(line, position, field);
        table.rows[row] = field;
    }
    return true;
}

std::string FindLanguageFile() { return FindDataFile({"lang.csv", "language.csv"}); }

std::string LoadLanguageFile(LanguageTable& table, bool resetToDefault) {
    if (resetToDefault) table.index = DefaultLanguageIndex();
    std::string path = FindLanguageFile();
    if (path.empty()) return {};
    std::ifstream in(path, std::ios::binary);
    if (!in || !LoadLanguageStream(in, table)) return {};
    return path;
}

}  // namespace radioprog
