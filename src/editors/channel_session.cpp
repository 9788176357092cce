// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/channel_session.h"

#include <algorithm>

#include "editors/cell_speech.h"
#include "editors/channel_clipboard.h"
#include "editors/channel_commit.h"
#include "editors/channel_rows.h"
#include "model/channel_record.h"
#include "model/extra_rows.h"
#include "radio/edit_filters.h"

namespace radioprog {

namespace {

std::string Utf8(char32_t c) {
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

// Drops the last UTF-8 character of text.
void DropLastCharacter(std::string& text) {
    while (!text.empty()) {
        const auto byte = static_cast<unsigned char>(text.back());
        text.pop_back();
        if ((byte & 0xC0) != 0x80) break;
    }
}

bool IsEmptyChannel(const RadioImage& image, const LanguageTable& language, int row) {
    return ChannelToRow(image, language, row - 1)[column::kRxFrequency].empty();
}

}  // namespace

ChannelTableSession::ChannelTableSession(ChannelSessionDocument& document, const LanguageTable& language)
    : document_(document), language_(language) {
    languageChanged();
}

void ChannelTableSession::languageChanged() {
    choices_.assign(kChannelColumnCount, {});
    for (int c = 0; c < kChannelColumnCount; ++c)
        choices_[static_cast<std::size_t>(c)] = EditorChoices(EditorForColumn(c), language_);
    editor_.reset();
}

std::string ChannelTableSession::cellText(GridCell cell) const {
    if (cell.column < 0 || cell.column >= kChannelColumnCount) return {};
    if (cell.row <= 0) return header(cell.column);
    return ChannelToRow(document_.image(), language_, cell.row - 1)[static_cast<std::size_t>(cell.column)];
}

const std::vector<std::string>& ChannelTableSession::choices(int column) const {
    static const std::vector<std::string> kNone;
    if (column < 0 || column >= kChannelColumnCount) return kNone;
    return choices_[static_cast<std::size_t>(column)];
}

std::string ChannelTableSession::header(int column) const {
    return language_.row(ChannelHeaderRows()[static_cast<std::size_t>(column)]);
}

std::string ChannelTableSession::cellSpeech(GridCell cell) const {
    return CellSpeech(language_, cell.row - 1, header(cell.column), cellText(cell));
}

std::string ChannelTableSession::refusedKeyText(int column, char32_t character) const {
    if (EditorForColumn(column) == CellEditor::Name && NameEditAccepts(character, 0, false))
        return language_.row(lang_row::kNameFull);
    const int row =
        EditorForColumn(column) == CellEditor::Name ? lang_row::kNameKeyRefused : lang_row::kFrequencyKeyRefused;
    return FillArguments(language_.row(row), {character < 32 ? std::string() : Utf8(character)});
}

SessionAnswer ChannelTableSession::moveTo(GridCell cell, const std::string& editText) {
    SessionAnswer answer;
    if (editor_ && !(editor_->cell == cell)) answer = commitAt(editText);
    answer.moved = !(current_ == cell);
    current_ = cell;
    return answer;
}

SessionAnswer ChannelTableSession::openByClick(GridCell cell) {
    if (cell.row <= 0 || cell.column <= 0) return {};
    const std::string rx = cellText({cell.row, column::kRxFrequency});
    cell.column = ClickEditColumn(cell.column, cellText(cell), rx);
    return open(cell, std::nullopt, true, true);
}

SessionAnswer ChannelTableSession::open(GridCell cell, std::optional<char32_t> key, bool selectAll, bool byClick) {
    SessionAnswer answer;
    if (cell.row <= 0 || cell.column <= 0) return answer;
    answer.handled = true;
    // An empty channel is edited at its receive frequency first, whichever cell the key
    // or the command reached it on; the key goes there.
    if (!byClick && IsEmptyChannel(document_.image(), language_, cell.row)) cell.column = column::kRxFrequency;
    cell.column = OpenEditorColumn(cell.column, cellText({cell.row, column::kRxFrequency}));
    const CellEditor role = EditorForColumn(cell.column);
    if (role == CellEditor::None) return {};

    SessionEditor opened;
    opened.cell = cell;
    opened.editor = role;
    opened.name = header(cell.column);
    const std::string shown = cellText(cell);
    const std::vector<std::string>& entries = choices(cell.column);
    if (IsEditEditor(role)) {
        if (key) {
            const std::optional<std::string> typed = KeyTextForEditor(cell.column, *key, false);
            if (!typed) {
                // A refused first key opens nothing: the cell keeps its text, and the next key
                // starts the edit as if this one had not been typed.
                answer.refused = true;
                answer.announcement = refusedKeyText(cell.column, *key);
                return answer;
            }
            opened.text = *typed;
            opened.selectAll = false;
        } else {
            opened.text = shown;
            opened.selectAll = selectAll;
        }
    } else {
        const auto exact = std::find(entries.begin(), entries.end(), shown);
        openedChoice_ = exact == entries.end() ? -1 : static_cast<int>(exact - entries.begin());
        opened.choice = openedChoice_;
        // Space opens a list as a click does; any other key is its first typed character.
        if (key && *key != U' ') {
            if (*key < 32) return {};
            opened.text = Utf8(*key);
            opened.choice = typedChoice(cell.column, opened.text);
        }
        answer.announcement = opened.choice >= 0 ? entries[static_cast<std::size_t>(opened.choice)] : opened.text;
    }
    answer.moved = !(current_ == cell);
    current_ = cell;
    editor_ = opened;
    answer.opened = true;
    answer.cell = cell;
    return answer;
}

SessionAnswer ChannelTableSession::typeCharacter(char32_t character) {
    if (!editor_) return open(current_, character, false);
    if (!IsListEditor(editor_->editor)) return editCharacter(character, editor_->text.size(), false);
    if (character < 32) return {};
    // What is typed into a list is kept as typed; the list shows the entry it names exactly,
    // and the commit stores only such an entry (a prefix never completes to one).
    SessionAnswer answer;
    answer.handled = true;
    answer.editorChanged = true;
    editor_->text += Utf8(character);
    editor_->choice = typedChoice(editor_->cell.column, editor_->text);
    answer.announcement =
        editor_->choice >= 0 ? choices(editor_->cell.column)[static_cast<std::size_t>(editor_->choice)] : editor_->text;
    return answer;
}

int ChannelTableSession::typedChoice(int column, const std::string& typed) const {
    const std::vector<std::string>& entries = choices(column);
    const CellTextCheck check = CheckCellText(column, typed, language_);
    const auto entry = check.text ? std::find(entries.begin(), entries.end(), *check.text) : entries.end();
    return entry == entries.end() ? -1 : static_cast<int>(entry - entries.begin());
}

SessionAnswer ChannelTableSession::editCharacter(char32_t character, std::size_t textLength, bool hasSelection) {
    SessionAnswer answer;
    if (!editor_ || !IsEditEditor(editor_->editor) || character < 32) return answer;
    const bool accepted = editor_->editor == CellEditor::Name ? NameEditAccepts(character, textLength, hasSelection)
                                                              : NumericEditAccepts(character, false);
    if (accepted) return answer;
    answer.handled = true;
    answer.refused = true;
    answer.announcement = refusedKeyText(editor_->cell.column, character);
    return answer;
}

bool ChannelTableSession::editTextAccepts(const std::string& text) const {
    if (!editor_ || !IsEditEditor(editor_->editor)) return false;
    return editor_->editor == CellEditor::Name ? NameTextAccepts(text) : NumericTextAccepts(text);
}

SessionAnswer ChannelTableSession::chooseEntry(int index) {
    SessionAnswer answer;
    if (!editor_ || !IsListEditor(editor_->editor)) return answer;
    const std::vector<std::string>& entries = choices(editor_->cell.column);
    if (entries.empty()) return answer;
    index = std::clamp(index, 0, static_cast<int>(entries.size()) - 1);
    answer.handled = true;
    answer.editorChanged = editor_->choice != index || !editor_->text.empty();
    editor_->choice = index;
    editor_->text.clear();
    answer.announcement = entries[static_cast<std::size_t>(index)];
    return answer;
}

SessionAnswer ChannelTableSession::closeAnswer(bool refused) {
    SessionAnswer answer;
    answer.handled = true;
    answer.closed = true;
    answer.refused = refused;
    if (editor_) answer.cell = editor_->cell;
    editor_.reset();
    return answer;
}

SessionAnswer ChannelTableSession::commit(const std::string& editText) { return commitAt(editText); }

std::optional<std::string> ChannelTableSession::editorValue(const std::string& editText, SessionAnswer& refusal) {
    const SessionEditor edited = *editor_;
    const GridCell cell = edited.cell;
    if (IsEditEditor(edited.editor)) return editText;
    if (!edited.text.empty()) {
        // Typed into a list: stored only when it names an entry, as a paste of it would be.
        const CellTextCheck check = CheckCellText(cell.column, edited.text, language_);
        if (check.text) return *check.text;
        refusal = closeAnswer(true);
        refusal.notice = PasteProblemText({cell.row - 1, cell.column, edited.text, check.reason}, language_);
        // Why, then what the cell still holds.
        refusal.announcement = *refusal.notice + ". " + cellSpeech(cell);
        return std::nullopt;
    }
    if (edited.choice >= 0 && edited.choice != openedChoice_)
        return choices(cell.column)[static_cast<std::size_t>(edited.choice)];
    return cellText(cell);
}

namespace {

// The columns one sets alike for many channels at once.
bool IsBulkColumn(int column) { return column >= column::kRxTone && column <= column::kSignalling; }

}  // namespace

SessionAnswer ChannelTableSession::commitToChannels(const std::vector<int>& channels, const std::string& editText) {
    if (!editor_) return {};
    const GridCell cell = editor_->cell;
    std::vector<int> targets = NormalizeChannelSet(channels);
    if (!IsBulkColumn(cell.column) || targets.size() < 2) return commit(editText);
    SessionAnswer refusal;
    const std::optional<std::string> text = editorValue(editText, refusal);
    if (!text) return refusal;
    SessionAnswer answer = closeAnswer(false);
    std::vector<int> stored;
    const std::vector<int> changed = document_.editChannels([&](RadioImage& image) {
        for (int n : targets) {
            if (!ChannelInUse(image, n)) continue;
            stored.push_back(n);
            ChannelRow row = ChannelToRow(image, language_, n);
            if (row[static_cast<std::size_t>(cell.column)] != *text)
                CommitCell(image, language_, n, cell.column, *text, row);
        }
    });
    answer.changed = changed;
    answer.selected = targets;
    answer.announcement = FillArguments(language_.row(lang_row::kColumnSetForChannels),
                                        {language_.row(ChannelHeaderRows()[static_cast<std::size_t>(cell.column)]),
                                         *text, std::to_string(stored.size())});
    return answer;
}

SessionAnswer ChannelTableSession::commitAt(const std::string& editText) {
    if (!editor_) return {};
    const GridCell cell = editor_->cell;
    const std::string old = cellText(cell);
    SessionAnswer refusal;
    const std::optional<std::string> value = editorValue(editText, refusal);
    if (!value) return refusal;
    const std::string text = *value;

    SessionAnswer answer = closeAnswer(false);
    answer.changed = {cell.row - 1};
    if (text == old) {
        // Nothing was changed: the channel keeps every byte, also one its cell cannot show
        // exactly (a frequency off the step, a tone code without a name).
        answer.announcement = cellSpeech(cell);
        return answer;
    }
    const std::vector<int> changed = document_.editChannels([&](RadioImage& image) {
        ChannelRow row = ChannelToRow(image, language_, cell.row - 1);
        CommitCell(image, language_, cell.row - 1, cell.column, text, row);
    });
    if (!changed.empty()) answer.changed = changed;
    const std::string stored = cellText(cell);
    answer.notice = FrequencyCommitNotice(cell.column, text, stored, language_);
    answer.announcement = cellSpeech(cell);
    if (answer.notice) answer.announcement += ". " + *answer.notice;
    return answer;
}

SessionAnswer ChannelTableSession::cancel() {
    if (!editor_) return {};
    const GridCell cell = editor_->cell;
    SessionAnswer answer = closeAnswer(false);
    answer.changed = {cell.row - 1};
    answer.announcement = cellSpeech(cell);
    return answer;
}

SessionAnswer ChannelTableSession::moveAfterCommit(SessionAnswer answer, std::optional<GridCell> target) {
    answer.handled = true;
    if (answer.refused || !target) return answer;
    answer.moved = !(current_ == *target);
    current_ = *target;
    return answer;
}

SessionAnswer ChannelTableSession::channelCommand(const std::function<void(RadioImage&)>& change) {
    // An open list editor is committed as its choice; an open edit field was committed by the
    // front end before the command (its text is the field's).
    SessionAnswer answer = editor_ ? commitAt(editor_->text) : SessionAnswer{};
    answer.handled = true;
    const std::vector<int> changed = document_.editChannels(change);
    answer.changed.insert(answer.changed.end(), changed.begin(), changed.end());
    answer.announcement = cellSpeech(current_);
    return answer;
}

SessionAnswer ChannelTableSession::deleteChannels(const std::vector<int>& channels) {
    SessionAnswer answer = channelCommand([&](RadioImage& image) { DeleteChannels(image, channels); });
    answer.selected = channels;
    return answer;
}

SessionAnswer ChannelTableSession::insertChannel(int channel) {
    SessionAnswer answer = channelCommand([&](RadioImage& image) { InsertEmptyChannel(image, channel); });
    answer.moved = current_.row != channel + 1;
    current_.row = channel + 1;
    answer.selected = {channel};
    answer.announcement = cellSpeech(current_);
    return answer;
}

SessionAnswer ChannelTableSession::moveChannels(const std::vector<int>& channels, bool up) {
    std::vector<int> moved;
    SessionAnswer answer = channelCommand([&](RadioImage& image) {
        moved = MoveChannels(image, channels, up ? MoveDirection::Up : MoveDirection::Down);
    });
    if (moved.empty()) return answer;
    // The current cell travels with the channels when it is one of them.
    if (std::find(channels.begin(), channels.end(), current_.row - 1) != channels.end()) {
        current_.row += up ? -1 : 1;
        answer.moved = true;
    }
    answer.selected = moved;
    answer.announcement = cellSpeech(current_);
    return answer;
}

SessionAnswer ChannelTableSession::sortChannels(const std::vector<int>& channels, ChannelSortKey key) {
    std::vector<int> sorted;
    SessionAnswer answer = channelCommand([&](RadioImage& image) { sorted = SortChannels(image, channels, key); });
    answer.selected = sorted;
    answer.announcement = FillArguments(language_.row(lang_row::kChannelsSorted), {std::to_string(sorted.size())});
    return answer;
}

SessionAnswer ChannelTableSession::cutChannels(const std::vector<int>& channels, std::string& text) {
    SessionAnswer answer = channelCommand([&](RadioImage& image) { text = CutChannels(image, language_, channels); });
    answer.selected = channels;
    return answer;
}

SessionAnswer ChannelTableSession::paste(const PasteTarget& target, const std::string& text, PasteReport& report) {
    SessionAnswer answer =
        channelCommand([&](RadioImage& image) { report = PasteChannels(image, language_, target, text); });
    for (int n = report.firstChannel; n <= report.lastChannel; ++n) answer.selected.push_back(n);
    return answer;
}

SessionAnswer ChannelTableSession::key(SessionKey key, const std::string& editText) {
    const bool list = editor_ && IsListEditor(editor_->editor);
    switch (key) {
    case SessionKey::Enter:
    case SessionKey::Tab:
    case SessionKey::Backtab: {
        if (!editor_ && key == SessionKey::Enter) return open(current_, std::nullopt, true);
        const std::optional<GridCell> target = AdvanceCellTarget(editor_ ? editor_->cell : current_);
        if (!editor_ && !target) {
            SessionAnswer stay;  // the last cell: nothing happens
            stay.handled = true;
            return stay;
        }
        return moveAfterCommit(commitAt(editText), target);
    }
    case SessionKey::F2:
        if (editor_) return {};
        return open(current_, std::nullopt, true);
    case SessionKey::Escape: return cancel();
    case SessionKey::Up:
    case SessionKey::Down: {
        const bool up = key == SessionKey::Up;
        if (list) {
            // From typed text the arrows step from the cell's own entry.
            const int from = editor_->choice >= 0 ? editor_->choice : openedChoice_;
            return chooseEntry(from < 0 ? 0 : from + (up ? -1 : 1));
        }
        const GridCell from = editor_ ? editor_->cell : current_;
        const std::optional<int> row = VerticalMoveTarget(from.row, up);
        std::optional<GridCell> target;
        if (row)
            target = GridCell{*row, IsEmptyChannel(document_.image(), language_, *row) ? column::kBand : from.column};
        if (!editor_) {
            SessionAnswer answer;
            answer.handled = true;
            if (target) {
                answer.moved = !(current_ == *target);
                current_ = *target;
            }
            return answer;
        }
        return moveAfterCommit(commitAt(editText), target);
    }
    case SessionKey::Delete: {
        if (editor_ || current_.row <= 0) return {};
        SessionAnswer answer;
        answer.handled = true;
        const GridCell cell = current_;
        answer.changed = document_.editChannels([&](RadioImage& image) {
            ChannelRow row = ChannelToRow(image, language_, cell.row - 1);
            ClearCell(image, language_, cell.row - 1, cell.column, row);
        });
        answer.announcement = cellSpeech(cell);
        return answer;
    }
    case SessionKey::Backspace: {
        if (!list) return {};
        SessionAnswer answer;
        answer.handled = true;
        if (editor_->text.empty()) return answer;
        DropLastCharacter(editor_->text);
        answer.editorChanged = true;
        const std::vector<std::string>& entries = choices(editor_->cell.column);
        editor_->choice = editor_->text.empty() ? openedChoice_ : typedChoice(editor_->cell.column, editor_->text);
        answer.announcement = editor_->choice >= 0 && editor_->text.empty()
                                  ? entries[static_cast<std::size_t>(editor_->choice)]
                                  : editor_->text;
        return answer;
    }
    }
    return {};
}

}  // namespace radioprog
