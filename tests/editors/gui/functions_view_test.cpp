// SPDX-License-Identifier: GPL-3.0-or-later
// The optional-functions form driven as a user drives it: typing frequencies, changing
// bands, OK and CANCEL, a refused channel count, and a layout where every caption fits.
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QTest>
#include <QWheelEvent>

#include "editors/gui/chn_msg_view.h"
#include "editors/gui/functions_view.h"
#include "editors/gui/key_beep.h"
#include "editors/gui/settings_form_page.h"
#include "functions_layout_check.h"
#include "model/channel_record.h"
#include "model/freq_codec.h"
#include "radio/channel_cells.h"
#include "shell/gui/background_wnd.h"
#include "shell/gui/list_accessible.h"
#include "shell/gui/main_frame.h"
#include "shell/gui/radioprog_app.h"
#include "support/image_bytes.h"
#include "support/program_fixture.h"

using namespace radioprog;
using namespace radioprog::test;

namespace sc = settings_control;

namespace {

std::uint32_t VfoRx(const RadioImage& image, int side) {
    const std::uint8_t* entry = image.vfoEntry(side);
    return entry[0] | entry[1] << 8 | entry[2] << 16 | static_cast<std::uint32_t>(entry[3]) << 24;
}

}  // namespace

class FunctionsViewTest : public ProgramTest {
    Q_OBJECT

    int beeps_ = 0;

    CChoiceFunView* view() const { return static_cast<CChoiceFunView*>(frame()->editorView(EditorKind::Functions)); }
    template <typename T>
    T* control(int id) const {
        return qobject_cast<T*>(view()->control(id));
    }
    void retype(int id, const QString& text) {
        auto* edit = control<QLineEdit>(id);
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

private slots:
    void initTestCase() {
        InstallListAccessibility();
        SetKeyBeepHandler([this] { ++beeps_; });
    }
    void init() {
        setUpProgram();
        frame()->show();
        frame()->OpenFunctionsEditor();
        QVERIFY(view() != nullptr);
        beeps_ = 0;
    }
    void cleanup() { tearDownProgram(); }

    void opensWithTheImageAndItsTitle() {
        QCOMPARE(frame()->editorFrame(EditorKind::Functions)->windowTitle(),
                 QStringLiteral("E%1").arg(lang_row::kOptionalFunctions));
        QCOMPARE(control<QLineEdit>(sc::kFrequency[0])->text(), QStringLiteral("136.00000"));
        QCOMPARE(control<QComboBox>(sc::kBand[1])->currentText(), QStringLiteral("UHF"));
        QCOMPARE(control<QLineEdit>(sc::kRange[1])->text(), QStringLiteral("400-520.0000"));
        QCOMPARE(control<QComboBox>(sc::kTxTimeout)->currentText(), QStringLiteral("45"));
        QCOMPARE(control<QComboBox>(sc::kOffset[0])->currentText(), QStringLiteral("00.600"));
        QCOMPARE(control<QGroupBox>(sc::kVfoGroup[0])->title(), QStringLiteral("E%1").arg(lang_row::kVfoA));
        QCOMPARE(control<QLineEdit>(sc::kChannelCount)->text(), QStringLiteral("128"));
        // Hidden controls have no widget.
        for (int id : {sc::kTxEndTone, sc::kFmr, sc::kPreAlert, sc::kAlarmSound, sc::kSixCharText, sc::kHiddenField[0],
                       sc::kHiddenField[1]})
            QVERIFY(view()->control(id) == nullptr);
    }

    void frequencyEditRefusesOtherCharactersAndATenth() {
        auto* edit = control<QLineEdit>(sc::kFrequency[0]);
        retype(sc::kFrequency[0], QStringLiteral("145.5"));
        QCOMPARE(edit->text(), QStringLiteral("145.5"));
        QCOMPARE(beeps_, 0);
        QTest::keyClicks(edit, QStringLiteral("x"));
        QCOMPARE(edit->text(), QStringLiteral("145.5"));
        QCOMPARE(beeps_, 1);
        QTest::keyClicks(edit, QStringLiteral("5555"));
        QCOMPARE(edit->text(), QStringLiteral("145.55555"));
        QTest::keyClicks(edit, QStringLiteral("5"));
        QCOMPARE(edit->text(), QStringLiteral("145.55555"));
        QCOMPARE(beeps_, 2);
        // A refused character in the middle leaves the caret where it was typed.
        edit->setCursorPosition(3);
        QTest::keyClicks(edit, QStringLiteral("-"));
        QCOMPARE(edit->text(), QStringLiteral("145.55555"));
        QCOMPARE(edit->cursorPosition(), 3);
    }

    void bandChangeShowsTheBandsRangeAndFrequency() {
        struct Case {
            int side;
            int band;
            const char* range;
            const char* frequency;
        };
        for (const Case& c : {Case{1, 0, "134-260.0000", "136.0250"}, Case{0, 1, "400-520.0000", "400.0250"},
                              Case{0, 0, "136-260.0000", "136.0250"}, Case{1, 1, "400-520.0000", "400.0250"}}) {
            control<QComboBox>(sc::kBand[c.side])->setCurrentIndex(c.band);
            QCOMPARE(control<QLineEdit>(sc::kRange[c.side])->text(), QString::fromLatin1(c.range));
            QCOMPARE(control<QLineEdit>(sc::kFrequency[c.side])->text(), QString::fromLatin1(c.frequency));
        }
        // Reloading sets the band without taking it for a change by the user.
        view()->LoadFromImage();
        QCOMPARE(control<QLineEdit>(sc::kFrequency[1])->text(), QStringLiteral("400.00000"));
        QCOMPARE(control<QLineEdit>(sc::kFrequency[0])->text(), QStringLiteral("136.00000"));
    }

    // Scrolling the form over a list must not change it (a band list would replace the
    // frequency); a list that has the focus turns with the wheel.
    void theWheelTurnsOnlyAFocusedList() {
        auto* band = control<QComboBox>(sc::kBand[1]);
        auto wheel = [band] {
            QWheelEvent event(QPointF(5, 5), band->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 120), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(band, &event);
        };
        frame()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame()));
        control<QLineEdit>(sc::kFrequency[0])->setFocus();
        wheel();
        QCOMPARE(band->currentIndex(), 1);
        QCOMPARE(control<QLineEdit>(sc::kFrequency[1])->text(), QStringLiteral("400.00000"));
        band->setFocus();
        wheel();
        QCOMPARE(band->currentIndex(), 0);
    }

    // Tab walks each frame row by row; read-only edits are skipped.
    void tabFollowsTheFormsFrames() {
        const std::pair<int, int> steps[] = {
            {sc::kFrequency[0], sc::kBand[0]},        {sc::kBand[0], sc::kTxTone[0]},
            {sc::kRxBacklight, sc::kBacklightTime},  // receive backlight, then the backlight time beside it
            {sc::kBusyLockout[0], sc::kFrequency[1]}, {sc::kBusyLockout[1], sc::kFunctionMenu},
            {sc::kKeyBeep, sc::kAutoKeyLock},         {sc::kOk, sc::kCancel}};
        for (auto [from, to] : steps) QCOMPARE(NextTabStop(view()->control(from)), view()->control(to));
    }

    void okStoresReloadsTheChannelTableAndCloses() {
        frame()->OpenChannelEditor();
        frame()->OpenFunctionsEditor();
        const RadioImage& image = frame()->image();
        // A channel the table does not show yet: OK has the table rebuilt from the image.
        frame()->document().editSettings([](RadioImage& edited) { ChannelRef(edited, 5).setRxFrequency(0x14512500); });
        control<QComboBox>(sc::kSquelch)->setCurrentIndex(7);   // squelch
        control<QCheckBox>(sc::kDualWatch)->setChecked(false);  // dual watch
        retype(sc::kFrequency[0], QStringLiteral("145.5"));
        QTest::mouseClick(control<QPushButton>(sc::kOk), Qt::LeftButton);
        QCOMPARE(image.settingsByte(0x0E22), 7);
        QCOMPARE(image.settingsByte(0x0E27), 0);
        QCOMPARE(VfoRx(image, 0), 0x14550000u);
        QTRY_VERIFY(frame()->editorFrame(EditorKind::Functions) == nullptr);
        auto* channels = static_cast<CChnMsgView*>(frame()->editorView(EditorKind::Channels));
        QCOMPARE(channels->GetCellText(5, column::kRxFrequency), std::string("145.12500"));
    }

    // A frequency the store moves onto a new step is said, naming both texts.
    void aStepChangeThatMovesTheFrequencySaysSo() {
        frame()->workspace().language.rows[lang_row::kVfoFrequencyMoved] = "%1 -> %2";
        retype(sc::kFrequency[0], QStringLiteral("145.57"));
        auto* step = control<QComboBox>(sc::kStep[0]);
        step->setFocus();
        QTest::keyClicks(step, QStringLiteral("5"));  // 5 kHz: 145.57 is on it
        QCOMPARE(step->currentText(), QStringLiteral("5"));
        QTest::mouseClick(control<QPushButton>(sc::kOk), Qt::LeftButton);
        QVERIFY(modal_->warnings.isEmpty());
        QTRY_VERIFY(frame()->editorFrame(EditorKind::Functions) == nullptr);

        QVERIFY(frame()->OpenFunctionsEditor());
        step = control<QComboBox>(sc::kStep[0]);
        step->setFocus();
        QTest::keyClicks(step, QStringLiteral("6"));  // 6.25 kHz only
        QTest::mouseClick(control<QPushButton>(sc::kOk), Qt::LeftButton);
        QCOMPARE(modal_->warnings.size(), 1);
        QVERIFY(modal_->warnings[0].contains(QStringLiteral("145.57000")));
        QVERIFY2(modal_->warnings[0].contains(QStringLiteral("145.56875")), qPrintable(modal_->warnings[0]));
        QCOMPARE(VfoRx(frame()->image(), 0), 0x14556875u);
    }

    void cancelStoresNothingAndCloses() {
        const RadioImage before = frame()->image();
        control<QComboBox>(sc::kSquelch)->setCurrentIndex(7);
        retype(sc::kFrequency[1], QStringLiteral("430.1"));
        QTest::mouseClick(control<QPushButton>(sc::kCancel), Qt::LeftButton);
        QTRY_VERIFY(frame()->editorFrame(EditorKind::Functions) == nullptr);
        QCOMPARE_IMAGE(frame()->image(), before);
    }

    // The image holds no channel count: the field shows the radio's 128 and takes no typing,
    // so nothing typed there is dropped on OK.
    void theChannelCountIsShownReadOnly() {
        auto* count = control<QLineEdit>(sc::kChannelCount);
        QVERIFY(count->isReadOnly());
        count->setFocus();
        count->selectAll();
        QTest::keyClicks(count, QStringLiteral("50"));
        QCOMPARE(count->text(), QStringLiteral("128"));
        const RadioImage before = frame()->image();
        QTest::mouseClick(control<QPushButton>(sc::kOk), Qt::LeftButton);
        QVERIFY(modal_->warnings.isEmpty());
        QCOMPARE_IMAGE(frame()->image(), before);
    }

    // Qt names a list by the entry it shows here; a screen reader names it by the caption
    // whose buddy it is. Both forms: every visible list is some caption's buddy, and that
    // caption is what its name says.
    void everyListIsTheBuddyOfTheCaptionThatNamesIt() {
        frame()->openDtmfEditor();
        int checked = 0;
        for (EditorKind kind : {EditorKind::Functions, EditorKind::Dtmf}) {
            QWidget* form = frame()->editorView(kind);
            QHash<QWidget*, QLabel*> captionOf;
            for (QLabel* label : form->findChildren<QLabel*>())
                if (label->buddy() != nullptr) captionOf.insert(label->buddy(), label);
            for (QComboBox* list : form->findChildren<QComboBox*>()) {
                if (!list->isVisibleTo(form)) continue;
                QLabel* caption = captionOf.value(list);
                QVERIFY2(caption != nullptr, qPrintable(list->accessibleName()));
                QCOMPARE(caption->parentWidget(), list->parentWidget());
                QVERIFY2(caption->text().startsWith(list->accessibleName()), qPrintable(caption->text()));
                ++checked;
            }
        }
        QVERIFY(checked > 30);
    }

    // A screen reader names a list by its caption and reads its entry as the list's text,
    // selected as a whole, and the new entry when it is chosen by key.
    void aListSpeaksItsCaptionAndItsEntry() {
        auto* list = control<QComboBox>(sc::kTxTimeout);
        QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(list);
        QVERIFY(spoken);
        QCOMPARE(spoken->role(), QAccessible::ComboBox);
        QCOMPARE(spoken->text(QAccessible::Name), list->accessibleName());
        QVERIFY(!list->accessibleName().isEmpty() && list->accessibleName() != list->currentText());
        QCOMPARE(spoken->relations(QAccessible::Label).size(), 1);
        QAccessibleTextInterface* text = spoken->textInterface();
        QVERIFY(text);
        const auto shownText = [text] { return text->text(0, text->characterCount()); };
        QCOMPARE(shownText(), QStringLiteral("45"));
        int start = -1;
        int end = -1;
        text->selection(0, &start, &end);
        QCOMPARE(std::pair(start, end), std::pair(0, 2));
        // The entries stay reachable as the list's child.
        QCOMPARE(spoken->childCount(), 1);
        QCOMPARE(spoken->child(0)->role(), QAccessible::List);

        // The change is announced as this text replaced (the accessibility bus test hears it).
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(shownText(), QStringLiteral("60"));
        QTest::keyClick(list, Qt::Key_Up);
        QCOMPARE(shownText(), QStringLiteral("45"));
    }

    void openingTwiceActivatesTheFirst() {
        QVERIFY(frame()->editorFrame(EditorKind::Functions));
        VerifyOpeningTwiceActivatesTheFirst(*frame(), EditorKind::Functions);
    }

    void everyCaptionFitsAndNothingOverlaps() {
        for (int index : {0, 1, 2}) {
            Workspace workspace;
            workspace.language = ShippedLanguage(index);
            CChildFrame frame(EditorKind::Functions, &workspace);
            CChoiceFunView form(nullptr, &frame);
            VerifyFormLayout(form.page().page(), index);
        }
    }
};

QTEST_MAIN(FunctionsViewTest)
#include "functions_view_test.moc"
