// SPDX-License-Identifier: GPL-3.0-or-later
// What the user types is what the image gets: one table of typed inputs for the
// optional-functions form, the DTMF form and the batch dialog (the channel table's rows are
// the shared table that the web page's test types too: shared_keystrokes_test.cpp). Each input goes as key
// events to the focused widget and is committed as a user commits it; then the image must
// hold exactly what the core stores for the expected text, and the control must show what
// the image holds. Below the table, the faults found between a key and the image.
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <algorithm>
#include <iterator>
#include <string>

#include "editors/batch_channels.h"
#include "editors/channel_commit.h"
#include "editors/channel_editors.h"
#include "editors/gui/batch_channel_dlg.h"
#include "editors/gui/chn_msg_view.h"
#include "editors/gui/dtmf_view.h"
#include "editors/gui/filter_edit.h"
#include "editors/gui/functions_view.h"
#include "editors/gui/key_beep.h"
#include "editors/gui/ms_flex_grid.h"
#include "editors/varied_channels.h"
#include "model/channel_record.h"
#include "radio/channel_cells.h"
#include "radio/control_ids.h"
#include "radio/dtmf_form.h"
#include "radio/form_store.h"
#include "radio/new_image.h"
#include "radio/settings_form.h"
#include "support/image_bytes.h"
#include "support/program_fixture.h"
#include "ui/text.h"

using namespace radioprog;
using namespace radioprog::test;

Q_DECLARE_METATYPE(radioprog::RadioImage)

namespace sc = settings_control;
namespace dc = dtmf_control;

namespace {

enum class Where { Functions, Dtmf, Batch };
// How the edit starts: typing on a selected cell, or into an editor opened by a click.
enum class Start { Selected, Opened };
// How the user commits: Enter, Tab, a click on another row's number, or the form's OK button.
enum class Commit { Enter, Tab, Click, Ok };

struct Keystroke {
    const char* what;
    Where where;
    int place;  // forms: the control; DTMF: the group
    Start start;
    const char* keys;
    Commit commit;
    const char* expected;  // the text the control commits; nullptr: nothing changes
    int refused;           // keys refused with a beep
};

constexpr int kChannel = 2;       // in use: 146.52000, tones 100.0, signalling 5, SIMPLEX
constexpr int kBatchRxStart = 0;  // the batch dialog's start fields, typed alike
constexpr int kBatchRange = 1;    // the batch dialog's "From" and "To" fields, typed alike

// The test language file's English texts: row r is "E<r>"; Chinese ones are "Z<r>".
const Keystroke kKeystrokes[] = {
    // Optional functions.
    {"VFO frequency", Where::Functions, sc::kFrequency[0], Start::Opened, "145.5", Commit::Ok, "145.5", 0},
    {"VFO frequency, junk and second point", Where::Functions, sc::kFrequency[0], Start::Opened, "145.5abc.7",
     Commit::Ok, "145.57", 4},
    {"VFO B frequency too long", Where::Functions, sc::kFrequency[1], Start::Opened, "438.1234567", Commit::Ok,
     "438.12345", 2},
    {"squelch list", Where::Functions, sc::kSquelch, Start::Opened, "5", Commit::Ok, "5", 0},
    // DTMF codes and the local ID.
    {"DTMF code", Where::Dtmf, 1, Start::Opened, "12*#0", Commit::Ok, "12*#0", 0},
    // The junk key is refused aloud; keys past the fifth place find the field full.
    {"DTMF code, junk and too long", Where::Dtmf, 15, Start::Opened, "1x2345678", Commit::Ok, "12345", 1},
    {"DTMF local ID", Where::Dtmf, 0, Start::Opened, "909", Commit::Ok, "909", 0},
    // The batch dialog's start frequency, and its channels numbered as the table numbers them.
    {"batch start", Where::Batch, kBatchRxStart, Start::Opened, "146.5x.2", Commit::Ok, "146.52", 4},
    {"batch channel", Where::Batch, kBatchRange, Start::Opened, "1x2", Commit::Ok, "12", 2},
    {"batch channel 0", Where::Batch, kBatchRange, Start::Opened, "0", Commit::Ok, "0", 0},
    {"batch channel 127", Where::Batch, kBatchRange, Start::Opened, "127", Commit::Ok, "127", 0},
    {"batch channel outside", Where::Batch, kBatchRange, Start::Opened, "128", Commit::Ok, nullptr, 0},
};

}  // namespace

class KeystrokeTableTest : public ProgramTest {
    Q_OBJECT

    int beeps_ = 0;

    CChnMsgView* channels() const { return qobject_cast<CChnMsgView*>(frame()->editorView(EditorKind::Channels)); }
    CMSFlexGrid* grid() const { return channels()->grid(); }
    const LanguageTable& language() const { return frame()->language(); }

    // Keys as the keyboard sends them: each to the widget that has the focus then.
    void type(const QString& keys) {
        for (QChar key : keys) {
            QWidget* target = QApplication::focusWidget();
            QVERIFY(target);
            QTest::keyClick(target, key.toLatin1());
        }
    }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QWidget* target = QApplication::focusWidget();
        QVERIFY(target);
        QTest::keyClick(target, key, modifiers);
    }
    void clickCell(int row, int col) {
        grid()->scrollToCurrent();
        QTest::mouseClick(grid()->cellArea(), Qt::LeftButton, {}, grid()->cellRect(row, col).center());
    }
    void selectCell(int row, int col) {
        grid()->setFocus();
        grid()->SetRow(row);
        grid()->SetCol(col);
    }
    // Types into an edit field given the focus with its text selected, as a click and
    // select-all leave it.
    void typeInto(QLineEdit* edit, const char* keys) {
        edit->setFocus();
        edit->selectAll();
        type(QString::fromLatin1(keys));
    }

    // The image the core makes of `before` when the control commits `expected`.
    RadioImage coreResult(const Keystroke& k, const RadioImage& before) const {
        RadioImage want = before;
        if (!k.expected) return want;
        const std::string expected = k.expected;
        switch (k.where) {
        case Where::Functions: {
            SettingsForm loaded;
            LoadFromImage(loaded, before, language());
            SettingsForm edited = loaded;
            const FormControl* control = FindSettingsControl(k.place);
            if (control->kind == ControlKind::List) {
                const std::vector<std::string> entries = SettingsListEntries(k.place, language());
                const auto at = std::find(entries.begin(), entries.end(), expected);
                edited.setSelection(k.place, static_cast<int>(at - entries.begin()));
            } else {
                edited.setText(k.place, expected);
            }
            StoreFormChanges(
                want, [&](RadioImage& image) { StoreToImage(loaded, image, language()); },
                [&](RadioImage& image) { StoreToImage(edited, image, language()); });
            break;
        }
        case Where::Dtmf: {
            DtmfForm loaded;
            OpenDtmfForm(loaded);
            LoadFromImage(loaded, before);
            DtmfForm edited = loaded;
            (k.place == 0 ? edited.localId : edited.codes[static_cast<std::size_t>(k.place - 1)]) = expected;
            StoreFormChanges(
                want, [&](RadioImage& image) { StoreToImage(loaded, image); },
                [&](RadioImage& image) { StoreToImage(edited, image); });
            break;
        }
        case Where::Batch: {
            BatchSettings settings = InitialBatchSettings(language());
            if (k.place == kBatchRxStart) {
                settings.rxStart = settings.txStart = expected;
            } else {
                settings.scope = BatchScope::Range;
                settings.firstChannel = settings.lastChannel = static_cast<unsigned>(std::stoul(expected));
            }
            ApplyBatch(want, language(), settings);
            break;
        }
        }
        return want;
    }

    void typeIntoFunctions(const Keystroke& k) {
        QVERIFY(frame()->OpenFunctionsEditor());
        auto* view = static_cast<CChoiceFunView*>(frame()->editorView(EditorKind::Functions));
        QWidget* control = view->control(k.place);
        if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            typeInto(edit, k.keys);
        } else {
            control->setFocus();
            type(QString::fromLatin1(k.keys));
        }
        QTest::mouseClick(qobject_cast<QPushButton*>(view->control(sc::kOk)), Qt::LeftButton);
        QTRY_VERIFY(!frame()->editorFrame(EditorKind::Functions));
        // Opened again, the control shows what the image holds.
        QVERIFY(frame()->OpenFunctionsEditor());
        view = static_cast<CChoiceFunView*>(frame()->editorView(EditorKind::Functions));
        SettingsForm stored;
        LoadFromImage(stored, frame()->image(), language());
        control = view->control(k.place);
        const QString shown = qobject_cast<QLineEdit*>(control) ? qobject_cast<QLineEdit*>(control)->text()
                                                                : qobject_cast<QComboBox*>(control)->currentText();
        QCOMPARE(S(shown), SettingsTextOf(stored, k.place, language()));
        frame()->editorFrame(EditorKind::Functions)->close();
    }

    void typeIntoDtmf(const Keystroke& k) {
        QVERIFY(frame()->openDtmfEditor());
        auto* view = static_cast<CDtmfView2*>(frame()->editorView(EditorKind::Dtmf));
        typeInto(k.place == 0 ? view->localIdEdit() : view->codeEdit(k.place), k.keys);
        QTest::mouseClick(qobject_cast<QPushButton*>(view->control(dc::kCommit)), Qt::LeftButton);
        QTRY_VERIFY(!frame()->editorFrame(EditorKind::Dtmf));
        QVERIFY(frame()->openDtmfEditor());
        view = static_cast<CDtmfView2*>(frame()->editorView(EditorKind::Dtmf));
        DtmfForm stored;
        LoadFromImage(stored, frame()->image());
        QLineEdit* edit = k.place == 0 ? view->localIdEdit() : view->codeEdit(k.place);
        QCOMPARE(S(edit->text()), k.place == 0 ? stored.localId : stored.codes[static_cast<std::size_t>(k.place - 1)]);
        frame()->editorFrame(EditorKind::Dtmf)->close();
    }

    void typeIntoBatch(const Keystroke& k) {
        modal_->setAnswer([&](QDialog& dialog) {
            if (auto* batch = qobject_cast<CBatchChannelDlg*>(&dialog)) {
                // Shown and active, as the user sees it, so the keys reach its focused field
                // (the offscreen platform leaves the activation where a test puts it).
                batch->show();
                QApplication::setActiveWindow(batch);
                if (!QTest::qWaitForWindowActive(batch)) return int(QDialog::Rejected);
                if (k.place == kBatchRxStart) {
                    typeInto(batch->rxStartEdit(), k.keys);
                    typeInto(batch->txStartEdit(), k.keys);
                } else {
                    // "Channel" is chosen with the arrow key, then the numbers typed.
                    batch->allChannelsButton()->setFocus();
                    press(Qt::Key_Down);
                    typeInto(batch->firstChannelEdit(), k.keys);
                    typeInto(batch->lastChannelEdit(), k.keys);
                }
                QTest::mouseClick(batch->okButton(), Qt::LeftButton);
            }
            return int(QDialog::Rejected);
        });
        frame()->onBatchChannels();
        modal_->setAnswer({});
    }

private slots:
    void initTestCase() {
        SetKeyBeepHandler([this] { ++beeps_; });
    }
    void cleanupTestCase() { SetKeyBeepHandler({}); }

    void init() {
        setUpProgram(Radio::None, [](QDialog&) { return int(QDialog::Rejected); });
        frame()->resize(1300, 900);
        QVERIFY(ShowWithChannelTable(*frame()));
        frame()->document().replace(testing::VariedImage(testing::DistinctRows()), QString(), false);
        channels()->LoadFromImage();
        CChnMsgView::forgetFirstClick();
        beeps_ = 0;
    }
    void cleanup() { tearDownProgram(); }

    void typedInputIsWhatTheImageGets_data() {
        QTest::addColumn<int>("index");
        for (std::size_t i = 0; i < std::size(kKeystrokes); ++i)
            QTest::newRow(kKeystrokes[i].what) << static_cast<int>(i);
    }
    void typedInputIsWhatTheImageGets() {
        QFETCH(int, index);
        const Keystroke& k = kKeystrokes[index];
        const RadioImage before = frame()->image();
        const RadioImage want = coreResult(k, before);
        switch (k.where) {
        case Where::Functions: typeIntoFunctions(k); break;
        case Where::Dtmf: typeIntoDtmf(k); break;
        case Where::Batch: typeIntoBatch(k); break;
        }
        QCOMPARE(beeps_, k.refused);
        // A batch range outside the table is refused with the allowed range named.
        if (k.where == Where::Batch && !k.expected)
            QCOMPARE(modal_->warnings, QStringList{Q(BatchRangeRefusal(language()))});
        QVERIFY2(frame()->image() == want,
                 (std::string(k.what) + "\n" + test::ImageByteDifferences(frame()->image(), want)).c_str());
        QCOMPARE(frame()->document().isModified(), !(want == before));
    }

    // Opening an editor, looking through it and closing it (OK where there is one) changes no
    // byte and leaves the document unmodified: on a new image, a full one, and one whose
    // settings, DTMF and channel bytes are values the forms cannot show.
    void openingAndClosingAnEditorChangesNothing_data() {
        QTest::addColumn<RadioImage>("image");
        RadioImage fresh;
        WriteNewImage(fresh);
        QTest::newRow("new") << fresh;
        QTest::newRow("full") << testing::VariedImage(testing::DistinctRows());
        RadioImage odd = testing::VariedImage(testing::DistinctRows());
        for (std::size_t i = offsets::kSettingsData; i < odd.bytes.size(); ++i)
            odd.bytes[i] = static_cast<std::uint8_t>(i * 37 + 11);
        ChannelRef(odd, 0).setRxFrequency(0x14512345);  // off every step
        ChannelRef(odd, 2).setRxTone(0x7FFF);           // no tone of the list
        ChannelRef(odd, 2).setSignalling(0x40);         // no signalling entry
        QTest::newRow("odd bytes") << odd;
    }
    void openingAndClosingAnEditorChangesNothing() {
        QFETCH(RadioImage, image);
        frame()->document().replace(image, QString(), false);
        channels()->LoadFromImage();

        // Every cell of three channels opened by a click and left with Tab.
        for (int row : {1, 3, 6}) {
            for (int col = column::kRxFrequency; col < kChannelColumnCount; ++col) {
                selectCell(row, col);
                CChnMsgView::forgetFirstClick();
                clickCell(row, col);
                clickCell(row, col);
                press(Qt::Key_Tab);
            }
        }
        QVERIFY(frame()->OpenFunctionsEditor());
        auto* functions = static_cast<CChoiceFunView*>(frame()->editorView(EditorKind::Functions));
        QTest::mouseClick(qobject_cast<QPushButton*>(functions->control(sc::kOk)), Qt::LeftButton);
        QVERIFY(frame()->openDtmfEditor());
        auto* dtmf = static_cast<CDtmfView2*>(frame()->editorView(EditorKind::Dtmf));
        QTest::mouseClick(qobject_cast<QPushButton*>(dtmf->control(dc::kCommit)), Qt::LeftButton);
        modal_->setAnswer([](QDialog& dialog) {
            if (auto* batch = qobject_cast<CBatchChannelDlg*>(&dialog))
                QTest::mouseClick(batch->cancelButton(), Qt::LeftButton);
            return int(QDialog::Rejected);
        });
        frame()->onBatchChannels();
        frame()->flushEditors();

        QCOMPARE_IMAGE(frame()->image(), image);
        QVERIFY(!frame()->document().isModified());
    }

    // A typed frequency the radio cannot take is stored as a limit, and the user is told
    // why once, naming what was typed and what was stored.
    void aFrequencyOutsideTheRangeSaysWhatItBecame() {
        frame()->workspace().language.rows[lang_row::kFrequencyLimited] = "%1 -> %2";
        selectCell(kChannel + 1, column::kRxFrequency);
        type(QStringLiteral("999"));
        press(Qt::Key_Return);
        QCOMPARE(channels()->GetCellText(kChannel, column::kRxFrequency), std::string("470.00000"));
        QTRY_COMPARE(modal_->warnings.size(), 1);
        QVERIFY(modal_->warnings[0].contains(QStringLiteral("999")));
        QVERIFY(modal_->warnings[0].contains(QStringLiteral("470.00000")));
        selectCell(kChannel + 1, column::kRxFrequency);
        type(QStringLiteral("145.5"));
        press(Qt::Key_Return);
        QTest::qWait(10);
        QCOMPARE(modal_->warnings.size(), 1);
    }

    // Esc on a cell opens nothing; on an empty channel nothing is shown that the image
    // does not hold, whatever the user does next.
    void escNeverOpensAnEditorAndAnEmptyChannelStaysEmpty() {
        const int emptyRow = 5 + 1;
        QVERIFY(channels()->GetCellText(5, column::kRxFrequency).empty());
        const RadioImage before = frame()->image();
        selectCell(emptyRow, column::kBand);
        press(Qt::Key_Escape);
        for (int c = column::kBand; c < kChannelColumnCount; ++c)
            if (EditorForColumn(c) != CellEditor::None) QVERIFY(channels()->cellEditor(EditorForColumn(c))->isHidden());
        // A band list opened by a click and left by clicking another row stores and shows nothing.
        CChnMsgView::forgetFirstClick();
        clickCell(emptyRow, column::kBand);
        clickCell(emptyRow, column::kBand);
        QWidget* numbers = grid()->rowHeaderArea();
        QTest::mouseClick(numbers, Qt::LeftButton, {},
                          QPoint(numbers->width() / 2, grid()->cellRect(emptyRow + 2, 1).center().y()));
        for (int c = column::kBand; c < kChannelColumnCount; ++c)
            QCOMPARE(channels()->GetCellText(5, c), std::string());
        QCOMPARE_IMAGE(frame()->image(), before);
    }

    // Ctrl+Z in an open cell editor undoes typing back to the cell's text, then cancels.
    void undoInACellEditorReturnsTheCellsText() {
        selectCell(kChannel + 1, column::kName);
        type(QStringLiteral("abcdefg"));
        auto* edit = qobject_cast<QLineEdit*>(channels()->cellEditor(CellEditor::Name));
        QCOMPARE(edit->text(), QStringLiteral("ABCDEFG"));
        press(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(edit->text(), QStringLiteral("SIMPLEX"));
        press(Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(edit->isHidden());
        QCOMPARE(channels()->GetCellText(kChannel, column::kName), std::string("SIMPLEX"));
        QVERIFY(!frame()->document().isModified());
    }
};

QTEST_MAIN(KeystrokeTableTest)
#include "keystroke_table_test.moc"
