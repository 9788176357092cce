// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program as the widget tests start it: a temporary current directory with the language
// file and the user's data directory, a simulated radio the program finds as COM1, and the
// program with its main window on screen; and a base class that holds them for a test.
#include <QApplication>
#include <QTest>

#include <memory>
#include <string>
#include <utility>

#include "shell/gui/main_frame.h"
#include "shell/gui/radioprog_app.h"
#include "support/env_guard.h"
#include "support/gui_fixture.h"
#include "support/main_frame_fixture.h"
#include "support/running_sim.h"
#include "support/temp_dir.h"

namespace radioprog::test {

// A temporary directory made the current one while it lives, holding lang.csv (the test
// language file unless another text is given) and the user's data directory (XDG_DATA_HOME),
// so that backups of a read stay in it.
class TestDirectory : public TempDir {
public:
    explicit TestDirectory(const std::string& languageFile = TestLanguageFile())
        : cwd_(path()), dataHome_("XDG_DATA_HOME", file("data").c_str()) {
        write("lang.csv", languageFile);
    }

private:
    CurrentDirGuard cwd_;
    EnvGuard dataHome_;
};

// The simulator's band limits with the receive bands narrowed to 144-146 and 430-440 MHz, so a
// channel at 150 MHz makes the band check refuse a write.
inline BandLimits NarrowReceiveBands() {
    BandLimits narrow = sim::DefaultSimBands();
    narrow.rxLower[0] = 144;
    narrow.rxUpper[0] = 146;
    narrow.rxLower[1] = 430;
    narrow.rxUpper[1] = 440;
    return narrow;
}

// The program as main() starts it, its window not yet shown.
inline std::unique_ptr<CRadioProgApp> StartProgram() {
    auto app = std::make_unique<CRadioProgApp>();
    app->InitInstance(false);
    return app;
}

// Shows the main window as the active window and waits until the channel table has opened,
// as it does shortly after start-up. False when either did not happen.
inline bool ShowWithChannelTable(CMainFrame& frame) {
    frame.show();
    QApplication::setActiveWindow(&frame);
    return QTest::qWaitForWindowActive(&frame) &&
           QTest::qWaitFor([&frame] { return frame.editorFrame(EditorKind::Channels) != nullptr; });
}

// The base of a widget test of the whole program: setUpProgram() in init() makes its parts,
// tearDownProgram() in cleanup() drops them in the reverse order. The dialog recorder outlives
// the program, so a dialog at its end is answered too.
class ProgramTest : public QObject {
protected:
    enum class Radio {
        None,
        Answering,  // answers at once
        Paced,      // answers at the radio's 9600 baud: a whole read takes seconds
    };

    // A test directory, a simulated radio on COM1 when asked for, a recorder answering every
    // dialog with answer (Accepted when none is given), then the program, its window not shown.
    void setUpProgram(Radio radio = Radio::None, ModalRecorder::Answer answer = {}) {
        dir_ = std::make_unique<TestDirectory>();
        if (radio != Radio::None) {
            radio_ = std::make_unique<RunningSim>(
                sim::SimFaults{}, radio == Radio::Paced ? RunningSim::Pace::Wire : RunningSim::Pace::Instant);
            radio_->becomeCom1();
        }
        modal_ = answer ? std::make_unique<ModalRecorder>(std::move(answer)) : std::make_unique<ModalRecorder>();
        app_ = StartProgram();
    }
    void tearDownProgram() {
        app_.reset();
        modal_.reset();
        radio_.reset();
        dir_.reset();
    }

    CMainFrame* frame() const { return app_->mainFrame(); }
    // Runs a read or write command to its end (see RunTransfer).
    int runTransfer(void (CMainFrame::*command)()) { return RunTransfer(*frame(), command); }

    std::unique_ptr<TestDirectory> dir_;
    std::unique_ptr<RunningSim> radio_;
    std::unique_ptr<ModalRecorder> modal_;
    std::unique_ptr<CRadioProgApp> app_;
};

}  // namespace radioprog::test
