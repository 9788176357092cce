#include "editors/channel_clipboard.h"

#include <algorithm>
#include <new>
#include <optional>

#include "editors/channel_cells.h"
#include "editors/channel_commit.h"
#include "editors/channel_editors.h"
#include "editors/channel_rows.h"
#include "editors/channel_values.h"
#include "editors/delimited_text.h"
#include "model/channel_record.h"
#include "model/file_read.h"

namespace radioprog {

namespace {

constexpr char kTab = '\t';

bool IsNameText(const std::string& text) {
    if (text.size() > static_cast<std::size_t>(kChannelNameLength)) return false;
    return std::all_of(text.begin(), text.end(), [](char c) { return NameCharToCode(c) != 0xFF; });
}

// The text the column's editor would hand over for a pasted cell; nullopt when it could not.
std::optional<std::string> EditorText(int column, const std::string& text, const LanguageTable& language) {
    switch (column) {
    case column::kRxFrequency:
    case column::kTxFrequency: {
        FrequencyCheck check = CheckFrequencyText(text);
        if (check.problem != FrequencyProblem::None) return std::nullopt;
        return GridFrequencyText(check.units);
    }
    case column::kRxTone:
    case column::kTxTone:
        return ToneListEntry(text, language.row(kOffTextRow));
    case column::kName:
        return IsNameText(text) ? std::optional<std::string>(text) : std::nullopt;
    default:
        for (const std::string& entry : EditorChoices(EditorForColumn(column), language))
            if (EqualsIgnoringCase(entry, text)) return entry;
        return std::nullopt;
    }
}

bool IsBlankRecord(const DelimitedRecord& record) {
    return std::all_of(record.fields.begin(), record.fields.end(),
                       [](const std::string& field) { return TrimBlanks(field).empty(); });
}

// One line into channel n, cell by cell through the grid's commit.
void PasteLine(RadioImage& image, const LanguageTable& language, int n, const std::vector<std::string>& fields,
               std::vector<PasteProblem>& problems) {
    ChannelRow row = ChannelToRow(image, language, n);
    auto field = [&](int column) { return TrimBlanks(fields[static_cast<std::size_t>(column)]); };
    auto has = [&](int column) { return static_cast<std::size_t>(column) < fields.size(); };

    if (has(column::kRxFrequency)) {
        std::string text = field(column::kRxFrequency);
        if (text.empty()) {
            // An empty frequency is an empty channel: delete this one, store nothing else.
            if (ChannelInUse(image, n)) CommitCell(image, language, n, column::kRxFrequency, text, row);
            return;
        }
        if (std::optional<std::string> editorText = EditorText(column::kRxFrequency, text, language))
            CommitCell(image, language, n, column::kRxFrequency, *editorText, row);
        else
            problems.push_back({n, column::kRxFrequency, text});
    }
    // The grid edits the other cells of an empty channel only after its receive frequency.
    if (!ChannelInUse(image, n)) return;

    for (int column = column::kTxFrequency; column <= column::kName && has(column); ++column) {
        std::string text = field(column);
        bool clears = column == column::kTxFrequency || column == column::kName;
        if (text.empty() && !clears) continue;
        std::optional<std::string> editorText = text.empty() ? std::optional<std::string>(text) : EditorText(column, text, language);
        if (editorText)
            CommitCell(image, language, n, column, *editorText, row);
        else
            problems.push_back({n, column, text});
    }
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

PasteReport PasteChannels(RadioImage& image, const LanguageTable& language, int firstChannel, const std::string& text) {
    PasteReport report;
    report.firstChannel = firstChannel;
    report.lastChannel = firstChannel - 1;
    if (firstChannel < 0 || firstChannel >= kChannelCount) return report;

    std::vector<DelimitedRecord> lines;
    try {
        if (text.size() <= kMaxInputBytes) lines = ParseDelimitedText(text, kTab);
        else report.tooLarge = true;
    } catch (const std::bad_alloc&) {
        report.tooLarge = true;
    }
    if (report.tooLarge) return report;
    while (!lines.empty() && IsBlankRecord(lines.back())) lines.pop_back();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        int n = firstChannel + static_cast<int>(i);
        if (n >= kChannelCount) {
            report.linesPastEnd = static_cast<int>(lines.size() - i);
            break;
        }
        PasteLine(image, language, n, lines[i].fields, report.problems);
        report.lastChannel = n;
    }
    return report;
}

std::string PasteProblemText(const PasteProblem& problem, const LanguageTable& language) {
    int headerRow = ChannelHeaderRows()[static_cast<std::size_t>(std::clamp(problem.column, 0, kChannelColumnCount - 1))];
    return language.row(1) + " " + std::to_string(problem.channel) + " " + language.row(headerRow) + ": " + problem.text;
}

}  // namespace radioprog
