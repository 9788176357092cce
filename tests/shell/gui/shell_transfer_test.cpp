// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and writing a simulated radio through the main window's commands, with the real
// serial code on a pseudo-terminal: what the user sees and what reaches the radio.
#include <QAbstractButton>
#include <QMessageBox>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTest>

#include "model/channel_record.h"
#include "model/dat_file.h"
#include "radio/new_image.h"
#include "shell/gui/main_frame.h"
#include "shell/gui/prog_status_bar.h"
#include "support/program_fixture.h"
#include "ui/text.h"

using namespace radioprog;
using namespace radioprog::test;

class ShellTransferTest : public ProgramTest {
    Q_OBJECT

private slots:
    void init() { setUpProgram(Radio::Answering); }
    void cleanup() { tearDownProgram(); }

    void readShowsProgressAndTheResult() {
        RadioImage inRadio;
        WriteNewImage(inRadio);
        ChannelRef(inRadio, 3).setRxFrequency(0x14550000);
        inRadio.settingsByte(0x0E22) = 7;
        radio_->loadImage(inRadio);
        QList<int> progress;
        QProgressBar* bar = frame()->progressStatusBar()->progressBar();
        connect(bar, &QProgressBar::valueChanged, this, [&progress](int v) { progress << v; });

        QCOMPARE(runTransfer(&CMainFrame::onReadRadio), 3);
        QCOMPARE(modal_->messages, QStringList{QStringLiteral("E122E32")});
        // A backup of what was read lies in the user's data directory, and the dialog says where.
        QVERIFY2(modal_->details[0].startsWith(QStringLiteral("E208 ") +
                                               QString::fromStdString(dir_->file("data/radioprog/backups/radio-"))),
                 qPrintable(modal_->details[0]));
        RadioImage backup;
        QVERIFY(OpenDatFile(S(modal_->details[0].mid(5)), backup).ok);
        QVERIFY(backup == frame()->image());
        QCOMPARE(ChannelView(frame()->image(), 3).rxFrequency(), 0x14550000u);
        QCOMPARE(frame()->image().settingsByte(0x0E22), 7);
        QCOMPARE(frame()->image().port(), 1);
        QVERIFY(!progress.isEmpty());
        QCOMPARE(progress.first(), 1);
        QVERIFY(progress.contains(100));
        QVERIFY(!bar->isVisible());
        QVERIFY(frame()->action(Command::ReadRadio)->isEnabled());
    }

    void writeSendsTheImage() {
        frame()->document().editSettings([](RadioImage& image) {
            ChannelRef(image, 0).setRxFrequency(0x43912500);
            ChannelRef(image, 0).setTxFrequency(0x43912500);
            image.settingsByte(0x0E26) = 9;
        });
        QCOMPARE(runTransfer(&CMainFrame::onWriteRadio), 4);
        QCOMPARE(modal_->messages, QStringList{QStringLiteral("E123E32")});
        RadioImage written = radio_->image();
        QCOMPARE(ChannelView(written, 0).rxFrequency(), 0x43912500u);
        QCOMPARE(written.settingsByte(0x0E26), 9);
    }

    void refusedWriteShowsTheBandMessageThenWriteFailed() {
        radio_->setBandLimits(NarrowReceiveBands());
        frame()->document().editSettings([](RadioImage& image) {
            ChannelRef(image, 4).setRxFrequency(0x15000000);
        });  // 150 MHz, outside both receive bands
        QCOMPARE(runTransfer(&CMainFrame::onWriteRadio), 2);
        QCOMPARE(modal_->messages.size(), 2);
        QVERIFY2(modal_->messages[0].startsWith(QStringLiteral("E1 4 (150.00000 MHz) E113")),
                 qPrintable(modal_->messages[0]));
        QVERIFY2(modal_->messages[0].contains(QStringLiteral("144.000~146.995")), qPrintable(modal_->messages[0]));
        QCOMPARE(modal_->messages[1], QStringLiteral("E123E31"));
        for (const sim::SimEvent& event : radio_->events()) QVERIFY(event.kind != sim::SimEvent::Kind::Write);
    }

    // Records that would land over the band limits: the question before the write offers no
    // Keep; Cancel sends nothing, and Repair writes them where the layout says.
    void recordsBoundForTheBandLimitsCanOnlyBeRepaired() {
        frame()->document().editSettings([](RadioImage& image) {
            image.bytes[BlockMap()[3].offset] = 0x0F;
            image.bytes[BlockMap()[3].offset + 1] = 0xD0;
        });
        const RadioImage before = radio_->image();
        QStringList buttons;
        QString text;
        modal_->setAnswer([&](QDialog& dialog) {
            auto* box = qobject_cast<QMessageBox*>(&dialog);
            if (!box || box->objectName() != QStringLiteral("addressQuestion")) return int(QDialog::Accepted);
            text = box->text();
            buttons.clear();
            for (QAbstractButton* button : box->buttons()) buttons << button->text();
            return int(QMessageBox::Cancel);
        });
        frame()->onWriteRadio();
        QCOMPARE(buttons.size(), 2);
        QVERIFY(buttons.contains(QStringLiteral("E%1").arg(lang_row::kRepairAddresses)));
        QVERIFY(!buttons.contains(QStringLiteral("E%1").arg(lang_row::kKeepAddresses)));
        QVERIFY2(text.contains(QStringLiteral("E%1").arg(lang_row::kUnsafeAddresses)), qPrintable(text));
        QVERIFY(radio_->image() == before);
        QVERIFY(!UnsafeRecords(frame()->image()).empty());
    }

    void anotherModelIsReported() {
        radio_->setFaults(sim::SimFaults{.wrongModel = true});
        QCOMPARE(runTransfer(&CMainFrame::onReadRadio), 0);
        QCOMPARE(modal_->messages, QStringList{QStringLiteral("E%1").arg(lang_row::kOtherModelFound)});
    }
};

QTEST_MAIN(ShellTransferTest)
#include "shell_transfer_test.moc"
