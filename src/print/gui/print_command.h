#pragma once
namespace radioprog {
class CMainFrame;
// File > Print: opens the channel and optional-functions editors, then prints the three pages.
void RunPrintCommand(CMainFrame& mainFrame);
}  // namespace radioprog
