// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// After a band refusal: shows the refused channel selected in the channel table, scrolled into
// view, or the optional-functions form for a VFO, so the user corrects the right entry.
#include "radio/band_check.h"

namespace radioprog {

class CMainFrame;

void ShowRefusedEntry(CMainFrame& frame, const BandCheck& check);

}  // namespace radioprog
