#pragma once
namespace radioprog {
class EditorHost;
// Edit > batch: fills many channels at once through the batch channel dialog.
void RunBatchCommand(EditorHost& host);
}  // namespace radioprog
