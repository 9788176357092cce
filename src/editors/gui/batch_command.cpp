// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/gui/batch_command.h"

#include <QPointer>

#include "editors/gui/batch_channel_dlg.h"
#include "editors/gui/chn_msg_view.h"
#include "ui/editor_host.h"
#include "ui/ui_hooks.h"

namespace radioprog {

void RunBatchCommand(EditorHost& host) {
    if (!host.openEditor(EditorKind::Channels)) return;
    QPointer<CChnMsgView> view = qobject_cast<CChnMsgView*>(host.editorView(EditorKind::Channels));
    if (!view) return;
    // A pending cell edit goes into the image before the batch overwrites channels.
    view->StoreToImage();
    const LanguageTable& language = host.language();
    CBatchChannelDlg dialog(
        language,
        [view, &language](const BatchSettings& settings) {
            if (!view) return;
            view->editChannels([&](RadioImage& image) { ApplyBatch(image, language, settings); });
        },
        host.hostWindow());
    RunModal(dialog);
}

}  // namespace radioprog
