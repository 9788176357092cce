// SPDX-License-Identifier: GPL-3.0-or-later
// radioprog-cli's printing plugin: the printed pages painted into a PDF with Qt's GUI module,
// no screen needed.
#include <QBuffer>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

#include <cstdlib>
#include <optional>

#include "cli/printout_pdf.h"
#include "print/paint/page_painter.h"

namespace {

QtMessageHandler gQtMessages = nullptr;

// Without a desktop session Qt says that XDG_RUNTIME_DIR is not set, although painting a PDF
// needs no runtime folder: that line is not the user's concern. Every other message passes.
void WithoutRuntimeDirNotice(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtWarningMsg && message.startsWith(QStringLiteral("QStandardPaths: XDG_RUNTIME_DIR not set"))) return;
    if (gQtMessages) gQtMessages(type, context, message);
}

}  // namespace

extern "C" __attribute__((visibility("default"))) bool RadioprogDrawPrintoutPdf(const radioprog::PrintData& data,
                                                                                const std::string& title,
                                                                                std::string& pdf) {
    // Drawing needs Qt's fonts but no screen.
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "radioprog-cli";
    static char* argv[] = {name, nullptr};
    std::optional<QGuiApplication> app;
    if (QCoreApplication::instance() == nullptr) {
        gQtMessages = qInstallMessageHandler(WithoutRuntimeDirNotice);
        app.emplace(argc, argv);
    }

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                                     QPageLayout::Millimeter));
    writer.setTitle(QString::fromStdString(title));
    writer.setCreator(QStringLiteral("radioprog-cli"));
    if (!radioprog::PaintPages(writer, data, {1, 2, 3})) return false;
    buffer.close();
    pdf.assign(buffer.data().constData(), static_cast<std::size_t>(buffer.data().size()));
    return true;
}

// The plugin's entry point has the type the program calls it through.
static_assert(std::is_same_v<decltype(&RadioprogDrawPrintoutPdf), radioprog::cli::DrawPrintoutPdfFunction>);
