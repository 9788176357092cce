// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The printout of the main window: the channel table's cells and the optional-functions form
// as the open editors show them.
#include "print/print_data.h"

namespace radioprog {

class EditorHost;

PrintData CollectPrintData(EditorHost& host);

}  // namespace radioprog
