// SPDX-License-Identifier: GPL-3.0-or-later
// File > Print and File > Print Preview in the main window: the print dialog decides whether
// and which pages print; the preview shows the three pages.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "editors/gui/functions_view.h"
#include "model/dat_file.h"
#include "print/gui/print_source.h"
#include "print/settings_page.h"
#include "radio/new_image.h"
#include "radio/settings_form.h"
#include "shell/command_table.h"
#include "shell/gui/language_dlg.h"
#include "shell/gui/main_frame.h"
#include "shell/gui/radioprog_app.h"
#include "support/cli_run.h"
#include "support/program_fixture.h"
#include "ui/child_frame.h"
#include "ui/text.h"

using namespace radioprog;
using namespace radioprog::test;

namespace {

// pdfinfo's page count and pdftotext's text of a PDF.
std::pair<int, QString> ReadPdf(const QString& path) {
    QProcess info, text;
    info.start(QStringLiteral("pdfinfo"), {path});
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!info.waitForFinished() || !text.waitForFinished()) return {-1, {}};
    int pages = -1;
    for (const QString& line : QString::fromUtf8(info.readAllStandardOutput()).split('\n'))
        if (line.startsWith(QStringLiteral("Pages:"))) pages = line.mid(6).trimmed().toInt();
    return {pages, QString::fromUtf8(text.readAllStandardOutput())};
}

// pdftotext's text of one page as laid out, each line's spaces made one (empty lines dropped).
QString PdfPageText(const QString& path, int page) {
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-f"), QString::number(page),
                                             QStringLiteral("-l"), QString::number(page), path, QStringLiteral("-")});
    if (!text.waitForFinished()) return {};
    QStringList lines;
    for (const QString& line : QString::fromUtf8(text.readAllStandardOutput()).split(QLatin1Char('\n')))
        if (!line.simplified().isEmpty()) lines << line.simplified();
    return lines.join(QLatin1Char('\n'));
}

std::string ShippedLanguageFile() {
    std::ifstream in(std::string(RADIOPROG_SOURCE_DIR) + "/data/lang.csv", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

class PrintCommandTest : public ProgramTest {
    Q_OBJECT

private slots:
    void init() { setUpProgram(); }
    void cleanup() { tearDownProgram(); }

    // The settings page prints every setting of the form with the caption and the value the
    // form shows, in each of the three languages.
    void theSettingsPagePrintsWhatTheFormShows_data() {
        QTest::addColumn<QString>("letter");
        QTest::newRow("Simplified Chinese") << QStringLiteral("Z");
        QTest::newRow("Traditional Chinese") << QStringLiteral("T");
        QTest::newRow("English") << QStringLiteral("E");
    }
    void theSettingsPagePrintsWhatTheFormShows() {
        QFETCH(QString, letter);
        LanguageTable language;
        for (std::size_t r = 0; r < language.rows.size(); ++r) language.rows[r] = S(letter) + std::to_string(r);
        frame()->workspace().language = language;
        // Settings other than the defaults, so that no value is printed by chance.
        RadioImage image;
        WriteNewImage(image);
        for (std::uint16_t address = 0x0E20; address < 0x0E60; ++address)
            image.settingsByte(address) = static_cast<std::uint8_t>(address * 7 + 1);
        frame()->document().replace(image, QString(), false);
        QVERIFY(frame()->OpenFunctionsEditor());
        auto* view = qobject_cast<CChoiceFunView*>(frame()->editorView(EditorKind::Functions));
        QVERIFY(view);
        const std::vector<SettingsPageLine> lines = SettingsPageLines(CollectPrintData(*frame()));

        QStringList captions;
        for (QLabel* label : view->findChildren<QLabel*>()) captions << label->text();
        for (QGroupBox* group : view->findChildren<QGroupBox*>()) captions << group->title();
        for (const SettingsPageLine& line : lines) {
            QWidget* control = view->control(line.control);
            QVERIFY2(control, line.label.c_str());
            QString caption = Q(line.label);
            QVERIFY(caption.endsWith(QStringLiteral("= ")));
            caption.chop(2);
            QString value;
            if (auto* list = qobject_cast<QComboBox*>(control)) {
                value = list->currentText();
            } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
                value = edit->text();
            } else if (auto* check = qobject_cast<QCheckBox*>(control)) {
                QCOMPARE(caption, check->text());
                value = Q(language.row(check->isChecked() ? lang_row::kYes : lang_row::kNo));
            } else if (qobject_cast<QRadioButton*>(control)) {
                for (QRadioButton* button : view->findChildren<QRadioButton*>())
                    if (button->isChecked()) value = button->text();
            }
            if (!qobject_cast<QCheckBox*>(control)) QVERIFY2(captions.contains(caption), qPrintable(caption));
            QCOMPARE(Q(line.value), value);
        }
        // And every setting the form shows has its line.
        for (const FormControl& control : SettingsFormControls()) {
            if (BindingOf(control) == Binding::None || !view->control(control.id)) continue;
            const bool printed = std::any_of(lines.begin(), lines.end(),
                                             [&](const SettingsPageLine& line) { return line.control == control.id; });
            QVERIFY2(printed, qPrintable(QString::number(control.id)));
        }
    }

    // The program's printout and radioprog-cli's read the same on the settings page: three
    // images (a new one, a file of odd contents, one whose every settings byte differs from a
    // new one) in the three languages of the shipped language file.
    void theSettingsPageReadsAsTheCliPrintsIt() {
        QProcess probe;
        probe.start(QStringLiteral("pdftotext"), {QStringLiteral("-v")});
        if (!probe.waitForFinished()) QSKIP("pdftotext (poppler-utils) is not installed");
        tearDownProgram();
        dir_ = std::make_unique<TestDirectory>(ShippedLanguageFile());
        modal_ = std::make_unique<ModalRecorder>();
        app_ = StartProgram();
        QCOMPARE(Cli("new fresh.dat").status, 0);
        RadioImage scrambled;
        scrambled.ApplyDefaults();
        for (std::uint16_t address = 0x0E20; address < 0x0E60; ++address)
            scrambled.settingsByte(address) = static_cast<std::uint8_t>(address * 7 + 1);
        QVERIFY(SaveDatFile(scrambled, dir_->file("scrambled.dat")).ok);
        const std::vector<std::string> images{
            dir_->file("fresh.dat"), std::string(RADIOPROG_SOURCE_DIR) + "/tests/fuzz/corpus/dat_file/odd_tones.dat",
            dir_->file("scrambled.dat")};
        const QString desktopPdf = QString::fromStdString(dir_->file("desktop.pdf"));
        for (int column = 0; column < 3; ++column) {
            modal_->setAnswer([column](QDialog& dialog) {
                if (auto* languages = qobject_cast<CLanguageDlg*>(&dialog)) languages->list()->setCurrentIndex(column);
                dialog.accept();
                return dialog.result();
            });
            app_->OnLanguage();
            modal_->setAnswer([&](QDialog& dialog) {
                if (auto* print = qobject_cast<QPrintDialog*>(&dialog)) {
                    print->printer()->setOutputFormat(QPrinter::PdfFormat);
                    print->printer()->setOutputFileName(desktopPdf);
                }
                return int(QDialog::Accepted);
            });
            for (const std::string& image : images) {
                const QString which = QStringLiteral("%1 in column %2").arg(Q(image)).arg(column);
                QVERIFY2(frame()->openFile(Q(image)), qPrintable(which));
                frame()->onFilePrint();
                QVERIFY2(
                    Cli("print '" + image + "' --language " + std::to_string(column) + " --pdf cli.pdf").status == 0,
                    qPrintable(which));
                const QString desktop = PdfPageText(desktopPdf, 3);
                QVERIFY2(!desktop.isEmpty(), qPrintable(which));
                QCOMPARE(desktop, PdfPageText(QString::fromStdString(dir_->file("cli.pdf")), 3));
            }
        }
    }

    // Print and Print Preview read the image where no editor is open and open no window.
    void printingOpensNoEditor() {
        for (EditorKind kind : {EditorKind::Channels, EditorKind::Functions, EditorKind::Dtmf})
            if (CChildFrame* open = frame()->editorFrame(kind)) open->close();
        QTRY_VERIFY(!frame()->editorFrame(EditorKind::Channels));
        int previews = 0;
        ModalRecorder modal([&](QDialog& dialog) {
            if (qobject_cast<QPrintPreviewDialog*>(&dialog)) ++previews;
            return int(QDialog::Rejected);
        });
        frame()->onFilePrintPreview();
        frame()->onFilePrint();
        QCOMPARE(previews, 1);
        for (EditorKind kind : {EditorKind::Channels, EditorKind::Functions, EditorKind::Dtmf})
            QVERIFY(!frame()->editorFrame(kind));
    }

    void cancellingTheDialogPrintsNothing() {
        const QString out = QString::fromStdString(dir_->file("out.pdf"));
        int dialogs = 0;
        ModalRecorder modal([&](QDialog& dialog) {
            auto* print = qobject_cast<QPrintDialog*>(&dialog);
            if (print == nullptr) return int(QDialog::Accepted);
            ++dialogs;
            print->printer()->setOutputFormat(QPrinter::PdfFormat);
            print->printer()->setOutputFileName(out);
            return int(QDialog::Rejected);
        });
        frame()->onFilePrint();
        QCOMPARE(dialogs, 1);
        QVERIFY(!QFile::exists(out));
    }

    void aChosenPageRangePrintsOnlyThosePagesAsTheEditorsShowThem() {
        // A list chosen in the open form prints as shown, before the form stores it.
        frame()->OpenFunctionsEditor();
        auto* functions = qobject_cast<CChoiceFunView*>(frame()->editorView(EditorKind::Functions));
        QVERIFY(functions != nullptr);
        qobject_cast<QComboBox*>(functions->control(settings_control::kTxTimeout))->setCurrentIndex(5);
        const QString out = QString::fromStdString(dir_->file("out.pdf"));
        ModalRecorder modal([&](QDialog& dialog) {
            if (auto* print = qobject_cast<QPrintDialog*>(&dialog)) {
                print->printer()->setOutputFormat(QPrinter::PdfFormat);
                print->printer()->setOutputFileName(out);
                print->printer()->setPrintRange(QPrinter::PageRange);
                print->printer()->setFromTo(3, 3);
            }
            return int(QDialog::Accepted);
        });
        frame()->onFilePrint();
        const auto [pages, text] = ReadPdf(out);
        if (pages < 0) QSKIP("pdfinfo and pdftotext (poppler-utils) are not installed");
        QCOMPARE(pages, 1);
        QVERIFY2(text.contains(QRegularExpression(QStringLiteral("E43=\\s+90"))), qPrintable(text));
        QVERIFY2(text.contains(QRegularExpression(QStringLiteral("E29\\s+E%1").arg(lang_row::kPageNumber))),
                 qPrintable(text));
        QVERIFY(!text.contains(
            QRegularExpression(QStringLiteral("\\bE%1\\b").arg(lang_row::kChannelNumber))));  // no channel page
    }

    void printingToAFileReplacesItOnlyWhenComplete() {
        // A PDF file is written whole: the old one stays when the new one cannot be written.
        const QString out = QString::fromStdString(dir_->write("out.pdf", "old"));
        const QString missing = QString::fromStdString(dir_->file("no/such/dir/out.pdf"));
        QString target = out;
        ModalRecorder modal([&](QDialog& dialog) {
            if (auto* print = qobject_cast<QPrintDialog*>(&dialog)) {
                print->printer()->setOutputFormat(QPrinter::PdfFormat);
                print->printer()->setOutputFileName(target);
            }
            return int(QDialog::Accepted);
        });
        frame()->onFilePrint();
        QVERIFY(ReadFile(out.toStdString()).rfind("%PDF-", 0) == 0);
        QVERIFY(ReadFile(out.toStdString()).find("%%EOF") != std::string::npos);
        QCOMPARE(modal.warnings.size(), 0);
        for (const auto& entry : std::filesystem::directory_iterator(dir_->path()))
            QVERIFY2(entry.path().filename().string().find("out.pdf.") == std::string::npos, entry.path().c_str());

        target = missing;
        frame()->onFilePrint();
        QCOMPARE(modal.warnings.size(), 1);
        QVERIFY(modal.warnings[0].contains(missing));
    }

    void previewFollowsPrintInTheFileMenuAndShowsThreePages() {
        QMenu* file = frame()->menuBar()->actions().at(0)->menu();
        const QList<QAction*> entries = file->actions();
        const qsizetype print = entries.indexOf(frame()->action(Command::FilePrint));
        QVERIFY(print >= 0 && print + 1 < entries.size());
        QAction* preview = entries.at(print + 1);
        QCOMPARE(preview->text(), QStringLiteral("E%1").arg(lang_row::kPrintPreview));

        int previewPages = -1;
        ModalRecorder modal([&](QDialog& dialog) {
            if (qobject_cast<QPrintPreviewDialog*>(&dialog)) {
                auto* widget = dialog.findChild<QPrintPreviewWidget*>();
                widget->updatePreview();
                previewPages = widget->pageCount();
            }
            return int(QDialog::Rejected);
        });
        preview->trigger();
        QCOMPARE(previewPages, 3);
    }
};

QTEST_MAIN(PrintCommandTest)
#include "print_command_test.moc"
