// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/channel_clipboard.h"

#include <algorithm>
#include <new>
#include <optional>

#include "editors/channel_commit.h"
#include "editors/channel_editors.h"
#include "editors/channel_rows.h"
#include "editors/delimited_text.h"
#include "model/ascii_text.h"
#include "model/channel_record.h"
#include "model/file_read.h"
#include "radio/channel_cells.h"
#include "radio/channel_values.h"
#include "radio/usual_bands.h"

namespace radioprog {

namespace {

constexpr char kTab = '\t';

bool IsNameText(const std::string& text) {
    if (text.size() > static_cast<std::size_t>(kChannelNameLength)) return false;
    return std::all_of(text.begin(), text.end(), [](char c) { return NameCharToCode(c) != 0xFF; });
}

// The entry of the current language's list that a text names, in the current language or
// in one of the others (the entry at the same place of that language's list).
std::optional<std::string> ListEntry(CellEditor editor, const std::string& text, const LanguageTable& language,
                                     const std::vector<LanguageTable>& others) {
    const std::vector<std::string> entries = EditorChoices(editor, language);
    for (const std::string& entry : entries)
        if (EqualsIgnoringCase(entry, text)) return entry;
    for (const LanguageTable& other : others) {
        const std::vector<std::string> theirs = EditorChoices(editor, other);
        for (std::size_t i = 0; i < theirs.size() && i < entries.size(); ++i)
            if (EqualsIgnoringCase(theirs[i], text)) return entries[i];
    }
    return std::nullopt;
}

}  // namespace

CellTextCheck CheckCellText(int column, const std::string& text, const LanguageTable& language,
                            const std::vector<LanguageTable>& others) {
    switch (column) {
    case column::kRxFrequency:
    case column::kTxFrequency: {
        FrequencyCheck check = CheckFrequencyText(text);
        if (check.problem != FrequencyProblem::None) return {std::nullopt, FrequencyReason(check.problem)};
        return {GridFrequencyText(check.units), CsvReason::BandGap, InUsualBandGap(check.units)};
    }
    case column::kRxTone:
    case column::kTxTone: {
        const std::string& offText = language.row(lang_row::kToneOff);
        for (const LanguageTable& other : others)
            if (EqualsIgnoringCase(text, other.row(lang_row::kToneOff))) return {offText};
        return {ToneListEntry(text, offText), CsvReason::UnstorableTone};
    }
    case column::kName: return {IsNameText(text) ? std::optional<std::string>(text) : std::nullopt};
    default: return {ListEntry(EditorForColumn(column), text, language, others)};
    }
}

namespace {

bool IsBlankRecord(const DelimitedRecord& record) {
    return std::all_of(record.fields.begin(), record.fields.end(),
                       [](const std::string& field) { return TrimBlanks(field).empty(); });
}

// The cells of one pasted line by grid column; nullopt where the line gives none.
using PastedCells = std::array<std::optional<std::string>, kChannelColumnCount>;

// Commits one cell, or reports why not; a frequency in the band gap is stored and reported.
void PasteCell(RadioImage& image, const LanguageTable& language, const std::vector<LanguageTable>& others, int n,
               int column, const std::string& text, ChannelRow& row, std::vector<PasteProblem>& problems) {
    CellTextCheck editor = text.empty() ? CellTextCheck{text} : CheckCellText(column, text, language, others);
    if (!editor.text) {
        problems.push_back({n, column, text, editor.reason});
        return;
    }
    CommitCell(image, language, n, column, *editor.text, row);
    if (editor.inBandGap) problems.push_back({n, column, text, CsvReason::BandGap, true});
}

// One line into channel n, cell by cell through the grid's commit.
void PasteLine(RadioImage& image, const LanguageTable& language, const std::vector<LanguageTable>& others, int n,
               const PastedCells& cells, std::vector<PasteProblem>& problems) {
    ChannelRow row = ChannelToRow(image, language, n);
    if (const auto& rx = cells[column::kRxFrequency]) {
        std::string text = TrimBlanks(*rx);
        if (text.empty()) {
            // An empty frequency is an empty channel: delete this one, store nothing else.
            if (ChannelInUse(image, n)) CommitCell(image, language, n, column::kRxFrequency, text, row);
            return;
        }
        PasteCell(image, language, others, n, column::kRxFrequency, text, row, problems);
    }
    // The grid edits the other cells of an empty channel only after its receive frequency;
    // a whole line whose frequency failed has been reported already.
    const bool emptyChannel = !ChannelInUse(image, n);
    if (emptyChannel && cells[column::kRxFrequency]) return;

    for (int column = column::kTxFrequency; column <= column::kName; ++column) {
        if (!cells[static_cast<std::size_t>(column)]) continue;
        std::string text = TrimBlanks(*cells[static_cast<std::size_t>(column)]);
        bool clears = column == column::kTxFrequency || column == column::kName;
        if (text.empty() && !clears) continue;
        if (emptyChannel) {
            if (text.empty()) continue;
            problems.push_back({n, column, text, CsvReason::EmptyChannel});
            continue;
        }
        PasteCell(image, language, others, n, column, text, row, problems);
    }
}

// A header line: the grid's header in one of the languages, or the CSV header.
bool IsHeaderLine(const DelimitedRecord& line, const std::vector<ChannelRow>& headers) {
    std::vector<std::string> fields;
    for (const std::string& field : line.fields) fields.push_back(TrimBlanks(field));
    if (std::any_of(fields.begin(), fields.end(),
                    [](const std::string& f) { return EqualsIgnoringCase(f, "Frequency"); }))
        return true;
    if (std::all_of(fields.begin(), fields.end(), [](const std::string& f) { return f.empty(); })) return false;
    for (const ChannelRow& header : headers) {
        bool all = std::all_of(fields.begin(), fields.end(), [&](const std::string& f) {
            return f.empty() || std::find(header.begin(), header.end(), f) != header.end();
        });
        if (all) return true;
    }
    return false;
}

}  // namespace

std::string CopyChannels(const RadioImage& image, const LanguageTable& language, const std::vector<int>& channels) {
    std::string text;
    for (int n : NormalizeChannelSet(channels)) {
        ChannelRow row = ChannelToRow(image, language, n);
        text += JoinFields(std::vector<std::string>(row.begin(), row.end()), kTab) + "\n";
    }
    return text;
}

std::string CutChannels(RadioImage& image, const LanguageTable& language, const std::vector<int>& channels) {
    std::string text = CopyChannels(image, language, channels);
    DeleteChannels(image, channels);
    return text;
}

std::vector<ChannelRow> ChannelHeaders(const std::vector<LanguageTable>& languages) {
    std::vector<ChannelRow> headers;
    for (const LanguageTable& language : languages) {
        ChannelRow header;
        for (int c = 0; c < kChannelColumnCount; ++c)
            header[static_cast<std::size_t>(c)] = language.row(ChannelHeaderRows()[static_cast<std::size_t>(c)]);
        headers.push_back(header);
    }
    return headers;
}

PasteReport PasteChannels(RadioImage& image, const LanguageTable& language, const PasteTarget& target,
                          const std::string& text) {
    PasteReport report;
    const int firstChannel = target.firstChannel;
    report.firstChannel = firstChannel;
    report.lastChannel = firstChannel - 1;
    if (firstChannel < 0 || firstChannel >= kChannelCount) return report;

    std::vector<DelimitedRecord> lines;
    try {
        if (text.size() <= kMaxInputBytes)
            lines = ParseDelimitedText(text, kTab, &report.tooManyLines);
        else
            report.tooLarge = true;
    } catch (const std::bad_alloc&) {
        report.tooLarge = true;
    }
    if (report.tooLarge || report.tooManyLines) return report;
    while (!lines.empty() && IsBlankRecord(lines.back())) lines.pop_back();
    if (!lines.empty() && IsHeaderLine(lines.front(), target.headers)) {
        lines.erase(lines.begin());
        report.headerSkipped = true;
    }
    const bool singleColumn =
        !lines.empty() &&
        std::all_of(lines.begin(), lines.end(), [](const DelimitedRecord& line) { return line.fields.size() == 1; });
    const int column =
        std::clamp(target.column, static_cast<int>(column::kRxFrequency), static_cast<int>(column::kName));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        int n = firstChannel + static_cast<int>(i);
        if (n >= kChannelCount) {
            report.linesPastEnd = static_cast<int>(lines.size() - i);
            break;
        }
        PastedCells cells;
        if (singleColumn) {
            cells[static_cast<std::size_t>(column)] = lines[i].fields.front();
        } else {
            for (std::size_t c = 0; c < cells.size() && c < lines[i].fields.size(); ++c) cells[c] = lines[i].fields[c];
            // The channel number and band text are never stored.
            cells[column::kNumber].reset();
            cells[column::kBand].reset();
        }
        PasteLine(image, language, target.otherLanguages, n, cells, report.problems);
        report.lastChannel = n;
    }
    return report;
}

PasteReport PasteChannels(RadioImage& image, const LanguageTable& language, int firstChannel, const std::string& text) {
    PasteTarget target;
    target.firstChannel = firstChannel;
    target.headers = ChannelHeaders({language});
    return PasteChannels(image, language, target, text);
}

std::string PasteProblemText(const PasteProblem& problem, const LanguageTable& language) {
    int headerRow =
        ChannelHeaderRows()[static_cast<std::size_t>(std::clamp(problem.column, 0, kChannelColumnCount - 1))];
    std::string text =
        language.row(lang_row::kChannel) + " " + std::to_string(problem.channel) + " " + language.row(headerRow) + ": ";
    if (problem.stored) text += language.row(lang_row::kWarning) + ": ";
    text += CsvReasonText(problem.reason, language);
    if (!problem.text.empty()) text += " (" + problem.text + ")";
    return text;
}

}  // namespace radioprog
