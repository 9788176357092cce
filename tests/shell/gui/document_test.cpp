// The open file as a document, as a user meets it: the title names the file and shows the
// modified marker, every kind of edit sets it and Save or undoing back clears it, Save writes
// without a dialog, and nothing with unsaved edits is closed, replaced or read over without
// the Save / Discard / Cancel question.
#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <functional>

#include "editors/channel_cells.h"
#include "editors/channel_clipboard.h"
#include "editors/channel_csv.h"
#include "editors/dtmf_layout.h"
#include "editors/gui/batch_channel_dlg.h"
#include "editors/gui/chn_msg_view.h"
#include "editors/gui/dtmf_view.h"
#include "editors/gui/functions_view.h"
#include "editors/gui/key_beep.h"
#include "editors/gui/ms_flex_grid.h"
#include "editors/settings_form.h"
#include "editors/varied_channels.h"
#include "model/channel_record.h"
#include "model/dat_file.h"
#include "shell/commands.h"
#include "shell/gui/main_frame.h"
#include "shell/gui/radioprog_app.h"
#include "shell/gui/text.h"
#include "support/gui_fixture.h"

using namespace radioprog;
using namespace radioprog::test;

namespace {

// How the test answers the unsaved-changes question; Accepted for every other dialog.
enum class Answer { Save, Discard, Cancel };

std::vector<std::uint8_t> FileBytes(const std::string& path) {
    std::string text;
    std::string error;
    ReadTextFile(path, text, error);
    return {text.begin(), text.end()};
}

}  // namespace

class DocumentTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDir> dir_;
    std::unique_ptr<CurrentDirGuard> cwd_;
    std::unique_ptr<CRadioProgApp> app_;
    std::unique_ptr<ModalRecorder> modal_;
    Answer answer_ = Answer::Cancel;
    int questions_ = 0;          // unsaved-changes questions asked
    int fileChoosers_ = 0;       // file dialogs shown
    QString chosen_;             // what the file dialog answers
    std::function<void(QDialog&)> onOtherDialog_;

    CMainFrame* frame() const { return app_->mainFrame(); }
    Document& document() const { return frame()->document(); }
    CChnMsgView* channels() const { return qobject_cast<CChnMsgView*>(frame()->editorView(EditorKind::Channels)); }
    QString file(const char* name) const { return Q(dir_->file(name)); }

    int answerDialog(QDialog& dialog) {
        if (dialog.objectName() == QStringLiteral("saveChangesQuestion")) {
            ++questions_;
            auto& box = static_cast<QMessageBox&>(dialog);
            const QMessageBox::StandardButton button = answer_ == Answer::Save      ? QMessageBox::Save
                                                       : answer_ == Answer::Discard ? QMessageBox::Discard
                                                                                    : QMessageBox::Cancel;
            box.button(button)->click();
            return box.result();
        }
        if (qobject_cast<QMessageBox*>(&dialog)) return int(QMessageBox::Ok);
        if (onOtherDialog_) onOtherDialog_(dialog);
        return int(QDialog::Accepted);
    }

    // A document opened from radio.dat in the test directory, the channel table showing it.
    void openVariedFile() {
        RadioImage image = testing::VariedImage(testing::DistinctRows());
        QVERIFY(SaveDatFile(image, dir_->file("radio.dat")).ok);
        QVERIFY(frame()->OpenFile(file("radio.dat")));
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
    void initTestCase() { SetKeyBeepHandler([] {}); }

    void init() {
        dir_ = std::make_unique<TempDir>();
        cwd_ = std::make_unique<CurrentDirGuard>(dir_->path());
        dir_->write("lang.csv", TestLanguageFile());
        modal_ = std::make_unique<ModalRecorder>([this](QDialog& dialog) { return answerDialog(dialog); });
        Hooks().chooseFile = [this](QWidget*, bool) {
            ++fileChoosers_;
            return chosen_;
        };
        answer_ = Answer::Cancel;
        questions_ = fileChoosers_ = 0;
        chosen_.clear();
        onOtherDialog_ = nullptr;
        app_ = std::make_unique<CRadioProgApp>();
        app_->InitInstance(false);
        frame()->resize(1300, 900);
        frame()->show();
        QApplication::setActiveWindow(frame());
        QVERIFY(QTest::qWaitForWindowActive(frame()));
        QVERIFY(frame()->OpenChannelEditor());
    }
    void cleanup() {
        if (app_) document().startNew();  // nothing left to ask about when the window goes
        app_.reset();
        modal_.reset();
        cwd_.reset();
        dir_.reset();
    }

    void titleNamesTheFileAndShowsTheMarker() {
        QCOMPARE(frame()->windowTitle(), QStringLiteral("E223[*] \u2014 E0"));  // Untitled
        QVERIFY(!frame()->isWindowModified());
        typeIntoCell(1, 2, "145.5");
        QVERIFY(frame()->isWindowModified());
        chosen_ = file("mine");
        QVERIFY(frame()->OnFileSave());  // untitled: Save asks for a name once
        QCOMPARE(fileChoosers_, 1);
        QCOMPARE(frame()->windowTitle(), QStringLiteral("mine.dat[*] \u2014 E0"));
        QVERIFY(!frame()->isWindowModified());
        QCOMPARE(document().path(), file("mine.dat"));
    }

    void everyKindOfEditSetsTheMarker_data() {
        QTest::addColumn<int>("kind");
        const char* names[] = {"cell", "batch", "paste", "import", "delete", "insert", "move",
                               "functions OK", "DTMF commit", "undo past the save", "redo past the save"};
        for (int k = 0; k < int(std::size(names)); ++k) QTest::newRow(names[k]) << k;
    }
    void everyKindOfEditSetsTheMarker() {
        QFETCH(int, kind);
        openVariedFile();
        QCOMPARE(frame()->windowTitle(), QStringLiteral("radio.dat[*] \u2014 E0"));
        channels()->grid()->SetRow(3);
        channels()->grid()->SetCol(2);
        auto run = [this](int command) { frame()->action(command)->trigger(); };
        switch (kind) {
        case 0: typeIntoCell(1, 2, "440.5"); break;
        case 1:
            onOtherDialog_ = [](QDialog& dialog) {
                if (auto* batch = qobject_cast<CBatchChannelDlg*>(&dialog)) batch->okButton()->click();
            };
            frame()->OnBatchChannels();
            break;
        case 2:
            QGuiApplication::clipboard()->setText(
                Q(CopyChannels(testing::VariedImage(testing::DistinctRows()), frame()->language(), {40})));
            run(command::kEditPaste);
            break;
        case 3:
            chosen_ = Q(dir_->write("in.csv", "Location,Frequency\n5,145.725\n"));
            run(command::kImportCsv);
            break;
        case 4: run(command::kDeleteChannels); break;
        case 5: run(command::kInsertChannel); break;
        case 6: run(command::kMoveChannelsDown); break;
        case 7: {
            frame()->OpenFunctionsEditor();
            auto* form = static_cast<CChoiceFunView*>(frame()->editorView(EditorKind::Functions));
            auto* squelch = qobject_cast<QComboBox*>(form->control(1013));
            squelch->setCurrentIndex((squelch->currentIndex() + 1) % squelch->count());
            QVERIFY(!document().isModified());  // the form stores on OK
            qobject_cast<QPushButton*>(form->control(settings_control::kOk))->click();
            break;
        }
        case 8: {
            frame()->OpenDtmfEditor();
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
            run(command::kEditUndo);
            if (kind == 10) {
                QVERIFY(frame()->OnFileSave());
                QVERIFY(!frame()->isWindowModified());
                run(command::kEditRedo);
            }
            break;
        }
        QVERIFY(frame()->isWindowModified());
        QCOMPARE(document().isModified(), true);
        QCOMPARE(questions_, 0);
    }

    void undoBackToTheSavedStateClearsTheMarker() {
        openVariedFile();
        typeIntoCell(1, 2, "440.5");
        typeIntoCell(2, 2, "440.6");
        QVERIFY(frame()->isWindowModified());
        frame()->action(command::kEditUndo)->trigger();
        QVERIFY(frame()->isWindowModified());
        frame()->action(command::kEditUndo)->trigger();
        QVERIFY(!frame()->isWindowModified());
        frame()->action(command::kEditRedo)->trigger();
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
        frame()->action(command::kFileSaveAs)->trigger();
        QCOMPARE(fileChoosers_, 1);
        QCOMPARE(document().path(), file("copy.dat"));
        QCOMPARE(FileBytes(dir_->file("copy.dat")), FileBytes(dir_->file("radio.dat")));
    }

    void unsavedEditsAreAskedAboutAndCancelKeepsEverything_data() {
        QTest::addColumn<int>("command");
        QTest::newRow("close") << 0;
        QTest::newRow("exit") << command::kExit;
        QTest::newRow("new") << command::kFileNew;
        QTest::newRow("open") << command::kFileOpen;
        QTest::newRow("read") << command::kReadRadio;
    }
    void unsavedEditsAreAskedAboutAndCancelKeepsEverything() {
        QFETCH(int, command);
        auto runCommand = [&] {
            if (command == 0)
                frame()->close();
            else
                frame()->action(command)->trigger();
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
        QVERIFY(frame()->image() == edited);
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
        if (command == 0 || command == command::kExit) QVERIFY(!frame()->isVisible());
        if (command == command::kReadRadio) QTRY_VERIFY(!frame()->transferRunning());  // no radio here
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
        frame()->OpenDtmfEditor();
        frame()->close();
        QCOMPARE(questions_, 1);
    }
};

QTEST_MAIN(DocumentTest)
#include "document_test.moc"
