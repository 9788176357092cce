#include "editors/gui/batch_command.h"

#include "shell/gui/main_frame.h"

namespace radioprog {

void RunBatchCommand(CMainFrame& mainFrame) {
    if (!mainFrame.OpenChannelEditor()) return;
    if (EditorView* view = mainFrame.editorView(EditorKind::Channels)) view->StoreToImage();
}

}  // namespace radioprog
