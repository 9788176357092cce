// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The channel table's editing commands of the main window: undo and redo of every change of
// the channels (the history belongs to the document, so it outlives the table's window),
// copy, cut and paste through the system clipboard, deleting, inserting and moving
// channels, and the CSV import and export of the File menu.
#include <QString>

#include <vector>

#include "shell/command_table.h"

namespace radioprog {

class EditorHost;
class EditorView;

// The commands, Edit-menu ones first, then the two CSV commands.
const std::vector<Command>& ChannelEditCommands();

// Keeps the commands' states up to date with the document's history. Call once the actions
// exist.
void SetUpChannelEditing(EditorHost& host);

// For the channel table's view (other editors are left alone): the keys of the commands whose
// keys the command table scopes to the channel table work while it has the focus (its own changes become history steps
// in the document). The keys stay the table's: in another editor Del or Ctrl+V never touches the channels, and an open
// cell editor keeps the text-editing keys it handles itself.
void AttachChannelEditing(EditorHost& host, EditorView& view);

void RunChannelEditCommand(EditorHost& host, Command command);

// Imports the channels of a CSV file (as File > Import CSV does after its file dialog).
void ImportCsvFile(EditorHost& host, const QString& path);

// Undo and redo only when there is a step; no command that changes the image during a
// transfer.
void UpdateChannelEditStates(EditorHost& host);

}  // namespace radioprog
