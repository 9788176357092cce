// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Start-up of the program: the main window, the language file, the menu; and the two
// commands that are not about radio data, LANG and About.
#include <QIcon>
#include <QObject>
#include <QStringList>

#include <memory>
#include <string>
#include <vector>

namespace radioprog {

class CMainFrame;

class CRadioProgApp : public QObject {
    Q_OBJECT
public:
    CRadioProgApp();
    ~CRadioProgApp() override;

    // Creates and shows the main window; false when it cannot be created.
    bool InitInstance(bool showWindow = true);
    CMainFrame* mainFrame() const { return mainFrame_.get(); }

    // (Re)loads the language file into the main frame's table and sets the title. The reset
    // takes the language the user chose in an earlier run, else the default column.
    void LoadLanguageFile(bool resetToDefault);
    // Tells the user about each language file the last load passed over (once).
    void warnSkippedLanguageFiles();
    // After start-up: offers the recovery file of unsaved edits, then opens the first file
    // named on the command line (options, starting with "-", are skipped).
    void openAtStart(const QStringList& arguments);
    void OnLanguage();
    void OnAppAbout();

private:
    std::unique_ptr<CMainFrame> mainFrame_;
    QIcon appIcon_;
    std::vector<std::string> skippedLanguageFiles_;
    bool toldMissingLanguageFile_ = false;
    // A language file in use that is not whole: said once, over the window.
    std::vector<std::string> languageFileFlaws_;
    bool toldLanguageFileFlaws_ = false;
};

}  // namespace radioprog
