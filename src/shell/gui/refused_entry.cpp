// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/gui/refused_entry.h"

#include "editors/gui/chn_msg_view.h"
#include "editors/gui/ms_flex_grid.h"
#include "shell/gui/main_frame.h"

namespace radioprog {

void ShowRefusedEntry(CMainFrame& frame, const BandCheck& check) {
    if (check.accepted) return;
    if (check.channel < 0) {
        frame.OpenFunctionsEditor();
        return;
    }
    frame.OpenChannelEditor();
    auto* view = dynamic_cast<CChnMsgView*>(frame.editorView(EditorKind::Channels));
    if (!view) return;
    // Grid row 1 is channel 0.
    const int row = check.channel + 1;
    view->grid()->SetRow(row);
    view->grid()->scrollToCurrent();
    view->grid()->selectRows({row});
}

}  // namespace radioprog
