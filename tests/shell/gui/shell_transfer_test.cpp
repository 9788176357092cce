// Reading and writing a simulated radio through the main window's commands, with the real
// serial code on a pseudo-terminal: what the user sees and what reaches the radio.
#include <QProgressBar>
#include <QSignalSpy>
#include <QTest>

#include "model/channel_record.h"
#include "model/dat_file.h"
#include "shell/gui/text.h"
#include "shell/gui/main_frame.h"
#include "shell/gui/message_dlg.h"
#include "shell/gui/prog_status_bar.h"
#include "shell/gui/radioprog_app.h"
#include "sim/radio_sim.h"
#include "support/gui_fixture.h"
#include "support/main_frame_fixture.h"

using namespace radioprog;
using namespace radioprog::test;

class ShellTransferTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDir> dir_;
    std::unique_ptr<CurrentDirGuard> cwd_;
    std::unique_ptr<sim::RadioSimulator> radio_;
    std::unique_ptr<CRadioProgApp> app_;
    QStringList messages_;
    QStringList details_;
    std::unique_ptr<ModalRecorder> modal_;

    CMainFrame* frame() { return app_->mainFrame(); }

    int runTransfer(void (CMainFrame::*command)()) { return RunTransfer(*frame(), command); }

private slots:
    void init() {
        dir_ = std::make_unique<TempDir>();
        cwd_ = std::make_unique<CurrentDirGuard>(dir_->path());
        dir_->write("lang.csv", TestLanguageFile());
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString(dir_->file("data")));
        radio_ = std::make_unique<sim::RadioSimulator>();
        std::string error;
        QVERIFY2(radio_->Start(error), error.c_str());
        qputenv("RADIOPROG_PORTS", QByteArray::fromStdString(radio_->devicePath()));
        app_ = std::make_unique<CRadioProgApp>();
        app_->InitInstance(false);
        messages_.clear();
        details_.clear();
        modal_ = std::make_unique<ModalRecorder>([this](QDialog& dialog) {
            if (auto* message = qobject_cast<CMessageDlg*>(&dialog)) {
                messages_ << message->message();
                details_ << message->detail();
            }
            return int(QDialog::Accepted);
        });
    }
    void cleanup() {
        modal_.reset();
        app_.reset();
        radio_.reset();
        qunsetenv("RADIOPROG_PORTS");
        qunsetenv("XDG_DATA_HOME");
        cwd_.reset();
        dir_.reset();
    }

    void readShowsProgressAndTheResult() {
        RadioImage inRadio;
        inRadio.ApplyDefaults();
        ChannelRef(inRadio, 3).setRxFrequency(0x14550000);
        inRadio.settingsByte(0x0E22) = 7;
        radio_->LoadImage(inRadio);
        QList<int> progress;
        QProgressBar* bar = frame()->progressStatusBar()->progressBar();
        connect(bar, &QProgressBar::valueChanged, this, [&progress](int v) { progress << v; });

        QCOMPARE(runTransfer(&CMainFrame::OnReadRadio), 3);
        QCOMPARE(messages_, QStringList{QStringLiteral("E122E32")});
        // A backup of what was read lies in the user's data directory, and the dialog says where.
        QVERIFY2(details_[0].startsWith(QStringLiteral("E208 ") + QString::fromStdString(dir_->file("data/radioprog/backups/radio-"))),
                 qPrintable(details_[0]));
        RadioImage backup;
        QVERIFY(OpenDatFile(S(details_[0].mid(5)), backup).ok);
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
        QCOMPARE(runTransfer(&CMainFrame::OnWriteRadio), 4);
        QCOMPARE(messages_, QStringList{QStringLiteral("E123E32")});
        RadioImage written = radio_->Image();
        QCOMPARE(ChannelView(written, 0).rxFrequency(), 0x43912500u);
        QCOMPARE(written.settingsByte(0x0E26), 9);
    }

    void refusedWriteShowsTheBandMessageThenWriteFailed() {
        BandLimits narrow = sim::DefaultSimBands();
        narrow.rxLower[0] = 144;
        narrow.rxUpper[0] = 146;
        narrow.rxLower[1] = 430;
        narrow.rxUpper[1] = 440;
        radio_->SetBandLimits(narrow);
        frame()->document().editSettings([](RadioImage& image) { ChannelRef(image, 4).setRxFrequency(0x15000000); });  // 150 MHz, outside both receive bands
        QCOMPARE(runTransfer(&CMainFrame::OnWriteRadio), 2);
        QCOMPARE(messages_.size(), 2);
        QVERIFY2(messages_[0].startsWith(QStringLiteral("E1 5 E113")), qPrintable(messages_[0]));
        QVERIFY2(messages_[0].contains(QStringLiteral("144.000~146.995")), qPrintable(messages_[0]));
        QCOMPARE(messages_[1], QStringLiteral("E123E31"));
        for (const sim::SimEvent& event : radio_->Events()) QVERIFY(event.kind != sim::SimEvent::Kind::Write);
    }

    void noRadioIsReported() {
        radio_->SetFaults(sim::SimFaults{.wrongModel = true});
        QCOMPARE(runTransfer(&CMainFrame::OnReadRadio), 0);
        QCOMPARE(messages_, QStringList{QStringLiteral("E%1").arg(lang_row::kNoRadioFound)});
    }
};

QTEST_MAIN(ShellTransferTest)
#include "shell_transfer_test.moc"
