#pragma once
// The program as the widget tests start it: a temporary current directory with the language
// file and the user's data directory, a simulated radio the program finds as COM1, and the
// program with its main window on screen.
#include <QApplication>
#include <QTest>

#include <memory>
#include <optional>
#include <string>

#include "shell/gui/main_frame.h"
#include "shell/gui/radioprog_app.h"
#include "sim/radio_sim.h"
#include "support/env_guard.h"
#include "support/gui_fixture.h"
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

// A simulated radio (the real serial code talks to it on a pseudo-terminal) that the program
// finds as COM1 while it lives. Check started() before using it.
class RadioOnCom1 : public sim::RadioSimulator {
public:
    // paced: answers at the radio's 9600 baud, so a whole read takes seconds.
    explicit RadioOnCom1(bool paced = false) {
        SetPaced(paced);
        if (Start(error_)) ports_.emplace("RADIOPROG_PORTS", devicePath().c_str());
    }
    bool started() const { return ports_.has_value(); }
    const std::string& error() const { return error_; }

private:
    std::string error_;
    std::optional<EnvGuard> ports_;
};

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

}  // namespace radioprog::test
