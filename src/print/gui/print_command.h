// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Print and Print Preview commands.
namespace radioprog {
class EditorHost;
// File > Print: opens the channel and optional-functions editors, asks for the printer and
// the pages in the print dialog, then prints those of the three pages.
void RunPrintCommand(EditorHost& host);
// File > Print Preview: opens the same editors and shows the three pages as they would print.
void RunPrintPreviewCommand(EditorHost& host);
}  // namespace radioprog
