#include "print/gui/print_command.h"

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "print/gui/page_painter.h"
#include "print/gui/print_source.h"
#include "shell/gui/main_frame.h"
#include "shell/gui/ui_hooks.h"

namespace radioprog {

namespace {

// The printout is read from the editors, so both are open before it is drawn.
void OpenPrintedEditors(CMainFrame& mainFrame) {
    mainFrame.OpenChannelEditor();
    mainFrame.OpenFunctionsEditor();
}

// A range chosen in the print dialog prints only its pages.
std::vector<int> ChosenPages(const QPrinter& printer) {
    return PagesInRanges(printer.printRange() == QPrinter::PageRange ? printer.pageRanges() : QPageRanges());
}

}  // namespace

void RunPrintCommand(CMainFrame& mainFrame) {
    OpenPrintedEditors(mainFrame);
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, &mainFrame);
    dialog.setMinMax(1, kPrintPageCount);
    if (RunModal(dialog) != QDialog::Accepted) return;
    PaintPages(printer, CollectPrintData(mainFrame), ChosenPages(printer));
}

void RunPrintPreviewCommand(CMainFrame& mainFrame) {
    OpenPrintedEditors(mainFrame);
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog dialog(&printer, &mainFrame);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&mainFrame](QPrinter* target) {
        PaintPages(*target, CollectPrintData(mainFrame), ChosenPages(*target));
    });
    RunModal(dialog);
}

}  // namespace radioprog
