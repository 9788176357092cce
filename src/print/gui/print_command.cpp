#include "print/gui/print_command.h"

#include "shell/gui/main_frame.h"

namespace radioprog {

void RunPrintCommand(CMainFrame& mainFrame) {
    mainFrame.OpenChannelEditor();
    mainFrame.OpenFunctionsEditor();
}

}  // namespace radioprog
