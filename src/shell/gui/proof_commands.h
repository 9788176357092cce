// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's commands for several radios and for comparing images: Program → Write to
// Several Radios..., File → Compare With..., and the result of a verified write.
#include "link/transfer_reports.h"
#include "shell/command_table.h"

namespace radioprog {

class CMainFrame;

// kWriteSeveral opens (or raises) the several-radios dialog; kCompareWith runs the
// comparison dialog for the open document.
void RunProofCommand(CMainFrame& frame, Command command);
// True while the several-radios dialog writes: no other transfer may start.
bool SeveralRadiosRunning(const CMainFrame& frame);
// After a verified write: lists what the radio did not store (sent is the image written).
// False when there was nothing to show.
bool ShowVerifyDifferences(CMainFrame& frame, const RadioImage& sent, const TransferOutcome& outcome);

}  // namespace radioprog
