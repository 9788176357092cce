// SPDX-License-Identifier: GPL-3.0-or-later
// The DTMF form driven as a user drives it: typing codes, the commit and close buttons,
// opening it twice, and a layout where every caption fits.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QTest>

#include "editors/dtmf_layout.h"
#include "editors/gui/dtmf_view.h"
#include "editors/gui/settings_form_page.h"
#include "functions_layout_check.h"
#include "shell/gui/background_wnd.h"
#include "shell/gui/main_frame.h"
#include "shell/gui/radioprog_app.h"
#include "support/image_bytes.h"
#include "support/program_fixture.h"

using namespace radioprog;
using namespace radioprog::test;

namespace dc = dtmf_control;

class DtmfViewTest : public ProgramTest {
    Q_OBJECT

    CDtmfView2* view() const { return static_cast<CDtmfView2*>(frame()->editorView(EditorKind::Dtmf)); }
    template <typename T>
    T* control(int id) const {
        return qobject_cast<T*>(view()->control(id));
    }
    // Group 1..15, 0 = the local ID.
    QLineEdit* field(int group) const { return group == 0 ? view()->localIdEdit() : view()->codeEdit(group); }

private slots:
    void init() {
        setUpProgram();
        frame()->show();
        frame()->openDtmfEditor();
        QVERIFY(view() != nullptr);
    }
    void cleanup() { tearDownProgram(); }

    void opensWithTheImage() {
        QCOMPARE(frame()->editorFrame(EditorKind::Dtmf)->windowTitle(),
                 QStringLiteral("E%1").arg(lang_row::kDtmfSettings));
        QCOMPARE(control<QGroupBox>(dc::kFrame)->title(), QStringLiteral("E%1").arg(lang_row::kDtmfCodes));
        QCOMPARE(view()->codeEdit(1)->text(), QStringLiteral("12122"));
        QCOMPARE(view()->codeEdit(12)->text(), QStringLiteral("*****"));
        QCOMPARE(view()->codeEdit(15)->text(), QStringLiteral("30303"));
        QCOMPARE(view()->localIdEdit()->text(), QStringLiteral("88888"));
        QCOMPARE(control<QLineEdit>(dc::kCodeTable[14][0])->text(), QStringLiteral("15"));
        QVERIFY(control<QLineEdit>(dc::kCodeTable[14][0])->isReadOnly());
        QCOMPARE(control<QComboBox>(dc::kDuration)->count(), 196);
        QCOMPARE(control<QComboBox>(dc::kDuration)->currentText(), QStringLiteral("80"));
        QCOMPARE(control<QComboBox>(dc::kPause)->currentText(), QStringLiteral("80"));
        QCOMPARE(control<QComboBox>(dc::kGroupCall)->currentText(), QStringLiteral("*"));
        QVERIFY(!control<QComboBox>(dc::kGroupCall)->isEnabled());
        QVERIFY(!control<QCheckBox>(dc::kPttPress)->isChecked());
        QVERIFY(control<QCheckBox>(dc::kPttRelease)->isChecked());
        QVERIFY(view()->control(dc::kCodeTable[15][0]) == nullptr &&
                view()->control(dc::kCodeTable[15][1]) == nullptr);  // the hidden 16th row
    }

    void aCodeFieldRefusesOtherCharactersAndASixth() {
        for (int group : {0, 3, 15}) {
            QLineEdit* edit = field(group);
            edit->selectAll();
            QTest::keyClicks(edit, QStringLiteral("12"));
            QCOMPARE(edit->text(), QStringLiteral("12"));
            const QString ownDescription = edit->accessibleDescription();
            for (const QString& refused : {QStringLiteral("E"), QStringLiteral(" "), QStringLiteral("-")}) {
                QTest::keyClicks(edit, refused);
                QCOMPARE(edit->text(), QStringLiteral("12"));
                QCOMPARE(edit->cursorPosition(), 2);
                // A screen reader hears the refusal: the field's description says it a while.
                QCOMPARE(edit->accessibleDescription(), QStringLiteral("E%1").arg(lang_row::kKeyRefused));
            }
            QTRY_COMPARE_WITH_TIMEOUT(edit->accessibleDescription(), ownDescription, 5000);
            // A letter shows as the radio stores it while it is typed, not only after OK.
            QTest::keyClicks(edit, QStringLiteral("a"));
            QCOMPARE(edit->text(), QStringLiteral("12A"));
            QCOMPARE(edit->cursorPosition(), 3);
            QTest::keyClicks(edit, QStringLiteral("#*"));
            QCOMPARE(edit->text(), QStringLiteral("12A#*"));
            QTest::keyClicks(edit, QStringLiteral("6"));
            QCOMPARE(edit->text(), QStringLiteral("12A#*"));
        }
        // A pasted text is checked as a whole.
        QApplication::clipboard()->setText(QStringLiteral("1 2"));
        field(4)->selectAll();
        QTest::keySequence(field(4), QKeySequence::Paste);
        QCOMPARE(field(4)->text(), QStringLiteral("33333"));
        QApplication::clipboard()->setText(QStringLiteral("*0d"));
        field(4)->selectAll();
        QTest::keySequence(field(4), QKeySequence::Paste);
        QCOMPARE(field(4)->text(), QStringLiteral("*0D"));
    }

    void tabGoesThroughTheCodesThenTheOtherSettings() {
        QCOMPARE(NextTabStop(field(1)), field(2));
        QCOMPARE(NextTabStop(field(15)), view()->control(dc::kDuration));
        QCOMPARE(NextTabStop(view()->control(dc::kPause)), field(0));  // the group-call list is disabled
        QCOMPARE(NextTabStop(view()->control(dc::kPttRelease)), view()->control(dc::kCommit));
    }

    void commitStoresAndCloses() {
        const RadioImage& image = frame()->image();
        const std::uint8_t group15Zero = image.dtmfSlot(14)[1];
        field(2)->selectAll();
        QTest::keyClicks(field(2), QStringLiteral("a"));
        control<QCheckBox>(dc::kPttPress)->setChecked(true);
        control<QComboBox>(dc::kDuration)->setCurrentIndex(195);
        QTest::mouseClick(control<QPushButton>(dc::kCommit), Qt::LeftButton);
        const std::uint8_t* slot = image.dtmfSlot(1);
        QCOMPARE(std::vector<int>(slot, slot + 6), (std::vector<int>{13, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
        QCOMPARE(image.settingsByte(0x0E3B), 195);
        QCOMPARE(image.settingsByte(0x0E2A), 1);
        QCOMPARE(image.dtmfSlot(14)[1], group15Zero);  // a group not edited keeps its bytes
        QTRY_VERIFY(frame()->editorFrame(EditorKind::Dtmf) == nullptr);
    }

    void closeStoresNothing() {
        const RadioImage before = frame()->image();
        field(2)->selectAll();
        QTest::keyClicks(field(2), QStringLiteral("a"));
        control<QComboBox>(dc::kPause)->setCurrentIndex(10);
        QTest::mouseClick(control<QPushButton>(dc::kClose), Qt::LeftButton);
        QTRY_VERIFY(frame()->editorFrame(EditorKind::Dtmf) == nullptr);
        QCOMPARE_IMAGE(frame()->image(), before);
    }

    void theMainWindowFlushesAndRefreshesIt() {
        field(7)->selectAll();
        QTest::keyClicks(field(7), QStringLiteral("#"));
        frame()->flushEditors();
        QCOMPARE(frame()->image().dtmfSlot(6)[0], 12);
        frame()->document().editSettings([](RadioImage& image) { image.dtmfSlot(6)[0] = 4; });
        frame()->RefreshEditors();
        QCOMPARE(field(7)->text(), QStringLiteral("4"));
    }

    void openingTwiceActivatesTheFirst() {
        QVERIFY(frame()->editorFrame(EditorKind::Dtmf));
        VerifyOpeningTwiceActivatesTheFirst(*frame(), EditorKind::Dtmf);
    }

    void everyCaptionFitsAndNothingOverlaps() {
        for (int index : {0, 1, 2}) {
            Workspace workspace;
            workspace.language = ShippedLanguage(index);
            CChildFrame frame(EditorKind::Dtmf, &workspace);
            CDtmfView2 form(&frame);
            VerifyFormLayout(form.page().page(), index);
        }
    }
};

QTEST_MAIN(DtmfViewTest)
#include "dtmf_view_test.moc"
