// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The open document and the texts, owned by the main frame for the whole run; every editor
// gets one pointer to this block.
#include "editors/gui/document.h"
#include "model/language_table.h"

namespace radioprog {

struct Workspace {
    Document document;
    LanguageTable language;
};

}  // namespace radioprog
