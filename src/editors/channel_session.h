// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The channel table's editing session: the one place that decides what the user's keys and
// clicks do to the table, for every front end. It owns the current cell and the open cell
// editor (which editor, opened by which key, what a list editor was typed), accepts or
// refuses each typed character, and commits: a cell left without an edit changes no byte and
// adds no undo step; a committed cell shows the text of what was stored. It answers every
// call with what changed: the channels to redraw, whether the editor opened or closed, a
// refusal, a notice for a message window and the words for a screen reader. The front ends
// (the desktop's table, the web page's grid) only forward keys and draw the answers.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "editors/channel_clipboard.h"
#include "editors/channel_editors.h"
#include "editors/channel_navigation.h"
#include "editors/channel_rows.h"
#include "model/language_table.h"
#include "model/radio_image.h"
#include "radio/channel_cells.h"

namespace radioprog {

// What the session edits: the image and the one way a change of its channels is made (one
// undo step; returns the channels whose bytes changed).
class ChannelSessionDocument {
public:
    virtual ~ChannelSessionDocument() = default;
    virtual const RadioImage& image() const = 0;
    virtual std::vector<int> editChannels(const std::function<void(RadioImage&)>& change) = 0;
};

// The keys the session decides; characters go to typeCharacter.
enum class SessionKey { Enter, Tab, Backtab, Escape, Up, Down, F2, Delete, Backspace };

// The open cell editor as the front end shows it.
struct SessionEditor {
    GridCell cell;  // grid row (channel + 1) and column
    CellEditor editor = CellEditor::None;
    // Edit fields: the text it opens with. Lists: what was typed (empty: nothing typed).
    std::string text;
    // Lists: the entry shown (-1: none; the typed text is shown instead).
    int choice = -1;
    // Edit fields: the whole text is selected (opened by a click, Enter or F2); else the
    // caret is at the end of the text a key put there.
    bool selectAll = true;
    // The column's header, the editor's name for a screen reader.
    std::string name;
};

struct SessionAnswer {
    // The key or click was the session's: the front end does nothing more with it.
    bool handled = false;
    // The cell of the editor that opened or closed.
    GridCell cell{};
    // The channels (0..127) whose cells must be drawn again.
    std::vector<int> changed;
    // The current cell moved (current() says where).
    bool moved = false;
    // An editor opened (editor() describes it) or the open one closed.
    bool opened = false;
    bool closed = false;
    // A list editor shows another entry or typed text (editor() says which).
    bool editorChanged = false;
    // The key or the commit was refused: the front end beeps.
    bool refused = false;
    // After a command on whole channels: the channels to show selected.
    std::vector<int> selected;
    // A message for a message window (after the commit has finished).
    std::optional<std::string> notice;
    // What a screen reader says now: the cell and its stored value after a commit or Esc, the
    // reason of a refusal, a list's entry.
    std::string announcement;
};

class ChannelTableSession {
public:
    ChannelTableSession(ChannelSessionDocument& document, const LanguageTable& language);

    // The language table (the one given at construction, which the session reads as it is)
    // changed: the list entries are taken anew. An open editor closes without storing.
    void languageChanged();

    GridCell current() const { return current_; }
    const std::optional<SessionEditor>& editor() const { return editor_; }
    // The text the table shows in a cell (grid row, column), as the image holds it.
    std::string cellText(GridCell cell) const;
    // The entries of a column's list editor.
    const std::vector<std::string>& choices(int column) const;

    // The current cell moves (a click, an arrow key the table handles itself): an open editor
    // elsewhere is committed first (editText: what an open edit field holds).
    SessionAnswer moveTo(GridCell cell, const std::string& editText = {});
    // A click on a data cell that should edit it: opens the editor with its text selected. An
    // empty channel is edited at its receive frequency.
    SessionAnswer openByClick(GridCell cell);
    // A character typed on the table or into an open list editor. On the table it opens the
    // cell's editor with the character as its first one, or is refused with the reason; on an
    // empty channel every cell opens the receive frequency.
    SessionAnswer typeCharacter(char32_t character);
    // A character typed into an open edit field, which holds textLength characters with or
    // without a selection: accepted (handled = false: the field takes it) or refused.
    SessionAnswer editCharacter(char32_t character, std::size_t textLength, bool hasSelection);
    // The whole text an open edit field would hold after a typed character, a paste or a drop:
    // whether the field takes it (a frequency holds at most one point, a name at most 7
    // letters and digits). A field that does not take it keeps its text.
    bool editTextAccepts(const std::string& text) const;
    // A list editor's entry chosen by the arrows or the mouse.
    SessionAnswer chooseEntry(int index);
    // Keys. editText is what an open edit field holds (ignored for lists and without editor).
    SessionAnswer key(SessionKey key, const std::string& editText = {});
    // The open editor loses the focus (a click elsewhere, a command): committed.
    SessionAnswer commit(const std::string& editText = {});
    // Esc: the editor closes and the cell keeps its stored value.
    SessionAnswer cancel();
    // Ctrl+Enter: the open editor's value goes into its column of every channel of the set
    // that is in use, by the rules of a typed cell, as one undo step. Only the columns one
    // sets alike for many channels take it (tones, power, bandwidth, the flags, signalling);
    // in another column, or with fewer than two channels, it is an ordinary commit.
    SessionAnswer commitToChannels(const std::vector<int>& channels, const std::string& editText = {});

    // The table's commands on whole channels (the selected rows, else the current cell's
    // channel). An open editor is committed first; each command is one undo step. The answer
    // names the channels to redraw and `selected`, the channels to show selected; the current
    // cell moves with the channels a move carries, and the screen reader hears the current
    // cell afterwards.
    SessionAnswer deleteChannels(const std::vector<int>& channels);
    // Insert at a channel: channels below move down by one, channel 127 drops off (the front
    // end asks first when InsertDropsChannelInUse).
    SessionAnswer insertChannel(int channel);
    SessionAnswer moveChannels(const std::vector<int>& channels, bool up);
    // Sort the selected channels among their rows (fewer than two selected: the whole table).
    SessionAnswer sortChannels(const std::vector<int>& channels, ChannelSortKey key);
    // Cut: `text` receives the channels as tab-separated lines, then they are deleted.
    SessionAnswer cutChannels(const std::vector<int>& channels, std::string& text);
    // Paste at a channel and the current column; `report` receives what was skipped.
    SessionAnswer paste(const PasteTarget& target, const std::string& text, PasteReport& report);

    // What a screen reader says for a cell: "Channel 5, RX Freq, 145.50000".
    std::string cellSpeech(GridCell cell) const;

private:
    SessionAnswer open(GridCell cell, std::optional<char32_t> key, bool selectAll, bool byClick = false);
    SessionAnswer commitAt(const std::string& editText);
    // The text the open editor stores; nullopt when a list's typed text names no entry, and
    // `refusal` then holds the answer that says why.
    std::optional<std::string> editorValue(const std::string& editText, SessionAnswer& refusal);
    SessionAnswer closeAnswer(bool refused);
    // The entry of a column's list that a typed text names exactly, or -1.
    int typedChoice(int column, const std::string& typed) const;
    SessionAnswer moveAfterCommit(SessionAnswer answer, std::optional<GridCell> target);
    // Runs a command on whole channels: commits an open editor, makes the change as one undo
    // step, and answers with the channels it changed and the current cell's words.
    SessionAnswer channelCommand(const std::function<void(RadioImage&)>& change);
    std::string header(int column) const;
    std::string refusedKeyText(int column, char32_t character) const;

    ChannelSessionDocument& document_;
    const LanguageTable& language_;
    std::vector<std::vector<std::string>> choices_;
    GridCell current_{1, column::kRxFrequency};
    std::optional<SessionEditor> editor_;
    // The list entry shown when the editor opened, to tell a changed choice from none.
    int openedChoice_ = -1;
};

}  // namespace radioprog
