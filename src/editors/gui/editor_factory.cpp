// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/gui/editor_factory.h"

#include "editors/gui/chn_msg_view.h"
#include "editors/gui/dtmf_view.h"
#include "editors/gui/functions_view.h"

namespace radioprog {

const EditorSpec& EditorSpecFor(EditorKind kind) {
    static const EditorSpec editors[kEditorKindCount] = {
        {lang_row::kChannel, 43, 40},            // channel table
        {lang_row::kOptionalFunctions, 33, 37},  // optional functions
        {lang_row::kDtmfSettings, 30, 30},       // DTMF
    };
    return editors[static_cast<int>(kind)];
}

EditorView* CreateEditorView(EditorKind kind, EditorHost* host, CChildFrame* frame) {
    switch (kind) {
    case EditorKind::Channels: return new CChnMsgView(frame);
    case EditorKind::Functions: return new CChoiceFunView(host, frame);
    case EditorKind::Dtmf: return new CDtmfView2(frame);
    }
    return nullptr;
}

}  // namespace radioprog
