// SPDX-License-Identifier: GPL-3.0-or-later
// The batch channel dialog from the Edit menu: its initial values, the range controls, the
// channel-number arrows, Enter, and OK filling the channels while the dialog stays open.
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include "editors/gui/batch_channel_dlg.h"
#include "editors/gui/batch_command.h"
#include "editors/gui/chn_msg_view.h"
#include "editors/gui/filter_edit.h"
#include "editors/gui/ms_flex_grid.h"
#include "editors/gui/up_down_control.h"
#include "model/channel_record.h"
#include "shell/gui/list_accessible.h"
#include "shell/gui/main_frame.h"
#include "support/gui_fixture.h"
#include "support/image_bytes.h"

using namespace radioprog;

Q_DECLARE_METATYPE(radioprog::RadioImage)

namespace {

LanguageTable Texts() {
    LanguageTable language;
    for (int r = 0; r < kLanguageRowCount; ++r) language.rows[static_cast<std::size_t>(r)] = "E" + std::to_string(r);
    language.rows[lang_row::kToneOff] = "OFF";
    return language;
}

}  // namespace

class BatchDialogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        qRegisterMetaType<RadioImage>();
        InstallListAccessibility();
    }

    void controlsStartFromTheInitialValues() {
        const LanguageTable language = Texts();
        int applied = 0;
        CBatchChannelDlg dialog(language, [&applied](const BatchSettings&) { ++applied; });
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("E%1").arg(lang_row::kBatchChannels));
        QCOMPARE(dialog.rxStartEdit()->text(), QStringLiteral("405.02500"));
        QCOMPARE(dialog.stepList()->currentText(), QStringLiteral("25.0"));
        QCOMPARE(dialog.stepList()->count(), 7);
        QVERIFY(dialog.allChannelsButton()->isChecked());
        QVERIFY(!dialog.firstChannelEdit()->isEnabled());
        QVERIFY(!dialog.lastChannelArrows()->isEnabled());

        // The range button enables the channel numbers; the up arrow counts up to the table's
        // last channel, 127.
        dialog.rangeButton()->click();
        QVERIFY(dialog.firstChannelEdit()->isEnabled());
        QVERIFY(dialog.lastChannelArrows()->isEnabled());
        QCOMPARE(dialog.firstChannelEdit()->text(), QStringLiteral("0"));
        dialog.firstChannelEdit()->setText(QStringLiteral("126"));
        dialog.firstChannelArrows()->upButton()->click();
        dialog.firstChannelArrows()->upButton()->click();
        QCOMPARE(dialog.firstChannelEdit()->text(), QStringLiteral("127"));
        dialog.firstChannelArrows()->downButton()->click();
        QCOMPARE(dialog.firstChannelEdit()->text(), QStringLiteral("126"));
        dialog.allChannelsButton()->click();
        QVERIFY(!dialog.firstChannelEdit()->isEnabled());

        // Enter on a field moves on; on OK it applies.
        dialog.rxStartEdit()->setFocus();
        QTest::keyClick(dialog.rxStartEdit(), Qt::Key_Return);
        QCOMPARE(dialog.focusWidget(), dialog.stepList());
        QCOMPARE(applied, 0);
        dialog.okButton()->setFocus();
        QTest::keyClick(dialog.okButton(), Qt::Key_Return);
        QCOMPARE(applied, 1);
        QVERIFY(dialog.isVisible());
        dialog.cancelButton()->setFocus();
        QTest::keyClick(dialog.cancelButton(), Qt::Key_Return);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(applied, 1);
    }

    // A screen reader names each field and list by the caption beside it and reads a list's
    // entry as its text (an editable list's entry is its own text field).
    void everyFieldIsNamedAndEveryListSpeaksItsEntry() {
        const LanguageTable language = Texts();
        CBatchChannelDlg dialog(language, [](const BatchSettings&) {});
        dialog.show();
        const std::pair<QWidget*, int> named[] = {{dialog.rxStartEdit(), lang_row::kRxStart},
                                                  {dialog.stepList(), lang_row::kStepKhz},
                                                  {dialog.firstChannelEdit(), lang_row::kFirstChannel},
                                                  {dialog.lastChannelEdit(), lang_row::kLastChannel}};
        for (const auto& [field, row] : named) {
            const auto labels = QAccessible::queryAccessibleInterface(field)->relations(QAccessible::Label);
            QCOMPARE(labels.size(), 1);
            QCOMPARE(labels[0].first->text(QAccessible::Name), QStringLiteral("E%1").arg(row));
        }
        int lists = 0;
        for (QComboBox* list : dialog.findChildren<QComboBox*>()) {
            QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(list);
            QCOMPARE(spoken->relations(QAccessible::Label).size(), 1);
            if (list->isEditable()) continue;
            QCOMPARE(spoken->text(QAccessible::Name),
                     spoken->relations(QAccessible::Label)[0].first->text(QAccessible::Name));
            QAccessibleTextInterface* text = spoken->textInterface();
            QVERIFY(text);
            QCOMPARE(text->text(0, text->characterCount()), list->currentText());
            ++lists;
        }
        QCOMPARE(lists, 6);
    }

    void aChannelNumberThatIsNotANumberIsRefused() {
        test::ModalRecorder modal;
        const LanguageTable language = Texts();
        int applied = 0;
        CBatchChannelDlg dialog(language, [&applied](const BatchSettings&) { ++applied; });
        dialog.rangeButton()->click();
        dialog.lastChannelEdit()->setText(QStringLiteral("1.5"));
        dialog.ApplyBatch();
        QCOMPARE(applied, 0);
        QCOMPARE(modal.warnings.size(), 1);
    }

    void okFillsTheChannelsAndTheDialogStaysOpen() {
        CMainFrame frame;
        frame.workspace().language = Texts();
        auto* view =
            qobject_cast<CChnMsgView*>(frame.OpenChannelEditor() ? frame.editorView(EditorKind::Channels) : nullptr);
        QVERIFY(view);
        QSignalSpy edits(&frame.document(), &Document::channelsChanged);
        int dialogs = 0;
        auto useDialog = [&](CBatchChannelDlg& dialog, const QStringList& warnings) {
            ++dialogs;
            QSignalSpy finished(&dialog, &QDialog::finished);
            QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
            QCOMPARE(finished.size(), 0);
            QCOMPARE(view->GetCellText(0, 2), std::string("405.02500"));
            QCOMPARE(view->GetCellText(127, 2), std::string("408.20000"));
            QCOMPARE(view->GetCellText(127, 1), std::string("VHF/UHF"));
            // A second batch over the table's channels 5..10, downward in 12.5 kHz steps,
            // typed as a user types.
            auto type = [](QLineEdit* field, const char* text) {
                field->setFocus();
                field->selectAll();
                QTest::keyClicks(field, text);
            };
            dialog.rangeButton()->click();
            type(dialog.firstChannelEdit(), "5");
            type(dialog.lastChannelEdit(), "10");
            dialog.subtractButton()->click();
            dialog.stepList()->setCurrentText(QStringLiteral("12.5"));
            QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
            QCOMPARE(view->GetCellText(4, 2), std::string("405.12500"));
            QCOMPARE(view->GetCellText(5, 2), std::string("405.02500"));
            QCOMPARE(view->GetCellText(10, 2), std::string("404.96250"));
            QCOMPARE(view->GetCellText(11, 2), std::string("405.30000"));
            QVERIFY(warnings.isEmpty());

            // Numbers outside the table's, or first above last, are refused, not clamped.
            const RadioImage before = frame.image();
            for (auto [first, last] : {std::pair{"0", "200"}, std::pair{"10", "5"}, std::pair{"128", "128"}}) {
                type(dialog.firstChannelEdit(), first);
                type(dialog.lastChannelEdit(), last);
                QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
                QCOMPARE_IMAGE(frame.image(), before);
            }
            QCOMPARE(warnings.size(), 3);
            QVERIFY(warnings[0].contains(QStringLiteral("E%1").arg(lang_row::kBatchRangeRefused)));
            // Steps down from 136.05 MHz would store 136.00000 again and again from the table's
            // channel 5 on: refused, and nothing stored.
            type(dialog.firstChannelEdit(), "0");
            type(dialog.lastChannelEdit(), "10");
            type(dialog.rxStartEdit(), "136.05");
            type(dialog.txStartEdit(), "136.05");
            QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
            QVERIFY(frame.image() == before);
            QCOMPARE(warnings.size(), 4);
            QVERIFY(warnings[3].contains(QStringLiteral("E%1").arg(lang_row::kBatchLeavesRange)));
            QTest::mouseClick(dialog.cancelButton(), Qt::LeftButton);
            QCOMPARE(finished.size(), 1);
        };
        test::ModalRecorder modal([&](QDialog& shown) {
            useDialog(static_cast<CBatchChannelDlg&>(shown), modal.warnings);
            return shown.result();
        });
        // A cell being edited goes into the image before the batch runs.
        view->grid()->SetRow(1);
        view->grid()->SetCol(2);
        QTest::keyClick(view->grid()->focusProxy(), Qt::Key_1);
        QTest::keyClicks(view->cellEditor(CellEditor::Frequency), "50");
        RunBatchCommand(frame);
        QCOMPARE(dialogs, 1);
        QCOMPARE(edits.size(), 3);
        QCOMPARE(edits[0][0].value<QList<int>>(), QList<int>{0});  // the cell, before the batches
        QCOMPARE(frame.document().history().undoCount(), std::size_t(3));
        QCOMPARE(ChannelView(frame.image(), 5).rxFrequency(), 0x40502500u);
    }
};

QTEST_MAIN(BatchDialogTest)
#include "batch_dialog_test.moc"
