// SPDX-License-Identifier: GPL-3.0-or-later
// A whole round trip through the simulated radio: read it, change settings and DTMF codes in
// the two forms' widgets, write, and the radio's memory holds exactly the expected bytes.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include "editors/dtmf_layout.h"
#include "editors/gui/dtmf_view.h"
#include "editors/gui/functions_view.h"
#include "model/channel_record.h"
#include "radio/new_image.h"
#include "shell/gui/main_frame.h"
#include "support/program_fixture.h"

using namespace radioprog;
using namespace radioprog::test;

namespace sc = settings_control;

namespace {

void WriteLe(std::uint8_t* at, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void Retype(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

}  // namespace

class EditorsRoundTripTest : public ProgramTest {
    Q_OBJECT

private slots:
    void init() { setUpProgram(Radio::Answering); }
    void cleanup() { tearDownProgram(); }

    void readEditWriteLeavesExactlyTheEditsInTheRadio() {
        RadioImage inRadio;
        WriteNewImage(inRadio);
        ChannelRef(inRadio, 3).setRxFrequency(0x14550000);
        ChannelRef(inRadio, 3).setTxFrequency(0x14550000);
        inRadio.settingsByte(0x0E22) = 7;  // squelch
        inRadio.settingsByte(0x0E37) = 1;  // A display mode
        inRadio.dtmfSlot(4)[0] = 0xFF;     // group 5 empty
        inRadio.dtmfSlot(4)[9] = 0x5A;     // a byte the form does not own
        radio_->loadImage(inRadio);

        // Both editors are open while reading: the read reloads them.
        frame()->OpenFunctionsEditor();
        frame()->openDtmfEditor();
        auto* functions = static_cast<CChoiceFunView*>(frame()->editorView(EditorKind::Functions));
        auto* dtmf = static_cast<CDtmfView2*>(frame()->editorView(EditorKind::Dtmf));
        QCOMPARE(runTransfer(&CMainFrame::onReadRadio), 3);
        QCOMPARE(qobject_cast<QComboBox*>(functions->control(sc::kSquelch))->currentText(), QStringLiteral("7"));
        QCOMPARE(dtmf->codeEdit(5)->text(), QString());
        const RadioImage read = frame()->image();

        // The optional functions.
        qobject_cast<QComboBox*>(functions->control(sc::kSquelch))->setCurrentIndex(2);           // squelch 2
        qobject_cast<QCheckBox*>(functions->control(sc::kKeyBeep))->setChecked(false);            // key beep off
        qobject_cast<QRadioButton*>(functions->control(sc::kWorkModeChannel))->setChecked(true);  // channel work mode
        qobject_cast<QComboBox*>(functions->control(sc::kBand[0]))->setCurrentIndex(1);           // A to UHF
        Retype(qobject_cast<QLineEdit*>(functions->control(sc::kFrequency[0])), QStringLiteral("438.5"));
        auto* rxToneB = qobject_cast<QComboBox*>(functions->control(sc::kRxTone[1]));
        rxToneB->setCurrentIndex(rxToneB->findText(QStringLiteral("88.5")));
        qobject_cast<QComboBox*>(functions->control(sc::kOffset[1]))->setCurrentIndex(247);  // 12.350
        qobject_cast<QComboBox*>(functions->control(sc::kDirection[1]))->setCurrentIndex(2);
        // The DTMF codes.
        Retype(dtmf->codeEdit(5), QStringLiteral("0*#"));
        Retype(dtmf->codeEdit(1), QStringLiteral("d"));
        Retype(dtmf->localIdEdit(), QStringLiteral("123"));
        qobject_cast<QCheckBox*>(dtmf->control(dtmf_control::kPttRelease))->setChecked(false);
        qobject_cast<QComboBox*>(dtmf->control(dtmf_control::kPause))->setCurrentIndex(20);

        QCOMPARE(runTransfer(&CMainFrame::onWriteRadio), 4);
        QCOMPARE(modal_->warnings, QStringList());

        RadioImage expected = read;
        expected.settingsByte(0x0E22) = 2;
        expected.settingsByte(0x0E2D) = 0;
        expected.settingsByte(0x0E4C) = 1;
        std::uint8_t* vfoA = expected.vfoEntry(0);
        WriteLe(vfoA + 0, 0x43850000, 4);
        WriteLe(vfoA + 4, 0x43850000, 4);
        vfoA[15] = 1;
        WriteLe(expected.vfoEntry(1) + 8, 885, 2);
        const std::uint8_t offsetB[7] = {2, 1, 2, 3, 5, 0, 0};
        std::copy(std::begin(offsetB), std::end(offsetB), expected.offsetEntry(1));
        const std::uint8_t group5[6] = {10, 11, 12, 0xFF, 0xFF, 0xFF};
        std::copy(std::begin(group5), std::end(group5), expected.dtmfSlot(4));
        const std::uint8_t group1[6] = {16, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
        std::copy(std::begin(group1), std::end(group1), expected.dtmfSlot(0));
        // Group 15 ("30303" with stored zeros) was not edited: its bytes stay as the radio has them.
        const std::uint8_t localId[6] = {1, 2, 3, 0xFF, 0xFF, 0xFF};
        std::copy(std::begin(localId), std::end(localId), &expected.settingsByte(0x0E5A));
        expected.settingsByte(0x0E2B) = 0;
        expected.settingsByte(0x0E3C) = 20;

        const RadioImage written = radio_->image();
        for (const RecordInfo& record : BlockMap()) {
            if (record.block == BlockId::BandLimits) continue;  // the radio's own, never written
            const std::size_t size = RecordDataSize(record.form);
            const std::uint8_t* got = written.recordData(record);
            const std::uint8_t* want = expected.recordData(record);
            const auto differs = std::mismatch(got, got + size, want);
            QVERIFY2(differs.first == got + size,
                     qPrintable(QStringLiteral("radio address %1: %2, expected %3")
                                    .arg(record.address + (differs.first - got), 4, 16, QLatin1Char('0'))
                                    .arg(differs.first == got + size ? 0 : *differs.first)
                                    .arg(differs.first == got + size ? 0 : *differs.second)));
        }
        QCOMPARE(written.dtmfSlot(4)[9], 0x5A);
    }
};

QTEST_MAIN(EditorsRoundTripTest)
#include "editors_roundtrip_test.moc"
