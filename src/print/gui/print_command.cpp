#include "print/gui/print_command.h"

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "print/gui/page_painter.h"
#include "print/gui/print_source.h"
#include "shell/gui/editor_host.h"
#include "shell/gui/ui_hooks.h"

namespace radioprog {

namespace {

// The printout is read from the editors, so both are open before it is drawn.
void OpenPrintedEditors(EditorHost& host) {
    host.OpenEditor(EditorKind::Channels);
    host.OpenEditor(EditorKind::Functions);
}

// A range chosen in the print dialog prints only its pages.
std::vector<int> ChosenPages(const QPrinter& printer) {
    return PagesInRanges(printer.printRange() == QPrinter::PageRange ? printer.pageRanges() : QPageRanges());
}

}  // namespace

void RunPrintCommand(EditorHost& host) {
    OpenPrintedEditors(host);
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, host.hostWindow());
    dialog.setMinMax(1, kPrintPageCount);
    if (RunModal(dialog) != QDialog::Accepted) return;
    PaintPages(printer, CollectPrintData(host), ChosenPages(printer));
}

void RunPrintPreviewCommand(EditorHost& host) {
    OpenPrintedEditors(host);
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog dialog(&printer, host.hostWindow());
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&host](QPrinter* target) {
        PaintPages(*target, CollectPrintData(host), ChosenPages(*target));
    });
    RunModal(dialog);
}

}  // namespace radioprog
