// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The overlay editors of the channel table: which editor each column uses, the entries of
// the list editors, how a cell text selects a list entry, and what a typed key puts into an
// edit editor when it opens.
#include <optional>
#include <string>
#include <vector>

#include "model/language_table.h"

namespace radioprog {

// One overlay editor per role; the grid shows at most one of them at a time.
enum class CellEditor {
    None,         // column 0 and anything outside the grid
    Band,         // list, column 1: "VHF/UHF"
    Frequency,    // numeric edit, columns 2 and 3
    Tone,         // list, columns 4 and 5: the 259 tone entries
    Power,        // list, column 6: rows 2, 3
    Bandwidth,    // list, column 7: rows 10, 11
    Bit14,        // list, column 8: rows 4, 5
    BusyLockout,  // list, column 9: rows 12, 13
    Signalling,   // list, column 10: "1" .. "15"
    Name,         // name edit, column 11
};

CellEditor EditorForColumn(int column);
// Frequency and Name are edit fields; every other editor except None is a drop-down list.
bool IsEditEditor(CellEditor editor);
bool IsListEditor(CellEditor editor);

// The entries of a list editor, in list order; empty for the edits and None.
std::vector<std::string> EditorChoices(CellEditor editor, const LanguageTable& language);

// The list entry a cell text selects: the first entry that begins with the text, ignoring
// the case of ASCII letters (an empty text selects entry 0). -1 when no entry matches; the
// list then keeps its current selection.
int FindChoice(const std::vector<std::string>& entries, const std::string& text);

// The text a character key puts into the edit editor of `column` when it opens the editor:
// digits and the point in the frequency columns, digits and letters in the name column.
// nullopt leaves the text the editor was loaded with: control characters (code < 32), keys
// the column's edit does not accept, list columns, and any key while the mouse button is
// held on the grid.
std::optional<std::string> KeyTextForEditor(int column, char32_t key, bool gridButtonDown);

}  // namespace radioprog
