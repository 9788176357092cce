// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/gui/print_source.h"

#include <QComboBox>

#include "editors/gui/chn_msg_view.h"
#include "editors/gui/document.h"
#include "editors/gui/functions_view.h"
#include "print/settings_page.h"
#include "ui/editor_host.h"
#include "ui/text.h"

namespace radioprog {

PrintData CollectPrintData(EditorHost& host) {
    // What no editor shows is printed as the editors would load it.
    PrintData data = PrintDataFromImage(host.document().image(), host.language());
    if (auto* channels = qobject_cast<CChnMsgView*>(host.editorView(EditorKind::Channels)))
        for (int n = 0; n < kChannelCount; ++n)
            for (int c = 0; c < kChannelColumnCount; ++c)
                data.channels[static_cast<std::size_t>(n)][static_cast<std::size_t>(c)] = channels->GetCellText(n, c);
    if (auto* functions = qobject_cast<CChoiceFunView*>(host.editorView(EditorKind::Functions))) {
        data.form = functions->form();
        for (int id : SettingsPageShownControls())
            if (auto* list = qobject_cast<QComboBox*>(functions->control(id)))
                data.shownTexts[id] = S(list->currentText());
    }
    return data;
}

}  // namespace radioprog
