// SPDX-License-Identifier: GPL-3.0-or-later
// The open file as a document, as a user meets it: the title names the file and shows the
// modified marker, every kind of edit sets it and Save or undoing back clears it, Save writes
// without a dialog, and nothing with unsaved edits is closed, replaced or read over without
// the Save / Discard / Cancel question.
#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QUrl>

#include <functional>

#include "editors/channel_clipboard.h"
#include "editors/channel_csv.h"
#include "editors/channel_editors.h"
#include "editors/dtmf_layout.h"
#include "editors/gui/batch_channel_dlg.h"
#include "editors/gui/chn_msg_view.h"
#include "editors/gui/dtmf_view.h"
#include "editors/gui/filter_edit.h"
#include "editors/gui/functions_view.h"
#include "editors/gui/key_beep.h"
#include "editors/gui/ms_flex_grid.h"
#include "editors/varied_channels.h"
#include "model/channel_record.h"
#include "model/dat_file.h"
#include "model/file_read.h"
#include "model/recovery_file.h"
#include "radio/channel_cells.h"
#include "radio/control_ids.h"
#include "radio/settings_form.h"
#include "shell/command_table.h"
#include "shell/gui/app_settings.h"
#include "shell/gui/language_dlg.h"
#include "shell/gui/main_frame.h"
#include "shell/gui/radioprog_app.h"
#include "shell/gui/recovery_keeper.h"
#include "support/image_bytes.h"
#include "support/program_fixture.h"
#include "ui/text.h"

using namespace radioprog;
using namespace radioprog::test;

namespace {

// How the test answers the unsaved-changes question; Accepted for every other dialog.
enum class Answer { Save, Discard, Cancel };

std::vector<std::uint8_t> FileBytes(const std::string& path) {
    const std::string text = ReadWholeFile(path).bytes;
    return {text.begin(), text.end()};
}

}  // namespace

class DocumentTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDirectory> dir_;
    std::unique_ptr<CRadioProgApp> app_;
    std::unique_ptr<ModalRecorder> modal_;
    Answer answer_ = Answer::Cancel;
    int questions_ = 0;     // unsaved-changes questions asked
    int fileChoosers_ = 0;  // file dialogs shown
    QString chosen_;        // what the file dialog answers
    std::function<void(QDialog&)> onOtherDialog_;
    bool restore_ = true;  // the answer to the offer of a recovery file
    int restoreOffers_ = 0;

    CMainFrame* frame() const { return app_->mainFrame(); }
    Document& document() const { return frame()->document(); }
    CChnMsgView* channels() const { return qobject_cast<CChnMsgView*>(frame()->editorView(EditorKind::Channels)); }
    QString file(const char* name) const { return Q(dir_->file(name)); }

    int answerDialog(QDialog& dialog) {
        if (dialog.objectName() == QStringLiteral("saveChangesQuestion") ||
            dialog.objectName() == QStringLiteral("storeEditsQuestion")) {
            ++questions_;
            auto& box = static_cast<QMessageBox&>(dialog);
            const QMessageBox::StandardButton button = answer_ == Answer::Save      ? QMessageBox::Save
                                                       : answer_ == Answer::Discard ? QMessageBox::Discard
                                                                                    : QMessageBox::Cancel;
            box.button(button)->click();
            return box.result();
        }
        if (dialog.objectName() == QStringLiteral("restoreQuestion")) {
            ++restoreOffers_;
            static_cast<QMessageBox&>(dialog).button(restore_ ? QMessageBox::Ok : QMessageBox::Discard)->click();
            return dialog.result();
        }
        if (auto* languages = qobject_cast<CLanguageDlg*>(&dialog)) {
            // Column 0, or the last column while column 0 is shown.
            const LanguageTable& shown = frame()->language();
            languages->list()->setCurrentIndex(shown.index == 0 ? shown.nameCount() - 1 : 0);
            languages->accept();
            return int(QDialog::Accepted);
        }
        if (qobject_cast<QMessageBox*>(&dialog)) return int(QMessageBox::Ok);
        if (onOtherDialog_) onOtherDialog_(dialog);
        return int(QDialog::Accepted);
    }

    // A document opened from radio.dat in the test directory, the channel table showing it.
    void openVariedFile() {
        RadioImage image = testing::VariedImage(testing::DistinctRows());
        QVERIFY(SaveDatFile(image, dir_->file("radio.dat")).ok);
        QVERIFY(frame()->openFile(file("radio.dat")));
        QVERIFY(!document().isModified());
        QVERIFY(channels());
    }
    void typeIntoCell(int row, int col, const char* text) {
        channels()->grid()->SetRow(row);
        channels()->grid()->SetCol(col);
        channels()->grid()->setFocus();
        // The first key opens the cell's editor, which takes the rest.
        QTest::keyClicks(channels()->grid()->focusProxy(), QString(QChar::fromLatin1(text[0])));
        QWidget* editor = channels()->cellEditor(EditorForColumn(col));
        QTest::keyClicks(editor, text + 1);
        QTest::keyClick(editor, Qt::Key_Return);
    }

private slots:
    void initTestCase() {
        SetKeyBeepHandler([] {});
    }

    // The program as it starts: the window, then what openAtStart does with the arguments.
    void startProgram(const QStringList& arguments = {}) {
        app_.reset();  // the previous window goes without a question, as a crash would take it
        app_ = StartProgram();
        frame()->resize(1300, 900);
        frame()->show();
        QApplication::setActiveWindow(frame());
        QVERIFY(QTest::qWaitForWindowActive(frame()));
        app_->openAtStart(arguments);
        QVERIFY(frame()->OpenChannelEditor());
    }

    void init() {
        // A first run: nothing remembered, nothing to recover.
        QSettings(QStringLiteral("radioprog"), QStringLiteral("radioprog")).clear();
        for (const std::string& file : UnheldRecoveryFiles()) RemoveRecovery(file);
        restore_ = true;
        restoreOffers_ = 0;
        dir_ = std::make_unique<TestDirectory>();
        modal_ = std::make_unique<ModalRecorder>([this](QDialog& dialog) { return answerDialog(dialog); });
        Hooks().chooseFile = [this](QWidget*, bool) {
            ++fileChoosers_;
            return chosen_;
        };
        answer_ = Answer::Cancel;
        questions_ = fileChoosers_ = 0;
        chosen_.clear();
        onOtherDialog_ = nullptr;
        startProgram();
        QCOMPARE(restoreOffers_, 0);
    }
    void cleanup() {
        app_.reset();
        modal_.reset();
        dir_.reset();
    }

    void titleNamesTheFileAndShowsTheMarker() {
        QCOMPARE(frame()->windowTitle(), TitleOf("E", "Untitled"));  // Untitled
        QVERIFY(!frame()->isWindowModified());
        typeIntoCell(1, 2, "145.5");
        QVERIFY(frame()->isWindowModified());
        chosen_ = file("mine");
        QVERIFY(frame()->OnFileSave());  // untitled: Save asks for a name once
        QCOMPARE(fileChoosers_, 1);
        QCOMPARE(frame()->windowTitle(), QStringLiteral("mine.dat[*] - E0"));
        QVERIFY(!frame()->isWindowModified());
        QCOMPARE(document().path(), file("mine.dat"));
    }

    void everyKindOfEditSetsTheMarker_data() {
        QTest::addColumn<int>("kind");
        const char* names[] = {"cell",
                               "batch",
                               "paste",
                               "import",
                               "delete",
                               "insert",
                               "move",
                               "functions OK",
                               "DTMF commit",
                               "undo past the save",
                               "redo past the save"};
        for (int k = 0; k < int(std::size(names)); ++k) QTest::newRow(names[k]) << k;
    }
    void everyKindOfEditSetsTheMarker() {
        QFETCH(int, kind);
        openVariedFile();
        QCOMPARE(frame()->windowTitle(), QStringLiteral("radio.dat[*] - E0"));
        channels()->grid()->SetRow(3);
        channels()->grid()->SetCol(2);
        auto run = [this](Command command) { frame()->action(command)->trigger(); };
        switch (kind) {
        case 0: typeIntoCell(1, 2, "440.5"); break;
        case 1:
            onOtherDialog_ = [](QDialog& dialog) {
                if (auto* batch = qobject_cast<CBatchChannelDlg*>(&dialog)) batch->okButton()->click();
            };
            frame()->onBatchChannels();
            break;
        case 2:
            QGuiApplication::clipboard()->setText(
                Q(CopyChannels(testing::VariedImage(testing::DistinctRows()), frame()->language(), {40})));
            run(Command::EditPaste);
            break;
        case 3:
            chosen_ = Q(dir_->write("in.csv", "Location,Frequency\n5,145.725\n"));
            run(Command::ImportCsv);
            break;
        case 4:
            channels()->grid()->selectRows({3});
            run(Command::DeleteChannels);
            break;
        case 5: run(Command::InsertChannel); break;
        case 6: run(Command::MoveChannelsDown); break;
        case 7: {
            frame()->OpenFunctionsEditor();
            auto* form = static_cast<CChoiceFunView*>(frame()->editorView(EditorKind::Functions));
            auto* squelch = qobject_cast<QComboBox*>(form->control(settings_control::kSquelch));
            squelch->setCurrentIndex((squelch->currentIndex() + 1) % squelch->count());
            QVERIFY(!document().isModified());  // the form stores on OK
            qobject_cast<QPushButton*>(form->control(settings_control::kOk))->click();
            break;
        }
        case 8: {
            frame()->openDtmfEditor();
            auto* form = static_cast<CDtmfView2*>(frame()->editorView(EditorKind::Dtmf));
            form->codeEdit(3)->selectAll();
            QTest::keyClicks(form->codeEdit(3), "159");
            qobject_cast<QPushButton*>(form->control(dtmf_control::kCommit))->click();
            break;
        }
        case 9:
        case 10:
            typeIntoCell(1, 2, "440.5");
            QVERIFY(frame()->OnFileSave());
            QVERIFY(!frame()->isWindowModified());
            run(Command::EditUndo);
            if (kind == 10) {
                QVERIFY(frame()->OnFileSave());
                QVERIFY(!frame()->isWindowModified());
                run(Command::EditRedo);
            }
            break;
        }
        QVERIFY(frame()->isWindowModified());
        QCOMPARE(document().isModified(), true);
        QCOMPARE(questions_, 0);
    }

    void delOnACellEmptiesOnlyThatCellAndOnRowsTheChannels() {
        openVariedFile();
        CMSFlexGrid* grid = channels()->grid();
        const int n = 2;
        QVERIFY(!channels()->GetCellText(n, column::kRxFrequency).empty());
        auto pressDel = [&](int col) {
            grid->SetRow(n + 1);
            grid->SetCol(col);
            grid->setFocus();
            QTest::keyClick(grid->focusProxy(), Qt::Key_Delete);
        };
        // Cells the channel cannot hold empty: nothing happens.
        for (int col : {int(column::kRxFrequency), int(column::kPower), int(column::kSignalling)}) {
            pressDel(col);
            QVERIFY2(!document().isModified(), std::to_string(col).c_str());
        }
        // A tone: only that cell is emptied (off); the rest of the channel stays.
        const RadioImage before = frame()->image();
        pressDel(column::kTxTone);
        QVERIFY(document().isModified());
        QCOMPARE(channels()->GetCellText(n, column::kTxTone), frame()->language().row(lang_row::kToneOff));
        QCOMPARE(ChannelView(frame()->image(), n).rxFrequency(), ChannelView(before, n).rxFrequency());
        QCOMPARE(ChannelView(frame()->image(), n).rxTone(), ChannelView(before, n).rxTone());
        QCOMPARE(ChangedChannels(before, frame()->image()), std::vector<int>{n});
        // Rows picked in the number column: Del empties the whole channels.
        grid->selectRows({n + 1});
        QTest::keyClick(grid->focusProxy(), Qt::Key_Delete);
        QCOMPARE(channels()->GetCellText(n, column::kRxFrequency), std::string());
    }

    void ctrlZAndEscInACellEditorUndoTheTypingThenCancel() {
        openVariedFile();
        CMSFlexGrid* grid = channels()->grid();
        auto* edit = static_cast<QLineEdit*>(channels()->cellEditor(CellEditor::Frequency));
        const std::string stored = channels()->GetCellText(0, column::kRxFrequency);
        for (Qt::Key cancel : {Qt::Key_Z, Qt::Key_Escape}) {
            grid->SetRow(1);
            grid->SetCol(column::kRxFrequency);
            grid->setFocus();
            QTest::keyClick(grid->focusProxy(), Qt::Key_4);
            QVERIFY(edit->isVisible());
            QTest::keyClicks(edit, "40.5");
            QCOMPARE(edit->text(), QStringLiteral("440.5"));
            const Qt::KeyboardModifiers modifiers = cancel == Qt::Key_Z ? Qt::ControlModifier : Qt::NoModifier;
            if (cancel == Qt::Key_Z) {
                // First all the typing in the editor goes back, the opening key too, to the text
                // the editor opened with (an empty channel offers the channel above's frequency) ...
                QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
                QVERIFY(edit->isVisible());
                QCOMPARE(edit->text(), QString::fromStdString(stored));
            }
            // ... then the edit is cancelled: the cell keeps its stored text.
            QTest::keyClick(edit, cancel, modifiers);
            QVERIFY(edit->isHidden());
            QCOMPARE(channels()->GetCellText(0, column::kRxFrequency), stored);
            QVERIFY(!document().isModified());
            QVERIFY(!document().history().canUndo());  // the table's undo was not run
            // A later move or save stores nothing of it.
            frame()->flushEditors();
            QVERIFY(!document().isModified());
        }
    }

    void numericFieldsRefuseASecondPointAndPastedLineBreaks() {
        openVariedFile();
        CMSFlexGrid* grid = channels()->grid();
        auto* edit = static_cast<QLineEdit*>(channels()->cellEditor(CellEditor::Frequency));
        grid->SetRow(1);
        grid->SetCol(column::kRxFrequency);
        grid->setFocus();
        QTest::keyClick(grid->focusProxy(), Qt::Key_1);
        QTest::keyClicks(edit, "45.5.5");
        QCOMPARE(edit->text(), QStringLiteral("145.55"));
        for (const char* pasted : {"146.5\n", "1.2", "abc"}) {
            QGuiApplication::clipboard()->setText(QString::fromLatin1(pasted));
            QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(edit->text(), QStringLiteral("145.55"));
        }
        edit->selectAll();
        QGuiApplication::clipboard()->setText(QStringLiteral("438.125"));
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(edit->text(), QStringLiteral("438.125"));
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);  // Ctrl+A selects all
        QCOMPARE(edit->selectedText(), QStringLiteral("438.125"));
    }

    void theFocusComesBackAfterSaveAndAfterADialog() {
        openVariedFile();
        CMSFlexGrid* grid = channels()->grid();
        auto* edit = channels()->cellEditor(CellEditor::Frequency);
        grid->SetRow(1);
        grid->SetCol(column::kRxFrequency);
        grid->setFocus();
        QTest::keyClick(grid->focusProxy(), Qt::Key_4);
        QTest::keyClicks(edit, "40.5");
        QVERIFY(edit->hasFocus());
        // Ctrl+S in the open editor saves (no band list, no dialog) ...
        QTest::keyClick(edit, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(!document().isModified());
        QCOMPARE(fileChoosers_, 0);
        // ... and the table keeps the keys: Down moves, Ctrl+Z undoes the stored cell.
        QVERIFY(grid->isAncestorOf(QApplication::focusWidget()) || QApplication::focusWidget() == grid);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QCOMPARE(grid->Row(), 2);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(document().isModified());

        // A dialog that takes the focus gives it back.
        QWidget* before = QApplication::focusWidget();
        onOtherDialog_ = [](QDialog& dialog) {
            dialog.show();
            dialog.activateWindow();
            dialog.setFocus();
            QApplication::processEvents();
            dialog.hide();
        };
        app_->OnAppAbout();
        QTRY_COMPARE(QApplication::focusWidget(), before);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(!document().isModified());
    }

    void batchFieldsSelectAllOnFocus() {
        onOtherDialog_ = [](QDialog& dialog) {
            auto* batch = qobject_cast<CBatchChannelDlg*>(&dialog);
            if (!batch) return;
            dialog.show();
            QApplication::setActiveWindow(&dialog);
            batch->rxStartEdit()->setText(QStringLiteral("145.5"));
            QTest::mouseClick(batch->rxStartEdit(), Qt::LeftButton);
            QTRY_COMPARE(batch->rxStartEdit()->selectedText(), QStringLiteral("145.5"));
            QTest::keyClick(batch->rxStartEdit(), Qt::Key_End);
            QTest::keyClick(batch->rxStartEdit(), Qt::Key_A, Qt::ControlModifier);
            QCOMPARE(batch->rxStartEdit()->selectedText(), QStringLiteral("145.5"));
            dialog.hide();
        };
        frame()->onBatchChannels();
    }

    void undoBackToTheSavedStateClearsTheMarker() {
        openVariedFile();
        typeIntoCell(1, 2, "440.5");
        typeIntoCell(2, 2, "440.6");
        QVERIFY(frame()->isWindowModified());
        frame()->action(Command::EditUndo)->trigger();
        QVERIFY(frame()->isWindowModified());
        frame()->action(Command::EditUndo)->trigger();
        QVERIFY(!frame()->isWindowModified());
        frame()->action(Command::EditRedo)->trigger();
        QVERIFY(frame()->isWindowModified());
    }

    void saveWritesTheFileWithoutADialog() {
        openVariedFile();
        typeIntoCell(1, 2, "440.5");
        QTest::keyClick(channels()->grid()->focusProxy(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(fileChoosers_, 0);
        QVERIFY(!frame()->isWindowModified());
        QCOMPARE(FileBytes(dir_->file("radio.dat")).size(), kDatFileSize);
        RadioImage saved;
        QVERIFY(OpenDatFile(dir_->file("radio.dat"), saved).ok);
        QVERIFY(saved == frame()->image());
        QCOMPARE(ChannelView(saved, 0).rxFrequency(), 0x44050000u);

        // Save As asks, and the document then belongs to the new file.
        chosen_ = file("copy.dat");
        frame()->action(Command::FileSaveAs)->trigger();
        QCOMPARE(fileChoosers_, 1);
        QCOMPARE(document().path(), file("copy.dat"));
        QCOMPARE(FileBytes(dir_->file("copy.dat")), FileBytes(dir_->file("radio.dat")));
    }

    void unsavedEditsAreAskedAboutAndCancelKeepsEverything_data() {
        QTest::addColumn<int>("command");
        QTest::newRow("close") << 0;
        QTest::newRow("exit") << static_cast<int>(Command::Exit);
        QTest::newRow("new") << static_cast<int>(Command::FileNew);
        QTest::newRow("open") << static_cast<int>(Command::FileOpen);
        QTest::newRow("read") << static_cast<int>(Command::ReadRadio);
    }
    void unsavedEditsAreAskedAboutAndCancelKeepsEverything() {
        QFETCH(int, command);
        auto runCommand = [&] {
            if (command == 0)
                frame()->close();
            else
                frame()->action(static_cast<Command>(command))->trigger();
        };
        openVariedFile();
        typeIntoCell(1, 2, "440.5");
        const RadioImage edited = frame()->image();
        const std::vector<std::uint8_t> onDisk = FileBytes(dir_->file("radio.dat"));
        chosen_ = Q(dir_->write("other.dat", std::string(kDatFileSize, '\0')));

        answer_ = Answer::Cancel;
        runCommand();
        QCOMPARE(questions_, 1);
        QVERIFY(frame()->isVisible());
        QCOMPARE_IMAGE(frame()->image(), edited);
        QVERIFY(document().isModified());
        QCOMPARE(document().path(), file("radio.dat"));
        QVERIFY(!frame()->transferRunning());
        QCOMPARE(fileChoosers_, 0);
        QVERIFY(FileBytes(dir_->file("radio.dat")) == onDisk);

        // Save stores the edits first, then the command goes on.
        answer_ = Answer::Save;
        runCommand();
        QCOMPARE(questions_, 2);
        RadioImage saved;
        QVERIFY(OpenDatFile(dir_->file("radio.dat"), saved).ok);
        QVERIFY(saved == edited);
        if (command == 0 || command == static_cast<int>(Command::Exit)) QVERIFY(!frame()->isVisible());
        if (command == static_cast<int>(Command::ReadRadio))
            QTRY_VERIFY_WITH_TIMEOUT(!frame()->transferRunning(), 60000);  // no radio here
    }

    void discardGoesOnWithoutSaving() {
        openVariedFile();
        const std::vector<std::uint8_t> onDisk = FileBytes(dir_->file("radio.dat"));
        typeIntoCell(1, 2, "440.5");
        answer_ = Answer::Discard;
        frame()->OnFileNew();
        QCOMPARE(questions_, 1);
        QVERIFY(!document().isModified());
        QCOMPARE(document().path(), QString());
        QVERIFY(FileBytes(dir_->file("radio.dat")) == onDisk);
        // A document without edits is closed without the question.
        frame()->close();
        QCOMPARE(questions_, 1);
        QVERIFY(!frame()->isVisible());
    }

    void anEditInAnOpenEditorCountsAsUnsaved() {
        openVariedFile();
        channels()->grid()->SetRow(1);
        channels()->grid()->SetCol(2);
        channels()->grid()->setFocus();
        QTest::keyClicks(channels()->grid()->focusProxy(), "440.5");  // not committed yet
        frame()->close();
        QCOMPARE(questions_, 1);
        QVERIFY(document().isModified());
        // A form the user did not touch is no edit, though storing it would rewrite bytes.
        document().replace(document().image(), file("radio.dat"), false);
        frame()->OpenFunctionsEditor();
        frame()->openDtmfEditor();
        frame()->close();
        QCOMPARE(questions_, 1);
    }

    void recoveryFileIsKeptWhileModifiedAndGoesAfterSave() {
        openVariedFile();
        frame()->recovery().setInterval(20);
        // What each tick of the keeper's timer does, done at once: nothing unsaved, nothing written.
        frame()->recovery().update();
        QVERIFY(!ReadRecovery(frame()->recovery().path()));
        typeIntoCell(1, 2, "440.5");
        QTRY_VERIFY(ReadRecovery(frame()->recovery().path()).has_value());
        std::optional<Recovery> kept = ReadRecovery(frame()->recovery().path());
        QCOMPARE_IMAGE(kept->image, frame()->image());
        QCOMPARE(Q(kept->documentPath), file("radio.dat"));
        QVERIFY(frame()->OnFileSave());
        QVERIFY(!ReadRecovery(frame()->recovery().path()));
        frame()->recovery().update();
        QVERIFY(!ReadRecovery(frame()->recovery().path()));
        // Discarded at the end: gone as well.
        typeIntoCell(2, 2, "440.6");
        QTRY_VERIFY(ReadRecovery(frame()->recovery().path()).has_value());
        answer_ = Answer::Discard;
        QVERIFY(frame()->close());
        QVERIFY(!ReadRecovery(frame()->recovery().path()));
    }

    void recoveryFileIsOfferedAtStart() {
        RadioImage unsaved = testing::VariedImage(testing::DistinctRows());
        for (bool withPath : {true, false}) {
            // Left by a program that no longer runs.
            QVERIFY(WriteRecovery(RecoveryDirectory() + "/recovery-999999999.dat", unsaved,
                                  withPath ? dir_->file("radio.dat") : std::string())
                        .ok);
            startProgram();
            QCOMPARE(restoreOffers_, 1);
            restoreOffers_ = 0;
            QCOMPARE_IMAGE(frame()->image(), unsaved);
            QVERIFY(document().isModified());
            QCOMPARE(document().path(), withPath ? file("radio.dat") : QString());
            QCOMPARE(channels()->GetCellText(0, column::kRxFrequency),
                     ChannelToRow(unsaved, frame()->language(), 0)[column::kRxFrequency]);
        }
        // Declined: the file goes and the new document is as always.
        restore_ = false;
        startProgram();
        QCOMPARE(restoreOffers_, 1);
        QVERIFY(!document().isModified());
        QVERIFY(!ReadRecovery(frame()->recovery().path()));
    }

    void aCsvFileOnTheCommandLineIsImportedIntoANewDocument() {
        const QString csv = Q(dir_->write("start.csv", "Location,Frequency\n7,146.52\n"));
        startProgram({csv});
        QTRY_COMPARE(ChannelView(frame()->image(), 7).rxFrequency(), 0x14652000u);
        QVERIFY(document().path().isEmpty());
        QVERIFY(document().isModified());
    }

    void filesFromTheCommandLineAndDropsOpenOrImport() {
        QVERIFY(SaveDatFile(testing::VariedImage(testing::DistinctRows()), dir_->file("radio.dat")).ok);
        startProgram({QStringLiteral("--some-option"), file("radio.dat")});
        QCOMPARE(document().path(), file("radio.dat"));
        QVERIFY(!document().isModified());

        // A dropped .csv file is imported into the open document.
        const QString csv = Q(dir_->write("in.csv", "Location,Frequency\n5,145.725\n"));
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(csv)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(frame(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(frame(), &drop);
        QTRY_COMPARE(ChannelView(frame()->image(), 5).rxFrequency(), 0x14572500u);
        QCOMPARE(document().path(), file("radio.dat"));
        QVERIFY(document().isModified());

        // A dropped .dat file is opened, after the question about the import.
        QVERIFY(SaveDatFile(RadioImage{}, dir_->file("other.dat")).ok);
        data.setUrls({QUrl::fromLocalFile(file("other.dat"))});
        QDragEnterEvent enterDat(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(frame(), &enterDat);
        QDropEvent dropDat(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        answer_ = Answer::Discard;
        QApplication::sendEvent(frame(), &dropDat);
        QTRY_COMPARE(document().path(), file("other.dat"));
        QCOMPARE(questions_, 1);

        // Other files are not taken.
        data.setUrls({QUrl::fromLocalFile(Q(dir_->write("notes.txt", "x")))});
        QDragEnterEvent other(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(frame(), &other);
        QVERIFY(!other.isAccepted());
    }

    // Changing the language rebuilds the editors: edits not stored yet are asked about, and
    // each editor comes back where and as it was.
    void aLanguageChangeAsksAboutEditsAndKeepsTheEditorsPlaces() {
        struct Case {
            Answer answer;
            bool changes;  // the language changes
            bool stored;   // the edit is in the image
        } cases[] = {{Answer::Cancel, false, false}, {Answer::Discard, true, false}, {Answer::Save, true, true}};
        QVERIFY(ShowWithChannelTable(*frame()));
        QVERIFY(frame()->openDtmfEditor());
        frame()->editorFrame(EditorKind::Dtmf)->showMinimized();
        for (const Case& c : cases) {
            const int before = frame()->language().index;
            QVERIFY(frame()->OpenFunctionsEditor());
            auto* functions = static_cast<CChoiceFunView*>(frame()->editorView(EditorKind::Functions));
            auto* squelch = qobject_cast<QComboBox*>(functions->control(settings_control::kSquelch));
            QVERIFY(squelch);
            const int index = squelch->currentIndex();
            squelch->setFocus();
            QTest::keyClick(squelch, Qt::Key_Down);
            QVERIFY(frame()->editorView(EditorKind::Functions)->hasUnstoredEdits());
            CChildFrame* channelsFrame = frame()->editorFrame(EditorKind::Channels);
            channelsFrame->setGeometry(QRect(20, 30, 400, 300));
            const RadioImage image = frame()->image();
            answer_ = c.answer;
            questions_ = 0;
            app_->OnLanguage();  // the test chooses another column
            QCOMPARE(questions_, 1);
            QCOMPARE(frame()->language().index != before, c.changes);
            QCOMPARE(!(frame()->image() == image), c.stored);
            // Where it was; as large as it was, or larger where the new language needs it.
            const QRect placed = frame()->editorFrame(EditorKind::Channels)->geometry();
            QCOMPARE(placed.topLeft(), QPoint(20, 30));
            QVERIFY(placed.width() >= 400 && placed.height() >= 300);
            QVERIFY(frame()->editorFrame(EditorKind::Dtmf)->isMinimized());                // not shown again
            if (c.answer == Answer::Cancel) QCOMPARE(squelch->currentIndex(), index + 1);  // still edited
            frame()->editorFrame(EditorKind::Functions)->close();
        }
    }

    void theFirstStartSpeaksTheLocalesLanguageUntilOneIsChosen() {
        const EnvGuard language("LANGUAGE", nullptr), all("LC_ALL", nullptr), messages("LC_MESSAGES", nullptr);
        const EnvGuard lang("LANG", "zh_TW.UTF-8");
        startProgram();
        QCOMPARE(frame()->language().index, 1);
        QCOMPARE(frame()->windowTitle(), TitleOf("T", "Untitled"));
        app_->OnLanguage();  // the test chooses column 0
        QCOMPARE(frame()->language().index, 0);
        startProgram();  // the choice wins over the locale
        QCOMPARE(frame()->language().index, 0);
    }

    void recentFilesAndTheChosenLanguageAreRemembered() {
        QCOMPARE(frame()->language().index, DefaultLanguageIndex());  // the first start
        openVariedFile();
        chosen_ = file("copy.dat");
        QVERIFY(frame()->onFileSaveAs());
        QCOMPARE(RecentFiles(), (QStringList{file("copy.dat"), file("radio.dat")}));
        QCOMPARE(LastFolder(), Q(dir_->path().string()));
        app_->OnLanguage();  // the test chooses column 0
        QCOMPARE(frame()->language().index, 0);

        startProgram();
        QCOMPARE(frame()->language().index, 0);
        QCOMPARE(frame()->windowTitle(), TitleOf("Z", "Untitled"));
        QAction* recent = frame()->action(Command::RecentFiles);
        QVERIFY(recent && recent->isEnabled());
        QCOMPARE(recent->text(), QString("Z%1").arg(lang_row::kRecentFiles));
        emit recent->menu()->aboutToShow();
        const QList<QAction*> entries = recent->menu()->actions();
        QCOMPARE(entries.size(), 2);
        entries[1]->trigger();
        QCOMPARE(document().path(), file("radio.dat"));
        QCOMPARE(RecentFiles().front(), file("radio.dat"));
    }
};

QTEST_MAIN(DocumentTest)
#include "document_test.moc"
