// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/delimited_text.h"

#include <algorithm>
#include <array>

namespace radioprog {

DelimitedReader::DelimitedReader(std::string_view text, char separator) : text_(text), separator_(separator) {
    if (text_.substr(0, 3) == "\xEF\xBB\xBF") text_.remove_prefix(3);
}

bool DelimitedReader::next(DelimitedRecord& record) {
    if (at_ >= text_.size()) return false;
    record.line = line_;
    record.fields.clear();
    std::string field;
    bool quoted = false;     // inside a quoted part
    bool fieldStart = true;  // nothing of the current field read yet
    auto endField = [&] {
        if (record.fields.size() < kMaxDelimitedFields) record.fields.push_back(field);
        field.clear();
        fieldStart = true;
    };
    const std::string_view text = text_;
    std::size_t i = at_;
    for (; i < text.size(); ++i) {
        char c = text[i];
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
                if (c == '\n' || c == '\r') ++line_;
            }
            continue;
        }
        if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            ++line_;
            at_ = i + 1;
            endField();
            return true;
        }
        if (c == separator_) {
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
    at_ = i;
    endField();
    return true;
}

std::size_t DelimitedLineCount(std::string_view text) {
    std::size_t lines = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\n' && text[i] != '\r') continue;
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        ++lines;
    }
    const bool openLastLine = !text.empty() && text.back() != '\n' && text.back() != '\r';
    return lines + (openLastLine ? 1 : 0);
}

std::vector<DelimitedRecord> ParseDelimitedText(std::string_view text, char separator, bool* tooManyLines,
                                                int maxLines) {
    if (tooManyLines) *tooManyLines = false;
    if (DelimitedLineCount(text) > static_cast<std::size_t>(maxLines)) {
        if (tooManyLines) *tooManyLines = true;
        return {};
    }
    std::vector<DelimitedRecord> records;
    DelimitedReader reader(text, separator);
    DelimitedRecord record;
    while (reader.next(record)) records.push_back(std::move(record));
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
