// SPDX-License-Identifier: GPL-3.0-or-later
// Program → Write to Several Radios..., File → Compare With... and Program → Verify Transfers
// through the main window, against simulated radios on pseudo-terminals.
#include <QAction>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

#include "model/channel_record.h"
#include "model/dat_file.h"
#include "shell/command_table.h"
#include "shell/gui/compare_dialog.h"
#include "shell/gui/fleet_write_dialog.h"
#include "shell/gui/main_frame.h"
#include "shell/gui/radioprog_app.h"
#include "support/main_frame_fixture.h"
#include "support/program_fixture.h"
#include "support/running_sim.h"
#include "ui/text.h"

using namespace radioprog;
using namespace radioprog::test;

namespace {
QString Row(int row) { return QStringLiteral("E%1").arg(row); }
QStringList Items(const QListWidget* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
    return items;
}
}  // namespace

class ProofDialogsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDirectory> dir_;
    std::vector<std::unique_ptr<RunningSim>> radios_;
    std::unique_ptr<CRadioProgApp> app_;
    std::unique_ptr<ModalRecorder> modal_;
    QStringList shownLists_;

    CMainFrame* frame() { return app_->mainFrame(); }

    // Three radios (or count); the second with faults.
    void startApp(const sim::SimFaults& second = {}, int count = 3) {
        RunningSims sims;
        for (int i = 0; i < count; ++i) sims.add(i == 1 ? second : sim::SimFaults{});
        radios_ = std::move(sims.radios);
        qputenv("RADIOPROG_PORTS", QByteArray::fromStdString(sims.ports));
        app_ = StartProgram();
        frame()->document().editChannels([](RadioImage& image) {
            ChannelRef(image, 9).setRxFrequency(0x14535000u);
            ChannelRef(image, 9).setTxFrequency(0x14535000u);
        });
    }
    bool holds(int i) {
        RadioImage memory = radios_[static_cast<std::size_t>(i)]->image();
        return std::equal(frame()->image().channel(9), frame()->image().channel(9) + 16, memory.channel(9));
    }
    FleetWriteDialog* openSeveral() {
        frame()->action(Command::WriteSeveral)->trigger();
        return frame()->findChild<FleetWriteDialog*>();
    }

private slots:
    void init() {
        dir_ = std::make_unique<TestDirectory>();
        shownLists_.clear();
        modal_ = std::make_unique<ModalRecorder>([this](QDialog& dialog) {
            if (auto* compare = qobject_cast<CompareDialog*>(&dialog)) {
                if (!compare->fileButton()->isHidden()) compare->fileButton()->click();
                shownLists_ << Items(compare->list());
            }
            return int(QDialog::Accepted);
        });
    }
    void cleanup() {
        modal_.reset();
        app_.reset();
        radios_.clear();
        qunsetenv("RADIOPROG_PORTS");
        dir_.reset();
    }

    void writesTheCheckedRadiosAndShowsEachResult() {
        startApp();
        FleetWriteDialog* dialog = openSeveral();
        QVERIFY(dialog && dialog->isVisible());
        QVERIFY(!dialog->isModal());
        QCOMPARE(dialog->table()->rowCount(), 3);
        QCOMPARE(dialog->table()->horizontalHeaderItem(2)->text(), Row(lang_row::kResultColumn));
        QVERIFY(!dialog->startButton()->isEnabled());  // nothing checked yet
        dialog->setChecked(1, true);
        dialog->setChecked(3, true);
        QVERIFY(dialog->startButton()->isEnabled());
        QSignalSpy ended(dialog, &FleetWriteDialog::allEnded);
        dialog->startButton()->click();
        QVERIFY(dialog->running());
        // No single transfer starts while the radios are written.
        frame()->onReadRadio();
        QVERIFY(!frame()->transferRunning());
        QVERIFY(ended.wait(60000));
        QCOMPARE(dialog->table()->item(0, 2)->text(), Row(123) + Row(32));
        QCOMPARE(dialog->table()->item(1, 2)->text(), QString());
        QCOMPARE(dialog->table()->item(2, 2)->text(), Row(123) + Row(32));
        QCOMPARE(dialog->summary()->text(), Row(lang_row::kRadiosWritten) + QStringLiteral(" 2/2"));
        QVERIFY(holds(0));
        QVERIFY(!holds(1));
        QVERIFY(holds(2));
    }

    // Cancel (Esc) at about a third stops every radio at once; each row says so, with the
    // warning that the radio may hold a mix, and the summary counts them.
    void cancelStopsEveryRadio() {
        startApp();
        for (const auto& radio : radios_) radio->setPaced(true);
        FleetWriteDialog* dialog = openSeveral();
        for (int port : {1, 2, 3}) dialog->setChecked(port, true);
        QSignalSpy ended(dialog, &FleetWriteDialog::allEnded);
        dialog->startButton()->click();
        auto bar = [dialog](int row) { return static_cast<QProgressBar*>(dialog->table()->cellWidget(row, 1)); };
        QVERIFY(QTest::qWaitFor([&] { return bar(0)->value() >= 30 && bar(1)->value() >= 30 && bar(2)->value() >= 30; },
                                60000));
        QElapsedTimer timer;
        timer.start();
        QTest::keyClick(dialog, Qt::Key_Escape);
        QVERIFY(ended.wait(5000));
        QVERIFY2(timer.elapsed() < 500, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(dialog->isVisible());
        for (int row = 0; row < 3; ++row) {
            QCOMPARE(dialog->table()->item(row, 2)->text(), Row(lang_row::kCancelled) + QStringLiteral(": ") +
                                                                Row(lang_row::kMixedMemory) + QStringLiteral(" ") +
                                                                Row(lang_row::kWriteAgain));
            QVERIFY(bar(row)->value() < 100);
        }
        QCOMPARE(dialog->summary()->text(), Row(lang_row::kRadiosWritten) + QStringLiteral(" 0/3, ") +
                                                Row(lang_row::kCancelled) + QStringLiteral(": 3"));
        // With nothing running, Esc closes the dialog.
        QTest::keyClick(dialog, Qt::Key_Escape);
        QTRY_VERIFY(!frame()->findChild<FleetWriteDialog*>());
    }

    // A cable plugged out between writes: the list follows, what each port is stays shown, and
    // the check of a port still there is kept; while radios are written the list waits.
    void theListFollowsCablesPluggedInOrOut() {
        startApp();
        FleetWriteDialog* dialog = openSeveral();
        QCOMPARE(dialog->table()->rowCount(), 3);
        dialog->setChecked(2, true);
        TempDir dev;
        int surveys = 0;
        dialog->followCables(
            [this, &surveys] {
                ++surveys;
                PortMap ports({radios_[0]->devicePath(), radios_[1]->devicePath()});
                PortChoices choices;
                choices.mask = (1u << 1) | (1u << 2);
                choices.labels = {"", "USB-Serial Controller"};
                return std::make_pair(ports, choices);
            },
            QString::fromStdString(dev.path().string()));
        dev.write("ttyUSB9", "");
        QTRY_COMPARE(dialog->table()->rowCount(), 2);
        QCOMPARE(dialog->table()->item(1, 0)->text(), QStringLiteral("COM2  ") +
                                                          QString::fromStdString(radios_[1]->devicePath()) +
                                                          QStringLiteral("  USB-Serial Controller"));
        QCOMPARE(dialog->table()->item(1, 0)->checkState(), Qt::Checked);
        QCOMPARE(dialog->table()->item(0, 0)->checkState(), Qt::Unchecked);

        radios_[1]->setPaced(true);  // the write takes seconds
        QSignalSpy ended(dialog, &FleetWriteDialog::allEnded);
        dialog->startButton()->click();
        QVERIFY(dialog->running());
        const int before = surveys;
        dev.write("ttyUSB8", "");
        QTest::qWait(800);
        QCOMPARE(surveys, before);  // not while the radio is written ...
        QVERIFY(ended.wait(60000));
        QCOMPARE(surveys, before + 1);  // ... but once it has ended, keeping its result
        QCOMPARE(dialog->table()->item(1, 2)->text(), Row(123) + Row(32));
        QVERIFY(holds(1));
    }

    void aFailingRadioIsNamedAndTheOthersAreVerified() {
        sim::SimFaults refusing;
        refusing.refusedWrites = 4;
        startApp(refusing);
        FleetWriteDialog* dialog = openSeveral();
        dialog->verifyBox()->setChecked(true);
        for (int port : {1, 2, 3}) dialog->setChecked(port, true);
        QSignalSpy ended(dialog, &FleetWriteDialog::allEnded);
        dialog->startButton()->click();
        QVERIFY(ended.wait(60000));
        QCOMPARE(dialog->table()->item(0, 2)->text(), Row(lang_row::kWrittenVerified));
        QCOMPARE(dialog->table()->item(1, 2)->text(), Row(lang_row::kWriteFailedAt) + QStringLiteral(" E17 0"));
        QCOMPARE(dialog->table()->item(2, 2)->text(), Row(lang_row::kWrittenVerified));
        QCOMPARE(dialog->summary()->text(), Row(lang_row::kRadiosWritten) + QStringLiteral(" 2/3"));
    }

    void verifiedWriteListsWhatTheRadioDidNotStore() {
        sim::SimFaults corrupting;
        corrupting.corruptAddress = 9 * 16;
        startApp(corrupting);
        frame()->document().setPort(2);
        frame()->action(Command::VerifyTransfers)->setChecked(true);
        QCOMPARE(RunTransfer(*frame(), &CMainFrame::onWriteRadio), 4);
        QCOMPARE(shownLists_, QStringList{QStringLiteral("E17 9 E18 145.35000 \u2192 145.35001")});
    }

    // Compare With -> Radio reads as Read does: a progress bar, Cancel (Esc, the close button)
    // that stops the read at once, and the same message when it fails or is cancelled.
    void comparingWithTheRadioShowsProgressCancelsAndFailsAsReadDoes() {
        startApp({}, 1);
        radios_[0]->setPaced(true);
        qint64 cancelMs = -1;
        bool stayedOpen = false;
        modal_->setAnswer([&](QDialog& dialog) {
            auto* compare = qobject_cast<CompareDialog*>(&dialog);
            if (!compare) return int(QDialog::Accepted);
            compare->show();
            compare->radioButton()->click();
            if (!QTest::qWaitFor([compare] { return compare->progressBar()->value() >= 20; }, 30000)) return 0;
            if (!compare->cancelButton()->isVisible() || compare->okButton()->isEnabled()) return 0;
            QElapsedTimer timer;
            timer.start();
            QTest::keyClick(compare, Qt::Key_Escape);
            if (QTest::qWaitFor([compare] { return !compare->reading(); }, 5000)) cancelMs = timer.elapsed();
            QTest::qWait(50);  // the end of the read is handled
            stayedOpen = compare->isVisible();
            shownLists_ << Items(compare->list());
            return int(QDialog::Accepted);
        });
        frame()->action(Command::CompareWith)->trigger();
        QVERIFY2(cancelMs >= 0 && cancelMs < 500, qPrintable(QString::number(cancelMs)));
        QVERIFY(stayedOpen);
        QCOMPARE(modal_->messages, QStringList{Row(122) + Row(lang_row::kTransferCancelled)});
        QCOMPARE(modal_->details, QStringList{Row(lang_row::kNothingChanged)});
        QVERIFY2(shownLists_.isEmpty(), qPrintable(shownLists_.join(QLatin1Char(';'))));  // nothing listed

        // A silent radio: "No radio found" with the ports tried, not a line of the list.
        radios_[0]->setPaced(false);
        radios_[0]->setFaults(sim::SimFaults{.silent = true});
        modal_->messages.clear();
        modal_->details.clear();
        shownLists_.clear();
        modal_->setAnswer([&](QDialog& dialog) {
            if (auto* compare = qobject_cast<CompareDialog*>(&dialog)) {
                compare->radioButton()->click();
                if (!QTest::qWaitFor([compare] { return !compare->reading(); }, 30000)) return 0;
                QTest::qWait(50);
                shownLists_ << Items(compare->list());
            }
            return int(QDialog::Accepted);
        });
        frame()->action(Command::CompareWith)->trigger();
        QCOMPARE(modal_->messages, QStringList{Row(lang_row::kNoRadioFound)});
        QVERIFY2(modal_->details.value(0).contains(Q(radios_[0]->devicePath())), qPrintable(modal_->details.value(0)));
        QVERIFY2(shownLists_.isEmpty(), qPrintable(shownLists_.join(QLatin1Char(';'))));  // nothing listed
    }

    void comparesTheDocumentWithAFile() {
        startApp();
        RadioImage other = frame()->image();
        ChannelRef(other, 9).setRxFrequency(0x14652000u);
        QVERIFY(SaveDatFile(other, dir_->file("other.dat")).ok);
        Hooks().chooseFile = [this](QWidget*, bool) { return Q(dir_->file("other.dat")); };
        frame()->action(Command::CompareWith)->trigger();
        // What the file has, then what the open document has.
        QCOMPARE(shownLists_, QStringList{QStringLiteral("E17 9 E18 146.52000 \u2192 145.35000")});
        for (const auto& radio : radios_) QVERIFY(radio->events().empty());
    }
};

QTEST_MAIN(ProofDialogsTest)
#include "proof_dialogs_test.moc"
