// SPDX-License-Identifier: GPL-3.0-or-later
// Editing the channel table as a user does, with the keys and the menus of the main window:
// every kind of change undone and redone to the exact bytes, rows picked in the number
// column, the clipboard in spreadsheet form, CSV files, and the keys an open cell editor
// keeps for itself.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "editors/channel_clipboard.h"
#include "editors/channel_csv.h"
#include "editors/channel_rows.h"
#include "editors/gui/batch_channel_dlg.h"
#include "editors/gui/channel_edit_report.h"
#include "editors/gui/chn_msg_view.h"
#include "editors/gui/key_beep.h"
#include "editors/gui/ms_flex_grid.h"
#include "editors/varied_channels.h"
#include "model/channel_record.h"
#include "radio/channel_cells.h"
#include "shell/command_table.h"
#include "shell/gui/main_frame.h"
#include "shell/gui/radioprog_app.h"
#include "support/image_bytes.h"
#include "support/program_fixture.h"
#include "ui/text.h"

using namespace radioprog;
using namespace radioprog::test;

class ChannelEditingTest : public ProgramTest {
    Q_OBJECT

    QStringList reportTexts_;  // summary, then the entries, of each report

    CChnMsgView* view() const { return qobject_cast<CChnMsgView*>(frame()->editorView(EditorKind::Channels)); }
    CMSFlexGrid* grid() const { return view()->grid(); }
    const EditHistory& history() const { return frame()->document().history(); }

    // A key as the keyboard sends it: to the widget that has the focus.
    void press(int key, Qt::KeyboardModifiers modifiers = {}) {
        QWidget* target = QApplication::focusWidget();
        QVERIFY(target);
        QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
    }
    // A click in the channel-number column (on a row in view).
    void pickRow(int row, Qt::KeyboardModifiers modifiers = {}) {
        QWidget* header = grid()->rowHeaderArea();
        const int y = grid()->cellRect(row, 1).center().y();
        QVERIFY(y > 0 && y < header->height());
        QTest::mouseClick(header, Qt::LeftButton, modifiers, QPoint(header->width() / 2, y));
    }
    void setCell(int row, int col) {
        grid()->SetRow(row);
        grid()->SetCol(col);
    }
    // Every cell of the grid shows the image.
    void verifyGridShowsImage() {
        for (int n = 0; n < kChannelCount; ++n) {
            const ChannelRow row = ChannelToRow(frame()->image(), frame()->language(), n);
            for (int c = column::kBand; c < kChannelColumnCount; ++c)
                QCOMPARE(view()->GetCellText(n, c), row[static_cast<std::size_t>(c)]);
        }
    }
    // The entry of a top-level menu whose caption is the language row's text.
    QAction* menuEntry(int menuPosition, int row) const {
        const QString caption = Q(frame()->language().row(row));
        for (QAction* entry : frame()->menuBar()->actions()[menuPosition]->menu()->actions())
            if (entry->text() == caption) return entry;
        return nullptr;
    }

private slots:
    void initTestCase() {
        SetKeyBeepHandler([] {});
    }

    void init() {
        reportTexts_.clear();
        setUpProgram(Radio::None, [this](QDialog& dialog) {
            if (auto* report = qobject_cast<CChannelEditReportDlg*>(&dialog))
                reportTexts_ << QStringList(report->summary()) + report->entries();
            return int(QDialog::Accepted);
        });
        frame()->resize(1300, 900);
        QVERIFY(ShowWithChannelTable(*frame()));
        QVERIFY(view());
        frame()->document().replace(testing::VariedImage(testing::DistinctRows()), QString(), false);
        view()->LoadFromImage();
        grid()->setFocus();
        CChnMsgView::forgetFirstClick();
    }
    void cleanup() { tearDownProgram(); }

    void everyKindOfChangeIsUndoneAndRedoneExactly() {
        QList<RadioImage> states{frame()->image()};
        auto stepDone = [&] {
            states << frame()->image();
            QCOMPARE(int(history().undoCount()), states.size() - 1);
        };

        // A committed cell: a name typed over channel 2's.
        setCell(3, column::kName);
        press(Qt::Key_Q);
        press(Qt::Key_Return);
        stepDone();

        // A batch from its dialog: one OK is one step.
        modal_->setAnswer([](QDialog& dialog) {
            if (auto* batch = qobject_cast<CBatchChannelDlg*>(&dialog))
                QTest::mouseClick(batch->okButton(), Qt::LeftButton);
            return int(QDialog::Rejected);
        });
        frame()->onBatchChannels();
        grid()->setFocus();
        stepDone();

        // A paste of two copied rows onto channels 20 and 21, which are then selected.
        pickRow(1);
        pickRow(2, Qt::ShiftModifier);
        press(Qt::Key_C, Qt::ControlModifier);
        pickRow(21);
        press(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(grid()->selectedRows(), (std::vector<int>{21, 22}));
        stepDone();

        // An insert at channel 1: the batch put channel 127 in use, so the user is asked first;
        // Cancel changes nothing.
        QString question;
        int answer = QMessageBox::Cancel;
        modal_->setAnswer([&](QDialog& dialog) {
            if (auto* box = qobject_cast<QMessageBox*>(&dialog)) question = box->text();
            return answer;
        });
        pickRow(2);
        press(Qt::Key_Insert);
        QCOMPARE(question, QStringLiteral("E%1").arg(lang_row::kConfirmDropLast));
        QCOMPARE_IMAGE(frame()->image(), states.last());
        answer = QMessageBox::Ok;
        press(Qt::Key_Insert);
        QVERIFY(!ChannelInUse(frame()->image(), 1));
        stepDone();

        // Delete channels 0 and 1.
        pickRow(1);
        pickRow(2, Qt::ShiftModifier);
        press(Qt::Key_Delete);
        QVERIFY(!ChannelInUse(frame()->image(), 0));
        stepDone();

        // Move channels 3 and 4 down; they stay selected and the current row goes along.
        pickRow(4);
        pickRow(5, Qt::ShiftModifier);
        press(Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(grid()->selectedRows(), (std::vector<int>{5, 6}));
        QCOMPARE(grid()->Row(), 5);
        stepDone();

        // The history outlives the channel table's window.
        frame()->editorFrame(EditorKind::Channels)->close();
        QTRY_VERIFY(!frame()->editorFrame(EditorKind::Channels));
        QVERIFY(frame()->OpenChannelEditor());
        grid()->setFocus();

        QAction* undo = frame()->action(Command::EditUndo);
        QAction* redo = frame()->action(Command::EditRedo);
        for (qsizetype k = states.size() - 1; k > 0; --k) {
            QVERIFY(undo->isEnabled());
            press(Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE_IMAGE(frame()->image(), states[k - 1]);
        }
        verifyGridShowsImage();
        QVERIFY(!undo->isEnabled());
        for (qsizetype k = 1; k < states.size(); ++k) {
            QVERIFY(redo->isEnabled());
            if (k % 2)
                press(Qt::Key_Y, Qt::ControlModifier);
            else
                press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
            QCOMPARE_IMAGE(frame()->image(), states[k]);
        }
        verifyGridShowsImage();
        QVERIFY(!redo->isEnabled());
    }

    void anOpenCellEditorKeepsItsTextEditingKeys() {
        setCell(3, column::kRxFrequency);
        press(Qt::Key_1);
        auto* edit = qobject_cast<QLineEdit*>(view()->cellEditor(CellEditor::Frequency));
        QVERIFY(edit && edit->isVisible());
        QCOMPARE(QApplication::focusWidget(), edit);
        QTest::keyClicks(edit, "46.5");
        const RadioImage before = frame()->image();

        edit->selectAll();
        press(Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(edit->text(), QString());
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("146.5"));
        press(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(edit->text(), QStringLiteral("146.5"));
        // Ctrl+Z is the edit's key: it undoes the typing in the edit (the paste, then the cut)
        // without a beep; the channels and the history stay as they are and the cell stays open.
        int beeps = 0;
        SetKeyBeepHandler([&beeps] { ++beeps; });
        press(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(edit->text(), QString());
        press(Qt::Key_Z, Qt::ControlModifier);
        SetKeyBeepHandler([] {});
        QCOMPARE(beeps, 0);
        QVERIFY(edit->isVisible());
        QCOMPARE(edit->text(), QStringLiteral("146.5"));
        QCOMPARE_IMAGE(frame()->image(), before);
        QCOMPARE(history().undoCount(), std::size_t(0));

        press(Qt::Key_Return);
        QCOMPARE(ChannelView(frame()->image(), 2).rxFrequency(), 0x14650000u);
        QCOMPARE(QApplication::focusWidget(), grid()->focusProxy());
        press(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE_IMAGE(frame()->image(), before);

        // In another editor the table's keys do nothing to the channels.
        CChildFrame* functions = frame()->OpenFunctionsEditor();
        QVERIFY(functions);
        auto* list = functions->findChild<QComboBox*>();
        QVERIFY(list);
        list->setFocus();
        QCOMPARE(QApplication::focusWidget(), list);
        press(Qt::Key_Delete);
        press(Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE_IMAGE(frame()->image(), before);
        QVERIFY(history().canRedo());
    }

    // Sort by Frequency with one row picked sorts the whole table as one undo step; Ctrl+Z
    // restores it.
    void sortingTheTableIsOneStep() {
        pickRow(3);
        const std::size_t steps = history().undoCount();
        const RadioImage before = frame()->image();
        RadioImage expected = before;
        SortChannels(expected, {2}, ChannelSortKey::RxFrequency);
        QVERIFY2(!(expected == before), "the fixture's names are not in order");
        frame()->action(Command::SortByFrequency)->trigger();
        QCOMPARE_IMAGE(frame()->image(), expected);
        QCOMPARE(history().undoCount(), steps + 1);
        grid()->setFocus();
        press(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE_IMAGE(frame()->image(), before);
    }

    void copyGivesSpreadsheetTextAndPasteReportsBadCellsOnce() {
        pickRow(3);
        pickRow(5, Qt::ShiftModifier);
        QCOMPARE(grid()->selectedRows(), (std::vector<int>{3, 4, 5}));
        pickRow(4, Qt::ControlModifier);
        pickRow(7, Qt::ControlModifier);
        QCOMPARE(grid()->selectedRows(), (std::vector<int>{3, 5, 7}));
        press(Qt::Key_C, Qt::ControlModifier);
        const QString copied = QGuiApplication::clipboard()->text();
        QCOMPARE(S(copied), CopyChannels(frame()->image(), frame()->language(), {2, 4, 6}));
        QVERIFY(copied.startsWith(QStringLiteral("2\tVHF/UHF\t146.52000\t146.52000\t100.0\t100.0\t")));
        QCOMPARE(copied.split(QLatin1Char('\n')).front().split(QLatin1Char('\t')).size(), kChannelColumnCount);

        // A click on a data cell ends the row selection; the paste starts at that row.
        QTest::mouseClick(grid()->cellArea(), Qt::LeftButton, {}, grid()->cellRect(2, 4).center());
        QVERIFY(grid()->selectedRows().empty());
        grid()->SetRow(41);
        // From a spreadsheet: CR LF, no channel numbers, the tone 123.4 the radio cannot store.
        QGuiApplication::clipboard()->setText(
            QStringLiteral("\t\t147.5\t147.5\t88.5\t88.5\r\n\t\t446.1\t446.1\t123.4\r\n"));
        const RadioImage before = frame()->image();
        press(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(modal_->titles, QStringList{QStringLiteral("E%1").arg(lang_row::kSkippedTitle)});
        const std::string problem =
            PasteProblemText({41, column::kRxTone, "123.4", CsvReason::UnstorableTone}, frame()->language());
        QCOMPARE(reportTexts_, (QStringList{QString(), Q(problem)}));
        QCOMPARE(ChannelView(frame()->image(), 40).rxFrequency(), 0x14750000u);
        QCOMPARE(ChannelView(frame()->image(), 41).rxFrequency(), 0x44610000u);
        QCOMPARE(view()->GetCellText(41, column::kRxTone), frame()->language().row(lang_row::kToneOff));
        QCOMPARE(history().undoCount(), std::size_t(1));
        press(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE_IMAGE(frame()->image(), before);

        // A column with its header in another language of the file pastes down the current
        // column, the header skipped.
        modal_->titles.clear();
        setCell(3, column::kName);
        QGuiApplication::clipboard()->setText(QStringLiteral("Z26\r\nabc\r\ndef\r\n"));
        press(Qt::Key_V, Qt::ControlModifier);
        QVERIFY(modal_->titles.isEmpty());
        QCOMPARE(view()->GetCellText(2, column::kName), std::string("ABC"));
        QCOMPARE(view()->GetCellText(3, column::kName), std::string("DEF"));
        QCOMPARE(view()->GetCellText(4, column::kName), std::string());
        QCOMPARE(ChannelView(frame()->image(), 2).rxFrequency(), ChannelView(before, 2).rxFrequency());
    }

    void csvFilesThroughTheFileMenuAndFileNewForgetsTheHistory() {
        // The Edit and File menus carry the new rows' captions.
        for (int row = lang_row::kUndo; row <= lang_row::kMoveDown; ++row)
            QVERIFY2(menuEntry(2, row), std::to_string(row).c_str());
        QAction* import = menuEntry(0, lang_row::kImportCsv);
        QAction* exportEntry = menuEntry(0, lang_row::kExportCsv);
        QVERIFY(import && exportEntry);

        const std::string in = dir_->write("in.csv",
                                           "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq\n"
                                           "5,abc,145.500,,,Tone,88.5\n"
                                           "60,,999.0,,,,\n"
                                           "61,,440.000,-,5.0,,\n");
        std::string chosen = in;
        Hooks().chooseFile = [&chosen](QWidget*, bool) { return Q(chosen); };
        const RadioImage before = frame()->image();
        // The file has Locations: the user is asked where the rows go; here by Location.
        import->trigger();
        QCOMPARE(modal_->titles, (QStringList{QStringLiteral("E%1").arg(lang_row::kTitle),
                                              QStringLiteral("E%1").arg(lang_row::kSkippedTitle)}));
        QCOMPARE(reportTexts_.size(), 3);
        QCOMPARE(reportTexts_[0], QStringLiteral("E207 2"));
        // The name stored in capitals is listed with what it became.
        QVERIFY2(reportTexts_[1].startsWith(QStringLiteral("E206 2")) && reportTexts_[1].endsWith("(abc -> ABC)"),
                 qPrintable(reportTexts_[1]));
        QVERIFY2(reportTexts_[2].startsWith(QStringLiteral("E206 3")), qPrintable(reportTexts_[2]));
        QCOMPARE(view()->GetCellText(5, column::kName), std::string("ABC"));
        QCOMPARE(ChannelView(frame()->image(), 61).txFrequency(), 0x43500000u);
        QVERIFY(!ChannelInUse(frame()->image(), 60));
        const RadioImage imported = frame()->image();

        // The import is one step.
        frame()->action(Command::EditUndo)->trigger();
        QCOMPARE_IMAGE(frame()->image(), before);
        frame()->action(Command::EditRedo)->trigger();
        QCOMPARE_IMAGE(frame()->image(), imported);
        verifyGridShowsImage();

        // In file order from the current channel instead: Locations past 127 do not matter.
        chosen = dir_->write("far.csv", "Location,Frequency\n900,145.5\n901,146.5\n");
        QString question;
        modal_->setAnswer([&](QDialog& dialog) {
            auto* box = qobject_cast<QMessageBox*>(&dialog);
            if (!box) return int(QDialog::Accepted);
            question =
                box->text() + "|" + box->button(QMessageBox::Yes)->text() + "|" + box->button(QMessageBox::No)->text();
            return int(QMessageBox::No);
        });
        setCell(91, column::kRxTone);
        import->trigger();
        QCOMPARE(question, QString("E%1|E%2|E%3 90")
                               .arg(lang_row::kImportPlacement)
                               .arg(lang_row::kByLocation)
                               .arg(lang_row::kFromChannel));
        QCOMPARE(view()->GetCellText(90, column::kRxFrequency), std::string("145.50000"));
        QCOMPARE(view()->GetCellText(91, column::kRxFrequency), std::string("146.50000"));
        frame()->action(Command::EditUndo)->trigger();
        QCOMPARE_IMAGE(frame()->image(), imported);
        modal_->setAnswer([](QDialog&) { return int(QDialog::Accepted); });

        // Export writes what the CSV export makes of the image; a failure says why.
        chosen = dir_->file("out.csv");
        exportEntry->trigger();
        QCOMPARE(ReadFile(chosen), ExportChannelsCsv(imported));
        chosen = dir_->file("missing/out.csv");
        exportEntry->trigger();
        QCOMPARE(modal_->warnings.size(), 1);
        QVERIFY(modal_->warnings[0].startsWith(QStringLiteral("E222\n")));
        QVERIFY(modal_->warnings[0].contains(Q(chosen)));

        // File New replaces the image: nothing is left to undo or redo.
        frame()->action(Command::EditUndo)->trigger();
        QVERIFY(history().canRedo());
        frame()->OnFileNew();
        QVERIFY(!history().canUndo() && !history().canRedo());
        QVERIFY(!frame()->action(Command::EditUndo)->isEnabled());
        QVERIFY(!frame()->action(Command::EditRedo)->isEnabled());
    }
};

QTEST_MAIN(ChannelEditingTest)
#include "channel_editing_test.moc"
