#include "print/gui/print_source.h"

#include "editors/gui/chn_msg_view.h"
#include "shell/gui/main_frame.h"

namespace radioprog {

PrintData CollectPrintData(CMainFrame& mainFrame) {
    const LanguageTable& language = mainFrame.language();
    PrintData data = PrintDataFromImage(mainFrame.image(), language);
    if (auto* channels = qobject_cast<CChnMsgView*>(mainFrame.editorView(EditorKind::Channels)))
        for (int n = 0; n < kChannelCount; ++n)
            for (int c = 0; c < kChannelColumnCount; ++c)
                data.channels[static_cast<std::size_t>(n)][static_cast<std::size_t>(c)] = channels->GetCellText(n, c);
    return data;
}

}  // namespace radioprog
