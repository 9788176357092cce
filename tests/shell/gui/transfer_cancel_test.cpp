// SPDX-License-Identifier: GPL-3.0-or-later
// Stopping a transfer from the main window against the simulated radio (real serial code, a
// pseudo-terminal, 9600-baud pacing): Esc, the status bar's Cancel button and Program →
// Cancel; closing the window during a transfer; the refused channel shown after a band
// refusal; the result texts of failed transfers.
#include <QAction>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <filesystem>
#include <map>
#include <set>

#include "editors/gui/chn_msg_view.h"
#include "editors/gui/ms_flex_grid.h"
#include "model/byte_order.h"
#include "model/channel_record.h"
#include "model/dat_file.h"
#include "radio/new_image.h"
#include "shell/command_table.h"
#include "shell/gui/background_wnd.h"
#include "shell/gui/main_frame.h"
#include "shell/gui/prog_status_bar.h"
#include "support/main_frame_fixture.h"
#include "support/program_fixture.h"

using namespace radioprog;
using namespace radioprog::test;

class TransferCancelTest : public ProgramTest {
    Q_OBJECT

    int quitAnswer_ = QMessageBox::No;
    int questions_ = 0;
    bool leaveQuitQuestionOpen_ = false;
    bool quitQuestionWentAway_ = false;

    // Starts a transfer and waits until the progress bar shows at least value.
    bool startAndWaitForProgress(void (CMainFrame::*command)(), int value) {
        (frame()->*command)();
        QProgressBar* bar = frame()->progressStatusBar()->progressBar();
        return QTest::qWaitFor([bar, value] { return bar->value() >= value; }, 30000);
    }
    // Runs cancel and returns the milliseconds until the transfer ended (-1: it did not).
    qint64 cancelAndTime(const std::function<void()>& cancel) {
        QSignalSpy ended(frame(), &CMainFrame::transferEnded);
        QElapsedTimer timer;
        timer.start();
        cancel();
        if (!ended.wait(5000)) return -1;
        return timer.elapsed();
    }

private slots:
    void init() {
        questions_ = 0;
        // A paced radio: a whole read takes seconds, as with a real radio.
        setUpProgram(Radio::Paced, [this](QDialog& dialog) {
            if (qobject_cast<QMessageBox*>(&dialog)) {
                ++questions_;
                if (dialog.objectName() == QStringLiteral("saveChangesQuestion")) return int(QMessageBox::Discard);
                if (leaveQuitQuestionOpen_) {
                    // Shown and left alone, as a user who does not answer: it must go when the
                    // transfer ends.
                    leaveQuitQuestionOpen_ = false;
                    dialog.show();
                    quitQuestionWentAway_ = QTest::qWaitFor([&dialog] { return !dialog.isVisible(); }, 15000);
                    return dialog.result();
                }
                return quitAnswer_;
            }
            return int(QDialog::Accepted);
        });
        QVERIFY(ShowWithChannelTable(*frame()));
    }
    void cleanup() { tearDownProgram(); }

    void cancelledReadChangesNothing_data() {
        QTest::addColumn<int>("way");
        QTest::newRow("Esc") << 0;
        QTest::newRow("status bar button") << 1;
        QTest::newRow("Program menu") << 2;
    }
    void cancelledReadChangesNothing() {
        QFETCH(int, way);
        RadioImage inRadio;
        WriteNewImage(inRadio);
        ChannelRef(inRadio, 2).setRxFrequency(0x14550000);
        radio_->loadImage(inRadio);
        frame()->OpenFunctionsEditor();
        frame()->OpenChannelEditor();
        const RadioImage before = frame()->image();
        auto* channels = dynamic_cast<CChnMsgView*>(frame()->editorView(EditorKind::Channels));
        QVERIFY(channels);
        const std::string cellBefore = channels->GetCellText(2, 1);

        QVERIFY(startAndWaitForProgress(&CMainFrame::onReadRadio, 20));
        QAction* cancelCommand = frame()->action(Command::CancelTransfer);
        QVERIFY(cancelCommand->isEnabled());
        QPushButton* button = frame()->progressStatusBar()->cancelButton();
        QVERIFY(button->isVisible());
        const qint64 ms = cancelAndTime([&] {
            if (way == 0) QTest::keyClick(frame(), Qt::Key_Escape);
            if (way == 1) QTest::mouseClick(button, Qt::LeftButton);
            if (way == 2) cancelCommand->trigger();
        });
        QVERIFY2(ms >= 0 && ms < 500, qPrintable(QString::number(ms)));

        QCOMPARE(modal_->messages, QStringList{QStringLiteral("E122E283")});
        QCOMPARE(modal_->details, QStringList{QStringLiteral("E%1").arg(lang_row::kNothingChanged)});
        QVERIFY(frame()->image() == before);
        QCOMPARE(channels->GetCellText(2, 1), cellBefore);
        QVERIFY(!std::filesystem::exists(dir_->file("data/radioprog/backups")));
        QVERIFY(!cancelCommand->isEnabled());
        QVERIFY(!button->isVisible());
        QVERIFY(frame()->action(Command::ReadRadio)->isEnabled());
    }

    // During a transfer the commands that replace or edit the image, start another transfer or
    // change the language are disabled and every other one is enabled, Cancel among them;
    // afterwards each is as it was before.
    void aTransferDisablesExactlyTheCommandsThatWaitForIt() {
        const std::set<Command> blocked = {
            Command::FileNew,        Command::FileOpen,         Command::ImportCsv,       Command::CompareWith,
            Command::RecentFiles,    Command::ReadRadio,        Command::WriteRadio,      Command::WriteSeveral,
            Command::PortSelect,     Command::BatchChannels,    Command::EditUndo,        Command::EditRedo,
            Command::EditCut,        Command::EditPaste,        Command::DeleteChannels,  Command::InsertChannel,
            Command::MoveChannelsUp, Command::MoveChannelsDown, Command::SortByFrequency, Command::SortByName,
            Command::GroupByBand,    Command::Language};
        // An opened file, so the recent files' submenu has an entry.
        RadioImage image;
        image.ApplyDefaults();
        QVERIFY(SaveDatFile(image, dir_->file("opened.dat")).ok);
        QVERIFY(frame()->openFile(QString::fromStdString(dir_->file("opened.dat"))));
        QVERIFY(frame()->action(Command::RecentFiles)->isEnabled());
        std::map<Command, bool> before;
        for (const MenuEntry& entry : MenuLayout())
            if (entry.kind == EntryKind::Item || entry.kind == EntryKind::BarCommand ||
                entry.kind == EntryKind::Submenu)
                before[entry.command] = frame()->action(entry.command)->isEnabled();

        QVERIFY(startAndWaitForProgress(&CMainFrame::onReadRadio, 5));
        for (const auto& [command, enabled] : before)
            QVERIFY2(frame()->action(command)->isEnabled() == !blocked.count(command),
                     qPrintable(QString::number(static_cast<int>(command))));
        QVERIFY(cancelAndTime([this] { frame()->onCancelTransfer(); }) >= 0);
        for (const auto& [command, enabled] : before)
            QVERIFY2(frame()->action(command)->isEnabled() == enabled,
                     qPrintable(QString::number(static_cast<int>(command))));
    }

    void cancelledWriteWarnsOfMixedMemory() {
        frame()->document().editSettings([](RadioImage& image) { ChannelRef(image, 0).setRxFrequency(0x43912500); });
        QVERIFY(startAndWaitForProgress(&CMainFrame::onWriteRadio, 5));
        const qint64 ms = cancelAndTime([this] { frame()->onCancelTransfer(); });
        QVERIFY2(ms >= 0 && ms < 500, qPrintable(QString::number(ms)));
        QCOMPARE(modal_->messages, QStringList{QStringLiteral("E123E283")});
        QCOMPARE(modal_->details, QStringList{QStringLiteral("E285\nE286")});
    }

    void closingDuringATransferAsksThenCancelsAndQuits() {
        QVERIFY(startAndWaitForProgress(&CMainFrame::onReadRadio, 5));
        quitAnswer_ = QMessageBox::No;
        QVERIFY(!frame()->close());
        QCOMPARE(questions_, 1);
        QVERIFY(frame()->transferRunning());
        QVERIFY(frame()->isVisible());

        quitAnswer_ = QMessageBox::Yes;
        QSignalSpy ended(frame(), &CMainFrame::transferEnded);
        QElapsedTimer timer;
        timer.start();
        frame()->close();
        QCOMPARE(questions_, 2);
        QVERIFY(QTest::qWaitFor([this] { return !frame()->isVisible(); }, 5000));
        QVERIFY2(timer.elapsed() < 500, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(ended.size(), 1);
        QVERIFY2(modal_->messages.isEmpty(), "no result to read when quitting");
    }

    // Closing the window during a read, then not answering: when the read ends the question
    // goes, the result is shown, and the quit goes ahead.
    void quitQuestionGoesWhenTheTransferEnds() {
        QVERIFY(startAndWaitForProgress(&CMainFrame::onReadRadio, 5));
        leaveQuitQuestionOpen_ = true;
        quitQuestionWentAway_ = false;
        frame()->close();
        QVERIFY(quitQuestionWentAway_);
        QVERIFY(!frame()->transferRunning());
        QCOMPARE(modal_->messages, QStringList{QStringLiteral("E122E32")});
        // The quit question and the unsaved read's question, nothing else.
        QCOMPARE(questions_, 2);
        QTRY_VERIFY(!frame()->isVisible());
    }

    void bandRefusalShowsTheRefusedChannel() {
        radio_->setPaced(false);
        radio_->setBandLimits(NarrowReceiveBands());
        // Far down the table.
        frame()->document().editSettings([](RadioImage& image) {
            ChannelRef(image, 100).setRxFrequency(0x15000000);
            ChannelRef(image, 110).setRxFrequency(0x15000000);
        });
        frame()->OpenFunctionsEditor();
        QCOMPARE(RunTransfer(*frame(), &CMainFrame::onWriteRadio), 2);
        QCOMPARE(modal_->messages.size(), 2);
        // The number the table shows, the frequency, and every refused channel below.
        QVERIFY2(modal_->messages[0].startsWith(
                     QStringLiteral("E1 100 (150.00000 MHz) E113 <144.000~146.995 430.000~440.995>")),
                 qPrintable(modal_->messages[0]));
        // The VFOs' frequencies lie outside these narrow bands too.
        QCOMPARE(modal_->details[0], QStringLiteral("E1 100: E18 150.00000 MHz\nE1 110: E18 150.00000 MHz\n"
                                                    "E74 A: E18 136.00000 MHz\nE74 B: E18 400.00000 MHz"));
        QCOMPARE(modal_->details[1], QStringLiteral("E%1").arg(lang_row::kNothingWritten));

        QCOMPARE(frame()->background()->activeSubWindow(), frame()->editorFrame(EditorKind::Channels));
        auto* channels = dynamic_cast<CChnMsgView*>(frame()->editorView(EditorKind::Channels));
        QVERIFY(channels);
        CMSFlexGrid* grid = channels->grid();
        QCOMPARE(grid->Row(), 101);
        QCOMPARE(grid->selectedRows(), std::vector<int>{101});
        QVERIFY(grid->cellArea()->rect().intersects(grid->cellRect(101, 1)));

        // A VFO: the optional-functions form, where the VFO frequencies are.
        frame()->document().editSettings([](RadioImage& image) {
            ChannelRef(image, 100).setRxFrequency(0x14500000);
            ChannelRef(image, 110).setRxFrequency(0x14500000);
            WriteLe32(image.vfoEntry(0), 0x14500000);
            WriteLe32(image.vfoEntry(1), 0x15000000);
        });
        frame()->RefreshEditors();  // the open forms show (and store back) the new values
        modal_->messages.clear();
        modal_->details.clear();
        QCOMPARE(RunTransfer(*frame(), &CMainFrame::onWriteRadio), 2);
        QVERIFY2(modal_->messages[0].startsWith(QStringLiteral("E74 B (150.00000 MHz) E113")),
                 qPrintable(modal_->messages[0]));
        QCOMPARE(modal_->details[0], QStringLiteral("E74 B: E18 150.00000 MHz"));
        QCOMPARE(frame()->background()->activeSubWindow(), frame()->editorFrame(EditorKind::Functions));
    }

    void anotherModelIsSaidOnce() {
        radio_->setFaults(sim::SimFaults{.wrongModel = true});
        QCOMPARE(RunTransfer(*frame(), &CMainFrame::onReadRadio), 0);
        QCOMPARE(modal_->messages, QStringList{QStringLiteral("E%1").arg(lang_row::kOtherModelFound)});
        // Only the radio that answered as another model: no cable advice, no port without answer.
        const QString device = QString::fromStdString(radio_->devicePath());
        QCOMPARE(modal_->details[0],
                 QStringLiteral("COM1 (%1): E%2 R3M72").arg(device).arg(lang_row::kOtherModelAnswered));
    }
};

QTEST_MAIN(TransferCancelTest)
#include "transfer_cancel_test.moc"
