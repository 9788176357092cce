// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/gui/print_command.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "model/atomic_file.h"
#include "print/gui/print_source.h"
#include "print/paint/page_painter.h"
#include "ui/editor_host.h"
#include "ui/ui_hooks.h"

namespace radioprog {

namespace {

// A range chosen in the print dialog prints only its pages.
std::vector<int> ChosenPages(const QPrinter& printer) {
    return PagesInRanges(printer.printRange() == QPrinter::PageRange ? printer.pageRanges() : QPageRanges());
}

// Printing to a PDF file: the pages are drawn in memory and the file written as a whole, so
// a failed print never leaves half a PDF over an earlier one.
void PrintToPdfFile(EditorHost& host, const QPrinter& printer) {
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setPageLayout(printer.pageLayout());
        writer.setResolution(printer.resolution());
        writer.setTitle(printer.docName());
        writer.setCreator(printer.creator());
        if (!PaintPages(writer, CollectPrintData(host), ChosenPages(printer))) return;
    }
    const QByteArray& bytes = pdf.data();
    const FileResult written =
        WriteFileAtomically(printer.outputFileName().toStdString(),
                            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!written.ok)
        Warn(host.hostWindow(),
             QString::fromStdString(host.language().row(lang_row::kCannotWrite) + "\n" + written.error));
}

}  // namespace

// The printout shows what the open editors show, and the image where no editor is open:
// printing opens no window.
void RunPrintCommand(EditorHost& host) {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, host.hostWindow());
    dialog.setMinMax(1, kPrintPageCount);
    if (RunModal(dialog) != QDialog::Accepted) return;
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
        PrintToPdfFile(host, printer);
        return;
    }
    PaintPages(printer, CollectPrintData(host), ChosenPages(printer));
}

void RunPrintPreviewCommand(EditorHost& host) {
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog dialog(&printer, host.hostWindow());
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&host](QPrinter* target) { PaintPages(*target, CollectPrintData(host), ChosenPages(*target)); });
    RunModal(dialog);
}

}  // namespace radioprog
