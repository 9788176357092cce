// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/delimited_text.h"

#include <algorithm>
#include <array>

namespace radioprog {

std::vector<DelimitedRecord> ParseDelimitedText(std::string_view text, char separator, bool* tooManyLines,
                                                int maxLines) {
    if (tooManyLines) *tooManyLines = false;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    std::vector<DelimitedRecord> records;
    DelimitedRecord record{1, {}};
    std::string field;
    int line = 1;
    bool quoted = false;      // inside a quoted part
    bool fieldStart = true;   // nothing of the current field read yet
    bool recordOpen = false;  // something of the current record read

    auto endField = [&] {
        record.fields.push_back(field);
        field.clear();
        fieldStart = true;
    };
    auto endRecord = [&] {
        endField();
        records.push_back(std::move(record));
        record = DelimitedRecord{line, {}};
        recordOpen = false;
    };

    for (std::size_t i = 0; i < text.size(); ++i) {
        // The line about to begin would be one too many (a final line end begins none).
        if (line > maxLines) {
            if (tooManyLines) *tooManyLines = true;
            return {};
        }
        char c = text[i];
        bool lineEnd = c == '\n' || c == '\r';
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                    field += '\r';
                    c = text[++i];
                }
                field += c;
                if (c == '\n' || c == '\r') ++line;
            }
            continue;
        }
        if (lineEnd) {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            ++line;
            endRecord();
            continue;
        }
        recordOpen = true;
        if (c == separator) {
            endField();
        } else if (c == '"' && fieldStart) {
            quoted = true;
            fieldStart = false;
        } else {
            field += c;
            fieldStart = false;
        }
    }
    // The last line may lack its line end; an open quote runs to the end of the text.
    if (recordOpen || quoted || !field.empty() || !record.fields.empty()) endRecord();
    return records;
}

char GuessSeparator(std::string_view text) {
    constexpr std::array<char, 3> kCandidates = {'\t', ',', ';'};
    std::array<int, 3> counts{};
    bool quoted = false;
    for (char c : text) {
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        if (c == '\n' || c == '\r') break;
        for (std::size_t k = 0; k < kCandidates.size(); ++k)
            if (c == kCandidates[k]) ++counts[k];
    }
    auto best = std::max_element(counts.begin(), counts.end());
    return *best == 0 ? ',' : kCandidates[static_cast<std::size_t>(best - counts.begin())];
}

std::string QuoteField(std::string_view field, char separator) {
    bool needsQuotes = field.find_first_of(std::string{separator, '"', '\n', '\r'}) != std::string_view::npos ||
                       (!field.empty() && (field.front() == ' ' || field.back() == ' '));
    if (!needsQuotes) return std::string(field);
    std::string quoted = "\"";
    for (char c : field) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string JoinFields(const std::vector<std::string>& fields, char separator) {
    std::string joined;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i) joined += separator;
        joined += QuoteField(fields[i], separator);
    }
    return joined;
}

}  // namespace radioprog
