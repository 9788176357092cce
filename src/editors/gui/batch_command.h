// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The batch command: stepped frequencies over many channels.
namespace radioprog {
class EditorHost;
// Edit > batch: fills many channels at once through the batch channel dialog.
void RunBatchCommand(EditorHost& host);
}  // namespace radioprog
