#pragma once
namespace radioprog {
class CMainFrame;
// Edit > batch: fills many channels at once through the batch channel dialog.
void RunBatchCommand(CMainFrame& mainFrame);
}  // namespace radioprog
