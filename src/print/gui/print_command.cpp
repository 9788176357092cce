#include "print/gui/print_command.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "model/atomic_file.h"
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

// Printing to a PDF file: the pages are drawn in memory and the file written as a whole, so
// a failed print never leaves half a PDF over an earlier one.
void PrintToPdfFile(CMainFrame& mainFrame, const QPrinter& printer) {
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setPageLayout(printer.pageLayout());
        writer.setResolution(printer.resolution());
        writer.setTitle(printer.docName());
        writer.setCreator(printer.creator());
        if (!PaintPages(writer, CollectPrintData(mainFrame), ChosenPages(printer))) return;
    }
    const QByteArray& bytes = pdf.data();
    const FileResult written = WriteFileAtomically(
        printer.outputFileName().toStdString(),
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!written.ok)
        Warn(&mainFrame, QString::fromStdString(mainFrame.language().row(lang_row::kCannotWrite) + "\n" + written.error));
}

}  // namespace

void RunPrintCommand(CMainFrame& mainFrame) {
    OpenPrintedEditors(mainFrame);
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, &mainFrame);
    dialog.setMinMax(1, kPrintPageCount);
    if (RunModal(dialog) != QDialog::Accepted) return;
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
        PrintToPdfFile(mainFrame, printer);
        return;
    }
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
