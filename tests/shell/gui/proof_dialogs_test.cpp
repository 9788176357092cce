// SPDX-License-Identifier: GPL-3.0-or-later
// Program → Write to Several Radios..., File → Compare With... and Program → Verify Transfers
// through the main window, against simulated radios on pseudo-terminals.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
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
#include "shell/gui/text.h"
#include "sim/radio_sim.h"
#include "support/main_frame_fixture.h"
#include "support/program_fixture.h"

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
    std::vector<std::unique_ptr<sim::RadioSimulator>> radios_;
    std::unique_ptr<CRadioProgApp> app_;
    std::unique_ptr<ModalRecorder> modal_;
    QStringList shownLists_;

    CMainFrame* frame() { return app_->mainFrame(); }

    // Three radios; the second with faults.
    void startApp(const sim::SimFaults& second = {}) {
        std::string ports;
        for (int i = 0; i < 3; ++i) {
            radios_.push_back(std::make_unique<sim::RadioSimulator>());
            if (i == 1) radios_.back()->SetFaults(second);
            std::string error;
            QVERIFY2(radios_.back()->Start(error), error.c_str());
            ports += (i ? "," : "") + radios_.back()->devicePath();
        }
        qputenv("RADIOPROG_PORTS", QByteArray::fromStdString(ports));
        app_ = StartProgram();
        frame()->document().editChannels([](RadioImage& image) {
            ChannelRef(image, 9).setRxFrequency(0x14535000u);
            ChannelRef(image, 9).setTxFrequency(0x14535000u);
        });
    }
    bool holds(int i) {
        RadioImage memory = radios_[static_cast<std::size_t>(i)]->Image();
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
        frame()->OnReadRadio();
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
        QCOMPARE(RunTransfer(*frame(), &CMainFrame::OnWriteRadio), 4);
        QCOMPARE(shownLists_, QStringList{QStringLiteral("E17 9 E18 145.35000 \u2192 145.35001")});
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
        for (const auto& radio : radios_) QVERIFY(radio->Events().empty());
    }
};

QTEST_MAIN(ProofDialogsTest)
#include "proof_dialogs_test.moc"
